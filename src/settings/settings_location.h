#pragma once

#include <string>

#include "platform/file_content.h"

namespace fendral::settings {

// The file the settings are read from and the one Save writes. They differ when the player's own
// file does not exist yet and a shared file stands beside the program: the first Save copies it along.
struct SettingsFiles {
  std::string read;
  std::string write;

  bool operator==(const SettingsFiles&) const = default;
};

// What decides where the settings file lives; every path is a host path.
struct SettingsPlaceFacts {
  std::string programFolder;
  bool besideExists = false;    // fendral.ini is there
  bool besideWritable = false;  // this player may write it, owning it, or create it in that folder
  bool ownExists = false;       // the player's own file is there
  std::string xdgConfigHome;    // $XDG_CONFIG_HOME as set, possibly empty
  std::string home;             // the player's home folder
};

// The player's own file, $XDG_CONFIG_HOME/fendral/fendral.ini, where an unset or relative
// $XDG_CONFIG_HOME means ~/.config; empty without a home.
std::string ownSettingsFile(const std::string& xdgConfigHome, const std::string& home);

// The player's own file when it exists; else fendral.ini beside the program, so a copy unpacked
// anywhere stays portable, but written there only when this player may write it and the program does
// not live under /usr, where the package manager owns the files. Otherwise Save writes the player's
// own file, so one run as root never takes over the players' settings.
SettingsFiles chooseSettingsFiles(const SettingsPlaceFacts& facts);

// The same choice with this system's facts for the player running the program.
SettingsFiles settingsFilesFor(const std::string& programFolder);

// Creates the missing folders above the settings file, each private to the player (0700) as the
// configuration folders are meant to be.
platform::FileOutcome makeSettingsFolder(const std::string& settingsFile);

}  // namespace fendral::settings
