#pragma once

#include <string>
#include <vector>

#include "launch/command_line.h"
#include "platform/platform.h"

namespace fendral::launch {

// The subdirectory of the chosen custom game; "" for the standard game.
const std::string& chosenSubdirectory(const CommandLineInputs& inputs);

// The words of the composed command line after "quake2.exe", split at blanks: what quake2.exe gets.
std::vector<std::string> windowsArguments(const CommandLineInputs& inputs);

// The launch's meaning in a native engine's own words: game, connect address, extra options, config,
// music and gamepad; `-datadir` first for an engine that does not live in the Quake 2 folder.
std::vector<std::string> nativeArguments(const CommandLineInputs& inputs, bool givesDataFolder);

// What starts the game with `engine`, always in the Quake 2 folder.
platform::ProgramStart gameStart(const CommandLineInputs& inputs, const platform::GameEngine& engine);

}  // namespace fendral::launch
