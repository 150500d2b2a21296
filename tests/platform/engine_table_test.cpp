#include "platform/engine_table.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "support/recording_platform.h"
#include "support/scratch_folder.h"

namespace fendral::platform {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

// Installs laid out in a scratch folder that stands for the root of the system; each test runs inside it.
class EngineTableTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::current_path(dir); }
  void TearDown() override { fs::current_path(previous_); }

  // Executable scripts, made with their folders.
  void programs(std::initializer_list<std::string> names) const {
    for (const std::string& name : names) scratch.put(name, "#!/bin/sh\n", 0755);
  }
  void folders(std::initializer_list<std::string> names) const {
    for (const std::string& name : names) fs::create_directories(dir + "/" + name);
  }
  // The first word of the engine's command, the words after it, and where the data is said to be.
  static std::optional<Words> summary(const std::optional<GameEngine>& engine) {
    if (!engine) return std::nullopt;
    Words words = engine->command;
    words.push_back("data=" + engine->dataFolder);
    words.push_back(std::to_string(static_cast<int>(engine->dialect)));
    return words;
  }

  fendral::testing::ScratchFolder scratch{"fendral-engines"};
  std::string dir = scratch.path().string();
  EngineSearch search{"", dir, dir + "/home/.local/share/flatpak", dir + "/home", ""};

 private:
  const fs::path previous_ = fs::current_path();
};

constexpr int kYamagi = static_cast<int>(Dialect::Yamagi), kQ2pro = static_cast<int>(Dialect::Q2pro),
              kWindows = static_cast<int>(Dialect::Windows);

// Every row of the table in turn: each case takes away what won the one before.
TEST_F(EngineTableTest, FirstEngineOfTheTableThatIsThereWins) {
  const std::string q2 = dir + "/my games/q2", mod = q2 + "/winmod";
  programs({"my games/q2/quake2", "my games/q2/q2pro", "usr/lib/yamagi-quake2/quake2",
            "usr/lib/yquake2/yquake2", "bin/yamagi-quake2", "bin/yquake2", "bin/quake2", "bin/q2pro",
            "bin/flatpak", "wine/wine", "usr/games/quake2", "yquake2"});
  scratch.put("my games/q2/quake2.exe", "MZ", 0644);
  scratch.put("my games/q2/winmod/gamex86.dll", "MZ", 0644);
  folders({"my games/q2/baseq2", "var/lib/flatpak/app/org.yamagi.YamagiQ2/current/active",
           "home/.local/share/flatpak/app/com.github.skullernet.q2pro/current/active"});
  // An empty PATH entry must not mean the current folder, which holds a yquake2.
  search.path = ":" + dir + "/usr/games:" + dir + "/bin::" + dir + "/wine";
  const std::string bin = dir + "/bin/", flatpak = bin + "flatpak", grant = "--filesystem=" + q2 + ":ro";
  const struct {
    std::string removed;  // before the choice
    std::string game;
    std::optional<Words> expected;
  } cases[] = {
      {"", "winmod", Words{dir + "/wine/wine", q2 + "/quake2.exe", "data=", std::to_string(kWindows)}},
      {"", "", Words{q2 + "/quake2", "data=", std::to_string(kYamagi)}},
      {"my games/q2/quake2", "", Words{q2 + "/q2pro", "data=" + q2, std::to_string(kQ2pro)}},
      // Debian's engine before the PATH's quake2, which is its wrapper.
      {"my games/q2/q2pro", "",
       Words{dir + "/usr/lib/yamagi-quake2/quake2", "data=" + q2, std::to_string(kYamagi)}},
      {"usr/lib/yamagi-quake2/quake2", "",
       Words{dir + "/usr/lib/yquake2/yquake2", "data=" + q2, std::to_string(kYamagi)}},
      {"usr/lib/yquake2/yquake2", "", Words{bin + "yamagi-quake2", "data=" + q2, std::to_string(kYamagi)}},
      {"bin/yamagi-quake2", "", Words{bin + "yquake2", "data=" + q2, std::to_string(kYamagi)}},
      {"bin/yquake2", "", Words{dir + "/usr/games/quake2", "data=" + q2, std::to_string(kYamagi)}},
      {"usr/games/quake2", "", Words{bin + "quake2", "data=" + q2, std::to_string(kYamagi)}},
      {"bin/quake2", "", Words{bin + "q2pro", "data=" + q2, std::to_string(kQ2pro)}},
      {"bin/q2pro", "",
       Words{flatpak, "run", "--command=quake2", grant, "org.yamagi.YamagiQ2", "data=" + q2,
             std::to_string(kYamagi)}},
      {"var/lib/flatpak/app/org.yamagi.YamagiQ2/current/active", "",
       Words{flatpak, "run", "--command=q2pro", grant, "com.github.skullernet.q2pro", "data=" + q2,
             std::to_string(kQ2pro)}},
      {"bin/flatpak", "", Words{dir + "/wine/wine", q2 + "/quake2.exe", "data=", std::to_string(kWindows)}},
      {"wine/wine", "", std::nullopt},
  };
  for (const auto& [removed, game, expected] : cases) {
    if (!removed.empty()) fs::remove(dir + "/" + removed);
    EXPECT_EQ(summary(chooseGameEngine(q2, game, search)), expected) << "without " << removed;
  }
  // A Windows-only mod without wine goes to nothing special, and the automatic choice takes no engine
  // of the system for a folder without game data.
  programs({"bin/q2pro", "bin/flatpak"});
  fs::create_directories(dir + "/empty");
  EXPECT_EQ(chooseGameEngine(dir + "/empty", "", search), std::nullopt);
  EXPECT_EQ(summary(chooseGameEngine(q2 + "\\", "winmod", search)),
            (Words{bin + "q2pro", "data=" + q2 + "/", std::to_string(kQ2pro)}));
  EXPECT_EQ(foundEngines(dir + "/empty", search).size(), 2u);  // q2pro and the Q2PRO app
}

