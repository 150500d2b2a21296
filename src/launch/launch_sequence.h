#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "launch/command_line.h"
#include "platform/platform.h"

namespace fendral::launch {

// What Launch, Debug and Save read from the window at the moment of the click.
struct LaunchRequest {
  CommandLineInputs game;
  std::string batchFileName;
  bool batchUse = false;
};

// The two texts the debug boxes show.
struct LaunchTexts {
  std::string batchPath;
  std::string commandLine;
};

// Everything a launch does, decided before anything starts.
struct LaunchPlan {
  LaunchTexts texts;
  std::optional<platform::ProgramStart> batch;  // only with batch use on
  platform::ProgramStart game;
  std::string engine;  // which engine starts the game, and why
};

// The Quake 2 folder, "\" and the batch file name, as typed.
std::string batchPath(std::string_view q2Folder, std::string_view batchFileName);
// The one failure message of Save, Launch and Debug; it names the batch file even when unused.
std::string failurePrompt(std::string_view batchFileName);

// The file tests of Save: an engine for "quake2.exe", then the batch file when batch use is on.
bool gameFilesFound(std::string_view q2Folder, std::string_view batchFileName, bool batchUse,
                    platform::Platform& system);

// The file tests of Launch and Debug, then what Launch starts and both show. Nothing when a test
// fails: the caller shows failurePrompt. Launch, Debug and any preview all go through here, so what
// is shown is what starts.
std::optional<LaunchPlan> planLaunch(const LaunchRequest& request, platform::Platform& system);

using ShowTexts = std::function<void(const LaunchTexts&)>;

// Debug: the plan's texts to `show`; on a failed test the message and nothing else.
void previewLaunch(const LaunchRequest& request, platform::Platform& system, const ShowTexts& show);

// Launch: the plan, the batch file started, both texts to `show`, the game started, the program
// ended. The first failure shows the message and stops; what was done before it stays done.
void runLaunch(const LaunchRequest& request, platform::Platform& system, const ShowTexts& show);

}  // namespace fendral::launch
