#include "settings/settings_table.h"

#include "settings/private_profile.h"

namespace fendral::settings {

std::string readSetting(const Setting& setting, const std::string& iniPath) {
  return readProfileString(kSection, setting.loadKey, iniPath);
}

SettingValues readSettings(const std::string& iniPath) {
  SettingValues values;
  for (std::size_t i = 0; i < kSettings.size(); ++i) values[i] = readSetting(kSettings[i], iniPath);
  return values;
}

void saveSetting(const Setting& setting, std::string_view value, const std::string& iniPath) {
  // A failed write goes unnoticed by design: the file keeps its old content.
  (void)writeProfileString(kSection, setting.saveKey, value, iniPath);
}

}  // namespace fendral::settings
