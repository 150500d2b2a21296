#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "settings/private_profile.h"
#include "settings/settings_save.h"
#include "support/scratch_folder.h"

namespace fendral::settings {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kQ2 = settingIndex("Q2location");
constexpr std::size_t kOptions = settingIndex("Options");

class Save : public ::testing::Test {
 protected:
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

// Launcher A, open since before launcher B saved a new folder, saves only an options change: B's
// folder stays, and so does a key the table does not know; a long value comes back whole.
TEST_F(Save, WritesWhatThisWindowChangedAndReadsItBackWhole) {
  scratch.put("fendral.ini", "[Main]\r\nQ2Location=/old\r\nEngine=q2pro\r\n");
  const LoadedSettings a = load();
  ASSERT_TRUE(saveOne(load(), kQ2, "/from-b"));
  const std::string options = "+set cvar_number_12 " + std::string(300, 'v');
  ASSERT_TRUE(saveOne(a, kOptions, options));
  const SettingValues now = readSettings(ini());
  EXPECT_EQ(now[kQ2], "/from-b");
  EXPECT_EQ(now[kOptions], options);
  const std::string text = scratch.get("fendral.ini");
  EXPECT_TRUE(text.starts_with("[Main]\r\nQ2Location=/from-b\r\nEngine=q2pro\r\nCDLocation=\r\n")) << text;
}

// The player's own file does not exist yet: the first Save copies the shared file's other lines.
TEST_F(Save, TheFirstSaveIntoTheOwnFileCopiesTheSharedOne) {
  const std::string shared = "; for everyone\n[Main]\nQ2Location=/srv/q2\nCDaudio=True\n[Keep]\nk=v\n";
  scratch.put("games/fendral.ini", shared);
  const SettingsFiles place{scratch.at("games/fendral.ini"), scratch.at("home/cfg/fendral/fendral.ini")};
  LoadedSettings loaded{readSettings(place.read), false};
  SettingValues edited = loaded.values;
  edited[kOptions] = "+set mine 1";
  ASSERT_TRUE(saveChangedSettings(place, loaded, edited));
  EXPECT_EQ(scratch.get("games/fendral.ini"), shared);
  const std::string own = scratch.get("home/cfg/fendral/fendral.ini");
  EXPECT_TRUE(own.starts_with(
      "; for everyone\n[Main]\nQ2Location=/srv/q2\nCDaudio=True\nCDLocation=\nOptions=+set mine 1\n"))
      << own;
  EXPECT_NE(own.find("[Keep]\nk=v\n"), std::string::npos);
}

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
  // A folder in its place; a file where its folder should be.
  fs::remove(ini());
  fs::create_directory(ini());
  EXPECT_EQ(saveOne(loaded, kQ2, "/new").error, platform::FileError::NotRegular);
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

}  // namespace
}  // namespace fendral::settings
