#pragma once

#include <QString>
#include <string>
#include <vector>

#include "cli/command_options.h"
#include "settings/settings_location.h"

namespace fendral::cli {

// The program's name and, when only one window system answers, that one named for the toolkit, so
// it never tries a dead one first. Our own options are already read and are not passed on.
class ToolkitArguments {
 public:
  ToolkitArguments(const char* programName, const std::string& windowSystem);
  ToolkitArguments(const ToolkitArguments&) = delete;
  ToolkitArguments& operator=(const ToolkitArguments&) = delete;

  // What QApplication keeps references to for its whole life.
  int& count() { return count_; }
  char** values() { return pointers_.data(); }

 private:
  std::vector<std::string> words_;
  std::vector<char*> pointers_;
  int count_ = 0;
};

// One line saying why no window can open, from what the environment names.
QString noDisplayLine();

// The main window, when a display answers and the window library loads; else one line on stderr
// and 1.
int openMainWindow(const Options& options, const settings::SettingsFiles& settingsFiles,
                   const char* programName);

// The message box with `prompt`, when a display answers; nothing else otherwise.
void showMessageBox(const std::string& prompt, const char* programName);

}  // namespace fendral::cli
