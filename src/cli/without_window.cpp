#include "cli/without_window.h"

#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

#include "cli/toolkit_start.h"
#include "launch/game_start.h"
#include "launch/saved_request.h"
#include "platform/engine_table.h"
#include "platform/host_platform.h"
#include "settings/private_profile.h"

namespace fendral::cli {

namespace {

void printLine(const char* label, std::string_view value) {
  std::printf("%-16s%.*s\n", label, static_cast<int>(value.size()), value.data());
}

std::string workingFolder(const platform::ProgramStart& start) {
  if (!start.workingFolder.empty()) return start.workingFolder;
  std::error_code unknown;
  return std::filesystem::current_path(unknown).string();
}

// Says it on stderr and, when a display answers, in the message box too.
class LaunchPlatform : public ConsolePlatform {
 public:
  explicit LaunchPlatform(const char* programName) : programName_(programName) {}
  void message(const std::string& prompt) override {
    ConsolePlatform::message(prompt);
    showMessageBox(prompt, programName_);
  }

 private:
  const char* programName_;
};

// A settings file that is there but cannot be read would pass for empty settings and bring a message
// about quake2.exe instead.
bool settingsReadable(const std::string& file) {
  const platform::FileOutcome readable = settings::profileReadable(file);
  if (!readable)
    std::fprintf(stderr, "fendral: %s: %s\n", file.c_str(), platform::describe(readable).c_str());
  return static_cast<bool>(readable);
}

// The saved request; on a first run, whose settings name no Quake 2 folder, with the one found.
launch::LaunchRequest savedOrFound(const Options& options, const std::string& settingsFile,
                                   platform::Platform& system) {
  launch::LaunchRequest request =
      launch::savedLaunchRequest(settingsFile, options.gameChoice, options.gameType);
  if (request.game.q2Folder.empty()) request.game.q2Folder = system.findQuake2Folder();
  return request;
}

}  // namespace

void ConsolePlatform::message(const std::string& prompt) {
  std::fflush(stdout);  // after what was printed before it, also through a pipe
  std::fprintf(stderr, "%s\n", prompt.c_str());
}

int printPreview(const Options& options, const settings::SettingsFiles& settingsFiles) {
  if (!settingsReadable(settingsFiles.read)) return 1;
  printLine("settings file:", settingsFiles.read);
  if (settingsFiles.write != settingsFiles.read) printLine("saved to:", settingsFiles.write);
  ConsolePlatform system;
  system.setEngineChoice(launch::chosenEngine(settingsFiles.read, options.engine));
  const launch::LaunchRequest request = savedOrFound(options, settingsFiles.read, system);
  const std::optional<launch::LaunchPlan> plan = launch::planLaunch(request, system);
  std::vector<std::pair<platform::Command, std::string>> starts;  // what runs, and where
  if (plan) {
    for (const platform::ProgramStart* start : {plan->batch ? &*plan->batch : nullptr, &plan->game}) {
      if (start == nullptr) continue;
      std::optional<platform::Command> command = platform::startCommand(*start);
      // Launch would stop here, with the same message.
      if (!command) break;
      starts.emplace_back(std::move(*command), workingFolder(*start));
    }
  }
  if (!plan || starts.size() != (plan->batch ? 2u : 1u)) {
    system.message(launch::failurePrompt(request.batchFileName));
    return 1;
  }
  printLine("batch path:", plan->texts.batchPath);
  printLine("command line:", plan->texts.commandLine);
  printLine("engine:", plan->engine);
  for (const auto& [command, folder] : starts) {
    printLine("program:", command.front());
    for (std::size_t word = 1; word < command.size(); ++word) printLine("argument:", command[word]);
    printLine("working folder:", folder);
  }
  return 0;
}

int printEngines(const Options& options, const std::string& settingsFile) {
  printLine("settings file:", settingsFile);
  ConsolePlatform system;
  system.setEngineChoice(launch::chosenEngine(settingsFile, options.engine));
  const launch::LaunchRequest request = savedOrFound(options, settingsFile, system);
  const std::vector<platform::GameEngine> found =
      platform::foundEngines(request.game.q2Folder, platform::hostEngineSearch({}));
  for (const platform::GameEngine& engine : found) printLine("found:", engine.description);
  if (found.empty()) printLine("found:", "none");
  const std::optional<platform::GameEngine> chosen =
      system.findGameEngine(request.game.q2Folder, launch::chosenSubdirectory(request.game));
  if (!chosen) {
    system.message(launch::failurePrompt(request.batchFileName));
    return 1;
  }
  printLine("engine:", chosen->description);
  return 0;
}

int launchWithoutWindow(const Options& options, const std::string& settingsFile, const char* programName) {
  if (!settingsReadable(settingsFile)) return 1;
  LaunchPlatform system(programName);
  system.setEngineChoice(launch::chosenEngine(settingsFile, options.engine));
  launch::runLaunch(savedOrFound(options, settingsFile, system), system, [](const launch::LaunchTexts&) {});
  return 1;
}

}  // namespace fendral::cli
