#pragma once

#include <string>
#include <vector>

#include "launch/command_line.h"
#include "platform/platform.h"

namespace fendral::launch {

// The subdirectory of the chosen custom game; "" for the standard game.
const std::string& chosenSubdirectory(const CommandLineInputs& inputs);

// What starts the game with `engine`, always in the Quake 2 folder.
platform::ProgramStart gameStart(const CommandLineInputs& inputs, const platform::GameEngine& engine);

}  // namespace fendral::launch
