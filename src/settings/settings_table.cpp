#include "settings/settings_table.h"

#include "settings/private_profile.h"

namespace fendral::settings {

std::string readSetting(const Setting& setting, const std::string& iniPath) {
  return readProfileString(kSection, setting.loadKey, iniPath, kWholeValue);
}

SettingValues readSettings(const std::string& iniPath) {
  SettingValues values;
  for (std::size_t i = 0; i < kSettings.size(); ++i) values[i] = readSetting(kSettings[i], iniPath);
  return values;
}

}  // namespace fendral::settings
