#include "settings/settings_table.h"

#include "settings/private_profile.h"

namespace fendral::settings {

std::string readSetting(const Setting& setting, const std::string& iniPath) {
  return readProfileString(kSection, setting.loadKey, iniPath);
}

void saveSetting(const Setting& setting, std::string_view value, const std::string& iniPath) {
  // A failed write goes unnoticed by design: the file keeps its old content.
  (void)writeProfileString(kSection, setting.saveKey, value, iniPath);
}

}  // namespace fendral::settings
