#include <sys/stat.h>

#include <filesystem>
#include <fstream>

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
      {{"/games/a\\b", true, false, "", ""}, "/games/a\\b/fendral.ini"},
      {{"/usr/bin", false, false, "/home/ana/cfg", "/home/ana"}, "/home/ana/cfg/fendral/fendral.ini"},
      {{"/usr/bin", false, false, "/home/ana/cfg/", "/home/ana"}, "/home/ana/cfg/fendral/fendral.ini"},
      {{"/usr/bin", false, false, "", "/home/ana"}, "/home/ana/.config/fendral/fendral.ini"},
      {{"/usr/bin", false, false, "relative/cfg", "/home/ana/"}, "/home/ana/.config/fendral/fendral.ini"},
      {{"/usr/bin", false, false, "", ""}, "/usr/bin/fendral.ini"},  // no home at all
  };
  for (const Row& row : rows) {
    EXPECT_EQ(chooseSettingsFile(row.facts), row.expected)
        << row.facts.programFolder << " beside=" << row.facts.fileBesideProgram
        << " writable=" << row.facts.folderWritable << " xdg=" << row.facts.xdgConfigHome;
  }
}

// The path is never read as Windows syntax: a folder named with a backslash keeps its own file.
TEST(SettingsLocation, FindsTheFileBesideTheProgramWhateverTheFolderIsCalled) {
  const fendral::testing::ScratchFolder scratch;
  const std::filesystem::path program = scratch.path() / "games\\fendral";
  std::filesystem::create_directories(program);
  std::filesystem::create_directories(scratch.path() / "games");
  std::ofstream(program / "fendral.ini") << "[Main]\nQ2Location=/mine\n";
  std::ofstream(scratch.path() / "games" / "fendral.ini") << "[Main]\nQ2Location=/other\n";

  const std::string file = settingsFileFor(program.string());
  EXPECT_EQ(file, (program / "fendral.ini").string());
  EXPECT_EQ(readSetting(kSettings[0], file), "/mine");
}

TEST(SettingsLocation, SaveMakesTheMissingFoldersPrivate) {
  const fendral::testing::ScratchFolder scratch;
  const std::filesystem::path config = scratch.path() / "home" / ".config";
  const std::string file = (config / "fendral" / "fendral.ini").string();
  ASSERT_TRUE(makeSettingsFolder(file));
  for (const auto& folder : {config, config / "fendral"}) {
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << folder;
  }
  saveSetting(kSettings[0], "/q2", file);
  EXPECT_EQ(readSetting(kSettings[0], file), "/q2");
  EXPECT_TRUE(makeSettingsFolder(file));  // already there

  std::ofstream(scratch.path() / "plain") << "";  // a file where a folder should be
  EXPECT_FALSE(makeSettingsFolder((scratch.path() / "plain" / "fendral.ini").string()));
  EXPECT_FALSE(makeSettingsFolder((scratch.path() / "plain" / "sub" / "fendral.ini").string()));
}

}  // namespace
}  // namespace fendral::settings
