#pragma once

#include <functional>
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

// The two texts the debug boxes show: what a launch runs.
struct LaunchTexts {
  std::string batchPath;
  std::string commandLine;
};

// The name the game test opens: the folder, "\quake2.exe" and one trailing blank.
std::string gameExecutableName(std::string_view q2Folder);
// The Quake 2 folder, "\" and the batch file name, as typed.
std::string batchPath(std::string_view q2Folder, std::string_view batchFileName);
// The one failure message of Save, Launch and Debug; it names the batch file even when unused.
std::string failurePrompt(std::string_view batchFileName);

// The file tests of Save, Launch and Debug: quake2.exe, then the batch file when batch use is on.
bool gameFilesFound(std::string_view q2Folder, std::string_view batchFileName, bool batchUse,
                    platform::Platform& system);

using ShowTexts = std::function<void(const LaunchTexts&)>;

// Debug: the file tests, then both texts to `show`; on a failed test the message and nothing else.
void previewLaunch(const LaunchRequest& request, platform::Platform& system, const ShowTexts& show);

// Launch: the file tests, the batch file started, both texts to `show`, the game started, the program
// ended. The first failure shows the message and stops; what was done before it stays done.
void runLaunch(const LaunchRequest& request, platform::Platform& system, const ShowTexts& show);

}  // namespace fendral::launch
