#pragma once

#include <array>
#include <string>
#include <string_view>

namespace fendral::settings {

enum class SettingKind { Text, Switch };

// One setting of the record: the only place its names are spelled.
struct Setting {
  std::string_view field;    // name of the record field, as in Read_ini_<field>
  std::string_view loadKey;  // key asked for when the window is filled
  std::string_view saveKey;  // key written on save (differs only in letter case, for the joystick)
  std::string_view control;  // object name of the main-window text box that holds it
  SettingKind kind;
};

inline constexpr std::string_view kSection = "Main";
inline constexpr std::string_view kFileName = "fendral.ini";
inline constexpr std::string_view kSwitchOn = "True";
inline constexpr std::string_view kSwitchOff = "False";

// In the order the reload reads them and the save writes them.
inline constexpr std::array<Setting, 18> kSettings{{
    {"Q2location", "Q2Location", "Q2Location", "txtQ2path", SettingKind::Text},
    {"CDlocation", "CDLocation", "CDLocation", "txtCDpath", SettingKind::Text},
    {"Options", "Options", "Options", "txtOptions", SettingKind::Text},
    {"ServerIP", "ServerIP", "ServerIP", "txtServerIP", SettingKind::Text},
    {"Config", "Config", "Config", "txtConfig", SettingKind::Text},
    {"G1D", "G1D", "G1D", "txtG1D", SettingKind::Text},
    {"G2D", "G2D", "G2D", "txtG2D", SettingKind::Text},
    {"G3D", "G3D", "G3D", "txtG3D", SettingKind::Text},
    {"G1C", "G1C", "G1C", "txtG1C", SettingKind::Text},
    {"G2C", "G2C", "G2C", "txtG2C", SettingKind::Text},
    {"G3C", "G3C", "G3C", "txtG3C", SettingKind::Text},
    {"G1Config", "G1Config", "G1Config", "txtG1Config", SettingKind::Text},
    {"G2Config", "G2Config", "G2Config", "txtG2Config", SettingKind::Text},
    {"G3Config", "G3Config", "G3Config", "txtG3Config", SettingKind::Text},
    {"Joystick", "JoyStick", "Joystick", "txtJoystick", SettingKind::Switch},
    {"CDaudio", "CDaudio", "CDaudio", "txtCDaudio", SettingKind::Switch},
    {"BatchFileStatus", "BatchFileStatus", "BatchFileStatus", "txtBatchFileStatus", SettingKind::Switch},
    {"BatchFileLocation", "BatchFileLocation", "BatchFileLocation", "txtBatchFileLocation",
     SettingKind::Text},
}};

// The player's engine: no field of the window holds it, so Save leaves it as the file has it.
inline constexpr std::string_view kEngineKey = "Engine";

// Where a setting stands in the table, by its field name.
constexpr std::size_t settingIndex(std::string_view field) {
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    if (kSettings[i].field == field) return i;
  }
  throw "no such setting";  // a misspelt name fails the build where this is evaluated at compile time
}

// Every setting's value, in the order of the table.
using SettingValues = std::array<std::string, kSettings.size()>;

// Only the exact word "True" switches a setting on.
inline bool switchIsOn(std::string_view stored) {
  return stored == kSwitchOn;
}
inline std::string_view switchWord(bool on) {
  return on ? kSwitchOn : kSwitchOff;
}

// The reader every setting goes through: the whole value, however long, or "" when the file cannot be
// read.
std::string readSetting(const Setting& setting, const std::string& iniPath);
SettingValues readSettings(const std::string& iniPath);

}  // namespace fendral::settings