// A Flatpak app is there only with its active folder and flatpak on the PATH; the folder is granted
// read-only under the name the sandbox knows it by, or not at all.
TEST_F(EngineTableTest, FlatpakAppsNeedAnInstallAndAGrantableFolder) {
  programs({"bin/flatpak"});
  search.path = dir + "/bin";
  const std::string app = "var/lib/flatpak/app/org.yamagi.YamagiQ2/current/active";
  fs::create_directories(dir + "/var/lib/flatpak/app/org.yamagi.YamagiQ2/current");
  fs::create_symlink(dir + "/nowhere", dir + "/" + app);
  folders({"q2/baseq2", "q2:x/baseq2", "q2,x/baseq2", "home/.var/app/org.yamagi.YamagiQ2/data/baseq2"});
  EXPECT_EQ(chooseGameEngine(dir + "/q2", "", search), std::nullopt) << "a dangling link is no install";
  fs::remove(dir + "/" + app);
  folders({app});
  EXPECT_EQ(chooseGameEngine(dir + "/q2:x", "", search), std::nullopt) << "a \":\" cannot be granted";
  EXPECT_EQ(chooseGameEngine(dir + "/q2,x", "", search)->command[3], "--filesystem=" + dir + "/q2,x:ro");
  const std::string own = dir + "/home/.var/app/org.yamagi.YamagiQ2/data";
  EXPECT_EQ(chooseGameEngine(own, "", search)->command,
            (Words{dir + "/bin/flatpak", "run", "--command=quake2", "org.yamagi.YamagiQ2"}));
  search.path = dir + "/none";
  EXPECT_EQ(chooseGameEngine(dir + "/q2", "", search), std::nullopt) << "no flatpak on the PATH";

  const std::pair<std::string, std::optional<FlatpakGrant>> grants[] = {
      {"/usr/share/games/quake2",
       FlatpakGrant{"--filesystem=host-os:ro", "/run/host/usr/share/games/quake2"}},
      {"/usr", FlatpakGrant{"--filesystem=host-os:ro", "/run/host/usr"}},
      {"/usrlocal/q2", FlatpakGrant{"--filesystem=/usrlocal/q2:ro", "/usrlocal/q2"}},
      {"/home/a/.var/app/X", FlatpakGrant{"", "/home/a/.var/app/X"}},
      {"/home/a/.var/app/X/q2", FlatpakGrant{"", "/home/a/.var/app/X/q2"}},
      {"/home/a/.var/app/XY", FlatpakGrant{"--filesystem=/home/a/.var/app/XY:ro", "/home/a/.var/app/XY"}},
      {"/home/a/q2:ro", std::nullopt},
  };
  for (const auto& [folder, expected] : grants)
    EXPECT_EQ(flatpakGrant(folder, "/home/a/.var/app/X"), expected) << folder;
}

// The player's engine is one name, never split, and the only one tried: its dialect follows its name.
TEST_F(EngineTableTest, PlayersChoiceIsTheOnlyOneTried) {
  programs({"q2/quake2", "bin/q2pro-1.0", "bin/Q2RTX", "bin/my engine $(x) \"q\"", "bin/wine", "bin/flatpak",
            "q2/yq2"});
  scratch.put("q2/game.exe", "MZ", 0644);
  scratch.put("bin/noexec", "#!/bin/sh\n", 0644);
  folders({"q2/baseq2", "bin/folder", "home/.local/share/flatpak/app/org.example.q2pro/current/active"});
  ASSERT_EQ(::mkfifo((dir + "/bin/fifo").c_str(), 0755), 0);
  fs::create_symlink(dir + "/nowhere", dir + "/bin/dangling");
  search.path = dir + "/bin";
  const std::string q2 = dir + "/q2";
  const struct {
    std::string choice;
    std::optional<Words> expected;
  } cases[] = {
      {"q2pro-1.0", Words{dir + "/bin/q2pro-1.0", "data=" + q2, std::to_string(kQ2pro)}},
      {dir + "/bin/Q2RTX", Words{dir + "/bin/Q2RTX", "data=" + q2, std::to_string(kQ2pro)}},
      {"my engine $(x) \"q\"",
       Words{dir + "/bin/my engine $(x) \"q\"", "data=" + q2, std::to_string(kYamagi)}},
      {q2 + "/yq2", Words{q2 + "/yq2", "data=", std::to_string(kYamagi)}},  // beside the data
      {q2 + "/game.exe", Words{dir + "/bin/wine", q2 + "/game.exe", "data=", std::to_string(kWindows)}},
      {"org.example.q2pro", Words{dir + "/bin/flatpak", "run", "--filesystem=" + q2 + ":ro",
                                  "org.example.q2pro", "data=" + q2, std::to_string(kQ2pro)}},
      {"org.yamagi.YamagiQ2", std::nullopt},  // not installed: no fall back to the quake2 beside the data
      {"missing", std::nullopt},
      {"noexec", std::nullopt},
      {"folder", std::nullopt},
      {"fifo", std::nullopt},
      {"dangling", std::nullopt},
      {"bin/q2pro-1.0", std::nullopt},  // neither absolute nor a bare name
      {"my", std::nullopt},
  };
  for (const auto& [choice, expected] : cases) {
    search.playerChoice = choice;
    EXPECT_EQ(summary(chooseGameEngine(q2, "", search)), expected) << choice;
  }
}

}  // namespace
}  // namespace fendral::platform
