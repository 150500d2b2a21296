#include "settings/settings_table.h"
#include "temp_folder.h"

namespace fendral::settings {
namespace {

TEST(SettingsFilePath, AddsABackslashOnlyWhenMissing) {
  EXPECT_EQ(settingsFilePath("C:\\"), "C:\\fendral.ini");
  EXPECT_EQ(settingsFilePath("C:\\Games\\Fendral"), "C:\\Games\\Fendral\\fendral.ini");
}

class SettingsTable : public TempFolder {};

TEST_F(SettingsTable, EverySettingRoundTripsIncludingTheJoystickSpelling) {
  for (const Setting& setting : kSettings) saveSetting(setting, std::string(setting.field) + " value", ini());
  for (const Setting& setting : kSettings) {
    EXPECT_EQ(readSetting(setting, ini()), std::string(setting.field) + " value") << setting.field;
  }
  const std::string file = get();
  EXPECT_TRUE(file.starts_with("[Main]\r\nQ2Location=Q2location value\r\n"));
  EXPECT_NE(file.find("\r\nJoystick=Joystick value\r\n"), std::string::npos);
}

}  // namespace
}  // namespace fendral::settings
