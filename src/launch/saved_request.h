#pragma once

#include <optional>
#include <string>

#include "launch/launch_sequence.h"
#include "settings/settings_table.h"

namespace fendral::launch {

// What the window hands Launch right after loading the settings file at `iniPath`, untouched: the
// saved values, only a stored "True" switching a setting on, and the two choices the file does not
// hold.
LaunchRequest savedLaunchRequest(const std::string& iniPath, GameChoice gameChoice, GameType gameType);

// The same from values already read from the file, or taken from the window's fields.
LaunchRequest savedLaunchRequest(const settings::SettingValues& saved, GameChoice gameChoice,
                                 GameType gameType);

// The engine for this run: `forThisRun` when given, else Engine= in the file at `iniPath`; empty for the
// automatic choice.
std::string chosenEngine(const std::string& iniPath, const std::optional<std::string>& forThisRun);

}  // namespace fendral::launch
