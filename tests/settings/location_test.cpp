#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "settings/settings_location.h"
#include "settings/settings_table.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"

namespace fendral::settings {
namespace {

TEST(SettingsLocation, ThePlayersOwnFileUnlessTheProgramsFolderIsTheirs) {
  const std::string ana = "/home/ana/.config/fendral/fendral.ini";
  struct Row {
    SettingsPlaceFacts facts;
    SettingsFiles expected;
  };
  const Row rows[] = {
      // Portable: the file beside the program is the player's, or may be made there.
      {{"/opt/fendral", true, true, false, "", "/home/ana"},
       {"/opt/fendral/fendral.ini", "/opt/fendral/fendral.ini"}},
      {{"/usrx/bin", false, true, false, "", "/home/ana"},
       {"/usrx/bin/fendral.ini", "/usrx/bin/fendral.ini"}},
      {{"/", true, true, false, "", ""}, {"/fendral.ini", "/fendral.ini"}},
      // The player's own file, once there, is read and written whatever stands beside the program.
      {{"/opt/fendral", true, true, true, "/cfg/", "/home/ana"},
       {"/cfg/fendral/fendral.ini", "/cfg/fendral/fendral.ini"}},
      // A shared file the player may not write (root's, say) is read until the first Save copies it.
      {{"/opt/fendral", true, false, false, "relative/cfg", "/home/ana/"}, {"/opt/fendral/fendral.ini", ana}},
      // Under /usr the package manager owns the files: root too saves into its own folder.
      {{"/usr/bin", false, true, false, "", "/root"},
       {"/root/.config/fendral/fendral.ini", "/root/.config/fendral/fendral.ini"}},
      {{"/usr/local/games", true, true, false, "/root/cfg", "/root"},
       {"/usr/local/games/fendral.ini", "/root/cfg/fendral/fendral.ini"}},
      // Without a home there is no better place than the program's folder.
      {{"/usr/bin", false, false, false, "", ""}, {"/usr/bin/fendral.ini", "/usr/bin/fendral.ini"}},
  };
  for (const Row& row : rows) {
    const SettingsFiles files = chooseSettingsFiles(row.facts);
    EXPECT_EQ(files.read, row.expected.read) << "row " << &row - rows;
    EXPECT_EQ(files.write, row.expected.write) << "row " << &row - rows;
  }
}

class SettingsPlace : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("XDG_CONFIG_HOME", scratch.at("config").c_str(), 1); }
  void TearDown() override { ::unsetenv("XDG_CONFIG_HOME"); }
  fendral::testing::ScratchFolder scratch;
};

// The path is never read as Windows syntax: a folder named with a backslash keeps its own file.
TEST_F(SettingsPlace, FindsTheFileBesideTheProgramWhateverTheFolderIsCalled) {
  scratch.put("games\\fendral/fendral.ini", "[Main]\nQ2Location=/mine\n");
  scratch.put("games/fendral.ini", "[Main]\nQ2Location=/other\n");
  const SettingsFiles files = settingsFilesFor(scratch.at("games\\fendral"));
  EXPECT_EQ(files, (SettingsFiles{scratch.at("games\\fendral/fendral.ini"),
                                  scratch.at("games\\fendral/fendral.ini")}));
  EXPECT_EQ(readSetting(kSettings[0], files.read), "/mine");
}

// A file beside the program that belongs to another user is read, never written.
TEST_F(SettingsPlace, AnotherUsersFileBesideTheProgramIsOnlyRead) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root, to give the file away";
  scratch.put("games/fendral.ini", "[Main]\n");
  ASSERT_EQ(
      ::chown(scratch.at("games/fendral.ini").c_str(), fendral::testing::kNobody, fendral::testing::kNoGroup),
      0);
  const SettingsFiles files = settingsFilesFor(scratch.at("games"));
  EXPECT_EQ(files,
            (SettingsFiles{scratch.at("games/fendral.ini"), scratch.at("config/fendral/fendral.ini")}));
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
  EXPECT_FALSE(makeSettingsFolder(scratch.at("plain/fendral.ini")));
}

}  // namespace
}  // namespace fendral::settings
