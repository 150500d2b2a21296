#include <filesystem>

#include <gtest/gtest.h>

#include "settings/settings_location.h"
#include "settings/settings_table.h"
#include "support/scratch_folder.h"

namespace fendral::settings {
namespace {

TEST(SettingsLocation, BesideTheProgramWhenPortableElseInTheConfigurationFolder) {
  struct Row {
    SettingsPlaceFacts facts;
    const char* expected;
  };
  const Row rows[] = {
      {{"/opt/fendral", true, false, "/cfg", "/home/ana"}, "/opt/fendral/fendral.ini"},
      {{"/opt/fendral", false, true, "/cfg", "/home/ana"}, "/opt/fendral/fendral.ini"},
      {{"/", true, false, "", ""}, "/fendral.ini"},
      {{"/usr/bin", false, false, "/home/ana/cfg", "/home/ana"}, "/home/ana/cfg/fendral/fendral.ini"},
      {{"/usr/bin", false, false, "/home/ana/cfg/", "/home/ana"}, "/home/ana/cfg/fendral/fendral.ini"},
      {{"/usr/bin", false, false, "", "/home/ana"}, "/home/ana/.config/fendral/fendral.ini"},
      {{"/usr/bin", false, false, "relative/cfg", "/home/ana/"}, "/home/ana/.config/fendral/fendral.ini"},
      {{"/usr/bin", false, false, "", ""}, "/usr/bin/fendral.ini"},  // no home at all
  };
  for (const Row& row : rows) {
    EXPECT_EQ(chooseSettingsFile(row.facts), row.expected) << "row " << &row - rows;
  }
}

// The path is never read as Windows syntax: a folder named with a backslash keeps its own file.
TEST(SettingsLocation, FindsTheFileBesideTheProgramWhateverTheFolderIsCalled) {
  const fendral::testing::ScratchFolder scratch;
  scratch.put("games\\fendral/fendral.ini", "[Main]\nQ2Location=/mine\n");
  scratch.put("games/fendral.ini", "[Main]\nQ2Location=/other\n");
  const std::string file = settingsFileFor(scratch.at("games\\fendral"));
  EXPECT_EQ(file, scratch.at("games\\fendral/fendral.ini"));
  EXPECT_EQ(readSetting(kSettings[0], file), "/mine");
}

TEST(SettingsLocation, SaveMakesTheMissingFoldersPrivate) {
  const fendral::testing::ScratchFolder scratch;
  const std::string file = scratch.at("home/.config/fendral/fendral.ini");
  ASSERT_TRUE(makeSettingsFolder(file));
  EXPECT_TRUE(makeSettingsFolder(file));  // already there
  for (const char* folder : {"home/.config", "home/.config/fendral"}) {
    EXPECT_EQ(std::filesystem::status(scratch.at(folder)).permissions(), std::filesystem::perms(0700))
        << folder;
  }
  scratch.put("plain", "");  // a file where a folder should be
  EXPECT_FALSE(makeSettingsFolder(scratch.at("plain/sub/fendral.ini")));
}

}  // namespace
}  // namespace fendral::settings
