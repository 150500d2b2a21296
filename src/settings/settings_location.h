#pragma once

#include <string>

namespace fendral::settings {

// What decides where the settings file lives; every path is a host path.
struct SettingsPlaceFacts {
  std::string programFolder;
  bool fileBesideProgram = false;  // fendral.ini is already there
  bool folderWritable = false;     // the player may create files in the program's folder
  std::string xdgConfigHome;       // $XDG_CONFIG_HOME as set, possibly empty
  std::string home;                // the player's home folder
};

// Beside the program when the file is there or the folder is writable, so a copy unpacked anywhere
// stays portable; otherwise $XDG_CONFIG_HOME/fendral/fendral.ini, where an unset or relative
// $XDG_CONFIG_HOME means ~/.config.
std::string chooseSettingsFile(const SettingsPlaceFacts& facts);

// The same choice with this system's facts for the player running the program.
std::string settingsFileFor(const std::string& programFolder);

// Creates the missing folders above the settings file, each private to the player (0700) as the
// configuration folders are meant to be; false when one cannot be made.
bool makeSettingsFolder(const std::string& settingsFile);

}  // namespace fendral::settings
