#pragma once

#include <array>
#include <string>

namespace fendral::launch {

enum class GameType { SinglePlayer, MultiplayerClient };
enum class GameChoice { Standard, Custom1, Custom2, Custom3 };

struct CommandLineInputs {
  // Each with a default, so that an initializer may name only the fields it sets.
  std::string q2Folder{}, cdDriveLetter{}, options{}, serverAddress{}, standardConfig{};
  std::array<std::string, 3> customSubdirectory{}, customConfig{};
  GameType gameType = GameType::SinglePlayer;
  GameChoice gameChoice = GameChoice::Standard;
  bool cdAudio = false;
  bool joystick = false;
};

// The one text the game is started with: every value inserted unchanged, every blank from the grammar.
std::string composeGameCommandLine(const CommandLineInputs& inputs);

}  // namespace fendral::launch
