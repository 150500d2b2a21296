#pragma once

#include <string>

#include "platform/file_content.h"
#include "settings/settings_location.h"
#include "settings/settings_table.h"

namespace fendral::settings {

// The settings as the window loaded them, the baseline of what the player changed.
struct LoadedSettings {
  SettingValues values;
  bool writeFileWasLink = false;  // the file Save writes was a symbolic link then
};

// Noted when the settings are loaded: a file that became a link since then is not written.
bool isSymbolicLink(const std::string& path);

// Writes each value of `edited` that differs from the loaded one, and every value whose key the file
// lacks, in one rewrite of `files.write`; the file's other keys stay as it holds them now, so what a
// second launcher saved meanwhile survives. A missing file starts as a copy of `files.read`. Saves are
// serialized across processes by an advisory lock on a lock file beside the file (without it when the
// lock file cannot be made; failing when another process keeps it for 5 s). A file that became a
// symbolic link since it was loaded is not written.
platform::FileOutcome saveChangedSettings(const SettingsFiles& files, const LoadedSettings& loaded,
                                          const SettingValues& edited);

// The message for a Save that failed: the file and the system's reason.
std::string saveFailurePrompt(const std::string& file, const platform::FileOutcome& outcome);

}  // namespace fendral::settings
