#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/file_lock.h"
#include "settings/private_profile.h"
#include "settings/settings_location.h"
#include "settings/settings_save.h"
#include "settings/settings_table.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"

namespace fendral::settings {
namespace {

namespace fs = std::filesystem;
using platform::FileLock;

constexpr std::size_t kQ2 = settingIndex("Q2location");

class Save : public ::testing::Test {
 protected:
  // The player's configuration folder is in the scratch folder too.
  void SetUp() override { ::setenv("XDG_CONFIG_HOME", scratch.at("config").c_str(), 1); }
  void TearDown() override { ::unsetenv("XDG_CONFIG_HOME"); }
  std::string ini() const { return scratch.at("fendral.ini"); }
  SettingsFiles files() const { return {ini(), ini()}; }
  LoadedSettings load() const { return {readSettings(ini()), isSymbolicLink(ini())}; }
  // Loads, sets one value and saves, as a window would.
  platform::FileOutcome saveOne(const LoadedSettings& loaded, std::size_t index,
                                const std::string& value) const {
    SettingValues edited = loaded.values;
    edited[index] = value;
    return saveChangedSettings(files(), loaded, edited);
  }

  fendral::testing::ScratchFolder scratch{"fendral-save"};
};

// Nothing is written, and the message names the file and the reason.
TEST_F(Save, RefusedSavesSayWhyAndWriteNothing) {
  scratch.put("fendral.ini", "[Main]\nQ2Location=/old\n");
  scratch.put("elsewhere.ini", "[Main]\nQ2Location=/elsewhere\n");
  const LoadedSettings loaded = load();
  // Replaced by a link between loading and saving.
  fs::rename(ini(), scratch.at("moved.ini"));
  fs::create_symlink(scratch.at("elsewhere.ini"), ini());
  platform::FileOutcome saved = saveOne(loaded, kQ2, "/new");
  EXPECT_EQ(saved.error, platform::FileError::NotRegular);
  EXPECT_EQ(saveFailurePrompt(ini(), saved),
            "The settings could not be saved in " + ini() + ": it is not a regular file.");
  EXPECT_EQ(scratch.get("elsewhere.ini"), "[Main]\nQ2Location=/elsewhere\n");
  // A file where its folder should be.
  const SettingsFiles underAFile{ini(), scratch.at("elsewhere.ini/fendral/fendral.ini")};
  saved = saveChangedSettings(underAFile, loaded, loaded.values);
  EXPECT_EQ(saveFailurePrompt(underAFile.write, saved),
            "The settings could not be saved in " + underAFile.write + ": Not a directory.");
  EXPECT_EQ(scratch.names(),
            (std::set<std::string>{".fendral.ini.lock", "elsewhere.ini", "fendral.ini", "moved.ini"}));
}

// A lock file that cannot be made (a folder in its way) leaves the save as it was without locks.
TEST_F(Save, SavesWithoutTheLockWhenItCannotBeMade) {
  fs::create_directory(scratch.at(".fendral.ini.lock"));
  ASSERT_TRUE(saveOne(load(), kQ2, "/new"));
  EXPECT_EQ(readSettings(ini())[kQ2], "/new");
}

// Two launchers saving at the same moment, each its own key, over and over: neither ever finds its
// last saved value reverted by the other, nor the file missing.
TEST_F(Save, TwoProcessesSavingAtOnceLoseNothing) {
  scratch.put("fendral.ini", "[Main]\n");
  const auto launcher = [&](std::size_t index, char name) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    std::string last;
    for (int round = 0; round < 150; ++round) {
      const LoadedSettings loaded = load();
      if (loaded.values[index] != last) ::_exit(1);
      last = name + std::to_string(round);
      if (!saveOne(loaded, index, last)) ::_exit(2);
    }
    ::_exit(0);
  };
  const pid_t pids[] = {launcher(settingIndex("G1D"), 'a'), launcher(settingIndex("G2D"), 'b')};
  for (const pid_t pid : pids) {
    int status = -1;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  const SettingValues now = readSettings(ini());
  EXPECT_EQ(now[settingIndex("G1D")] + now[settingIndex("G2D")], "a149b149");
}

// Another process holding the lock keeps it for the whole wait; killed, it leaves no lock behind. A
// folder in the lock file's place leaves no lock to take at all.
TEST_F(Save, ItsLockWaitsForItsHolderWhichLeavesNothingBehindWhenKilled) {
  const std::string path = scratch.at(".fendral.ini.lock");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    const FileLock lock = FileLock::acquire(path, 0);
    if (::write(ready[1], "x", 1) == 1 && lock.state() == FileLock::State::Held) ::pause();
    ::_exit(1);
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  EXPECT_EQ(FileLock::acquire(path, 50).state(), FileLock::State::Busy);
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_EQ(FileLock::acquire(path, 0).state(), FileLock::State::Held);
  EXPECT_EQ(FileLock::acquire(scratch.path().string(), 0).state(), FileLock::State::Unavailable);
  ::close(ready[0]);
  ::close(ready[1]);
}

TEST(SettingsLocation, ThePlayersOwnFileUnlessTheProgramsFolderIsTheirs) {
  const std::string ana = "/home/ana/.config/fendral/fendral.ini";
  const std::pair<SettingsPlaceFacts, SettingsFiles> rows[] = {
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
  for (const auto& row : rows) {
    const SettingsFiles files = chooseSettingsFiles(row.first);
    EXPECT_EQ(files.read, row.second.read) << "row " << &row - rows;
    EXPECT_EQ(files.write, row.second.write) << "row " << &row - rows;
  }
}

// The path is never read as Windows syntax: a folder named with a backslash keeps its own file.
TEST_F(Save, FindsTheFileBesideTheProgramWhateverTheFolderIsCalled) {
  scratch.put("games\\fendral/fendral.ini", "[Main]\nQ2Location=/mine\n");
  scratch.put("games/fendral.ini", "[Main]\nQ2Location=/other\n");
  const SettingsFiles files = settingsFilesFor(scratch.at("games\\fendral"));
  EXPECT_EQ(files, (SettingsFiles{scratch.at("games\\fendral/fendral.ini"),
                                  scratch.at("games\\fendral/fendral.ini")}));
  EXPECT_EQ(readSetting(kSettings[0], files.read), "/mine");
}

// A file beside the program that belongs to another user is read, never written.
TEST_F(Save, AnotherUsersFileBesideTheProgramIsOnlyRead) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root, to give the file away";
  scratch.put("games/fendral.ini", "[Main]\n");
  ASSERT_EQ(
      ::chown(scratch.at("games/fendral.ini").c_str(), fendral::testing::kNobody, fendral::testing::kNoGroup),
      0);
  const SettingsFiles files = settingsFilesFor(scratch.at("games"));
  EXPECT_EQ(files,
            (SettingsFiles{scratch.at("games/fendral.ini"), scratch.at("config/fendral/fendral.ini")}));
}

TEST_F(Save, MakesTheMissingFoldersPrivate) {
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
