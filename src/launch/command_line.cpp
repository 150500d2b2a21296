#include "launch/command_line.h"

#include <cstddef>

namespace fendral::launch {

namespace {

// Index 0..2 of the selected custom game; only meaningful when the choice is not Standard.
std::size_t customIndex(GameChoice choice) {
  return static_cast<std::size_t>(choice) - 1;
}

}  // namespace

std::string composeGameCommandLine(const CommandLineInputs& in) {
  const bool standard = in.gameChoice == GameChoice::Standard;
  std::string line;
  line.reserve(160 + 2 * in.q2Folder.size() + in.options.size() + in.serverAddress.size());

  line += in.q2Folder;
  line += "\\quake2.exe";

  if (standard) {
    line += " ";
  } else {
    line += " +set game ";
    line += in.customSubdirectory[customIndex(in.gameChoice)];
    line += " ";
  }

  if (in.gameType == GameType::MultiplayerClient) {
    line += " +Connect ";
    line += in.serverAddress;
  } else {
    line += " ";
  }

  line += " ";
  line += in.options;
  line += " ";

  line += " +set cddir ";
  line += in.cdDriveLetter;
  line += ":\\install\\data +set basedir ";
  line += in.q2Folder;
  line += " ";

  if (standard) {
    line += " + exec \\";
    line += in.standardConfig;
  } else {
    line += " + exec ";
    line += in.customConfig[customIndex(in.gameChoice)];
  }
  line += " ";

  if (!in.cdAudio) line += " -nocdaudio ";
  if (!in.joystick) line += " -nojoy ";
  return line;
}

}  // namespace fendral::launch
