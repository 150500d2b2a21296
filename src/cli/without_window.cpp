#include "cli/without_window.h"

#include <QApplication>
#include <cstdio>

#include "cli/toolkit_start.h"
#include "launch/saved_request.h"
#include "platform/display_probe.h"
#include "ui/desktop_platform.h"

namespace fendral::cli {

namespace {

void printLine(const char* label, std::string_view value) {
  std::printf("%-16s%.*s\n", label, static_cast<int>(value.size()), value.data());
}

void printTexts(const launch::LaunchTexts& texts) {
  printLine("batch path:", texts.batchPath);
  printLine("command line:", texts.commandLine);
}

// Says the message on stderr only.
class ConsolePlatform : public platform::HostPlatform {
 public:
  void message(const std::string& prompt) override { std::fprintf(stderr, "%s\n", prompt.c_str()); }
};

// Says it on stderr and, when a display answers, in the message box too.
class LaunchPlatform : public ui::DesktopPlatform {
 public:
  explicit LaunchPlatform(const char* programName) : programName_(programName) {}
  void message(const std::string& prompt) override {
    std::fprintf(stderr, "%s\n", prompt.c_str());
    const std::optional<std::string> windowSystem = platform::windowSystemToOpen();
    if (!windowSystem) return;
    ToolkitArguments arguments(programName_, *windowSystem);
    QApplication app(arguments.count(), arguments.values());
    DesktopPlatform::message(prompt);
  }

 private:
  const char* programName_;
};

}  // namespace

int printPreview(const Options& options, const std::string& settingsFile) {
  printLine("settings file:", settingsFile);
  ConsolePlatform system;
  bool shown = false;
  launch::previewLaunch(launch::savedLaunchRequest(settingsFile, options.gameChoice, options.gameType),
                        system, [&](const launch::LaunchTexts& texts) {
                          printTexts(texts);
                          shown = true;
                        });
  return shown ? 0 : 1;
}

int launchWithoutWindow(const Options& options, const std::string& settingsFile, const char* programName) {
  LaunchPlatform system(programName);
  launch::runLaunch(launch::savedLaunchRequest(settingsFile, options.gameChoice, options.gameType), system,
                    [](const launch::LaunchTexts&) {});
  return 1;
}

}  // namespace fendral::cli
