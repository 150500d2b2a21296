#include "cli/toolkit_start.h"

#include <QStringList>

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
         "): the display does not answer or refuses "
         "the connection; " +
         advice;
}

}  // namespace fendral::cli
