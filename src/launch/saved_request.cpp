#include "launch/saved_request.h"

#include <array>

#include "settings/private_profile.h"

namespace fendral::launch {

LaunchRequest savedLaunchRequest(const std::string& iniPath, GameChoice gameChoice, GameType gameType) {
  return savedLaunchRequest(settings::readSettings(iniPath), gameChoice, gameType);
}

LaunchRequest savedLaunchRequest(const settings::SettingValues& saved, GameChoice gameChoice,
                                 GameType gameType) {
  const auto value = [&](std::string_view field) -> const std::string& {
    return saved[settings::settingIndex(field)];
  };

  LaunchRequest request;
  CommandLineInputs& game = request.game;
  game.q2Folder = value("Q2location");
  game.cdDriveLetter = value("CDlocation");
  game.options = value("Options");
  game.serverAddress = value("ServerIP");
  game.standardConfig = value("Config");
  const std::array<std::string_view, 3> subdirectories{"G1C", "G2C", "G3C"};
  const std::array<std::string_view, 3> configs{"G1Config", "G2Config", "G3Config"};
  for (std::size_t n = 0; n < 3; ++n) {
    game.customSubdirectory[n] = value(subdirectories[n]);
    game.customConfig[n] = value(configs[n]);
  }
  game.gameType = gameType;
  game.gameChoice = gameChoice;
  game.cdAudio = settings::switchIsOn(value("CDaudio"));
  game.joystick = settings::switchIsOn(value("Joystick"));
  request.batchFileName = value("BatchFileLocation");
  request.batchUse = settings::switchIsOn(value("BatchFileStatus"));
  return request;
}

std::string chosenEngine(const std::string& iniPath, const std::optional<std::string>& forThisRun) {
  if (forThisRun) return *forThisRun;
  return settings::readProfileString(settings::kSection, settings::kEngineKey, iniPath);
}

}  // namespace fendral::launch
