#include "cli/toolkit_start.h"

#include <QStringList>
#include <cstdio>
#include <optional>

#include "cli/window_library.h"
#include "platform/display_probe.h"

namespace fendral::cli {

ToolkitArguments::ToolkitArguments(const char* programName, const std::string& windowSystem)
    : words_{programName != nullptr ? programName : "fendral"} {
  if (!windowSystem.empty()) words_.insert(words_.end(), {"-platform", windowSystem});
  for (std::string& word : words_) pointers_.push_back(word.data());
  count_ = static_cast<int>(pointers_.size());
  pointers_.push_back(nullptr);
}

QString noDisplayLine() {
  QStringList named;
  for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
    if (!qEnvironmentVariableIsEmpty(name)) named << QString("%1=%2").arg(name, qEnvironmentVariable(name));
  }
  const QString advice =
      "start it from a desktop session or under a virtual display (xvfb-run), or use --preview or --launch.";
  if (named.isEmpty()) return "fendral: there is no display to show the window on: " + advice;
  return "fendral: cannot open a window (" + named.join(", ") +
         "): the display does not answer or refuses the connection; " + advice;
}

namespace {

void printLine(const QString& line) {
  std::fputs((line + "\n").toLocal8Bit().constData(), stderr);
}

FendralWindowRequest request(ToolkitArguments& arguments, const std::string& settingsFile,
                             const Options& options) {
  return {&arguments.count(), arguments.values(), settingsFile.c_str(), static_cast<int>(options.gameChoice),
          static_cast<int>(options.gameType)};
}

}  // namespace

int openMainWindow(const Options& options, const std::string& settingsFile, const char* programName) {
  // Checked here, since the toolkit would abort on a display that does not answer.
  const std::optional<std::string> windowSystem = platform::windowSystemToOpen();
  if (!windowSystem) {
    printLine(noDisplayLine());
    return 1;
  }
  QString why;
  const std::optional<WindowLibrary> library = WindowLibrary::load(why);
  if (!library) {
    printLine("fendral: the window cannot be shown: " + why);
    return 1;
  }
  ToolkitArguments arguments(programName, *windowSystem);
  return library->openWindow(request(arguments, settingsFile, options));
}

void showMessageBox(const std::string& prompt, const char* programName) {
  const std::optional<std::string> windowSystem = platform::windowSystemToOpen();
  if (!windowSystem) return;
  QString why;
  const std::optional<WindowLibrary> library = WindowLibrary::load(why);
  if (!library) return;
  ToolkitArguments arguments(programName, *windowSystem);
  library->showMessage(request(arguments, {}, Options{}), prompt.c_str());
}

}  // namespace fendral::cli
