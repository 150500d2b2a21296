#include "platform/engine_table.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "support/scratch_folder.h"

namespace fendral::platform {
namespace {

namespace fs = std::filesystem;

// Installs laid out in a scratch folder that stands for the root of the system; each test runs inside it.
class EngineTableTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::current_path(dir); }
  void TearDown() override { fs::current_path(previous_); }

  void programs(std::initializer_list<std::string> names) const {
    for (const std::string& name : names) scratch.put(name, "#!/bin/sh\n", 0755);
  }
  void folders(std::initializer_list<std::string> names) const {
    for (const std::string& name : names) fs::create_directories(dir + "/" + name);
  }
  // The dialect's letter, the command's words and <the data folder as the engine is told it>.
  std::string chosen(const std::string& q2, const std::string& game = "") const {
    const std::optional<GameEngine> engine = chooseGameEngine(q2, game, search);
    if (!engine) return "none";
    std::string text(1, "YPW"[static_cast<int>(engine->dialect)]);
    for (const std::string& word : engine->command) text += " " + word;
    return text + " <" + engine->dataFolder + ">";
  }

  fendral::testing::ScratchFolder scratch{"fendral-engines"};
  std::string dir = scratch.path().string();
  EngineSearch search{"", dir, dir + "/home/.local/share/flatpak", dir + "/home", ""};

 private:
  const fs::path previous_ = fs::current_path();
};

// Every row of the table in turn: each case takes away what won the one before.
TEST_F(EngineTableTest, FirstEngineOfTheTableThatIsThereWins) {
  const std::string q2 = dir + "/my games/q2", bin = dir + "/bin/", data = " <" + q2 + ">";
  programs({"my games/q2/quake2", "my games/q2/q2pro", "usr/lib/yamagi-quake2/quake2",
            "usr/lib/yquake2/yquake2", "bin/yamagi-quake2", "bin/yquake2", "bin/quake2", "bin/q2pro",
            "bin/flatpak", "wine/wine", "usr/games/quake2", "yquake2"});
  scratch.put("my games/q2/quake2.exe", "MZ", 0644);
  scratch.put("my games/q2/winmod/gamex86.dll", "MZ", 0644);
  folders({"my games/q2/baseq2", "var/lib/flatpak/app/org.yamagi.YamagiQ2/current/active",
           "home/.local/share/flatpak/app/com.github.skullernet.q2pro/current/active"});
  // An empty PATH entry must not mean the current folder, which holds a yquake2.
  search.path = ":" + dir + "/usr/games:" + dir + "/bin::" + dir + "/wine";
  const std::string wine = "W " + dir + "/wine/wine " + q2 + "/quake2.exe <>",
                    flatpak = "Y " + bin + "flatpak run --command=", grant = " --filesystem=" + q2 + ":ro ";
  const std::pair<std::string, std::string> cases[] = {
      {"", wine},  // a custom game with only Windows code
      {"my games/q2/winmod/gamex86.dll", "Y " + q2 + "/quake2 <>"},
      {"my games/q2/quake2", "P " + q2 + "/q2pro" + data},
      // Debian's engine before the PATH's quake2, which is its wrapper.
      {"my games/q2/q2pro", "Y " + dir + "/usr/lib/yamagi-quake2/quake2" + data},
      {"usr/lib/yamagi-quake2/quake2", "Y " + dir + "/usr/lib/yquake2/yquake2" + data},
      {"usr/lib/yquake2/yquake2", "Y " + bin + "yamagi-quake2" + data},
      {"bin/yamagi-quake2", "Y " + bin + "yquake2" + data},
      {"bin/yquake2", "Y " + dir + "/usr/games/quake2" + data},
      {"usr/games/quake2", "Y " + bin + "quake2" + data},
      {"bin/quake2", "P " + bin + "q2pro" + data},
      {"bin/q2pro", flatpak + "quake2" + grant + "org.yamagi.YamagiQ2" + data},
      {"var/lib/flatpak/app/org.yamagi.YamagiQ2/current/active",
       std::string("P").append(flatpak, 1) + "q2pro" + grant + "com.github.skullernet.q2pro" + data},
      {"bin/flatpak", wine},
      {"wine/wine", "none"},
  };
  for (const auto& [removed, expected] : cases) {
    if (!removed.empty()) fs::remove(dir + "/" + removed);
    EXPECT_EQ(chosen(q2, "winmod"), expected) << "without " << removed;
  }
  // No engine of the system for a folder without game data, but --engines lists them.
  programs({"bin/q2pro", "bin/flatpak"});
  fs::create_directories(dir + "/empty");
  EXPECT_EQ(chosen(dir + "/empty"), "none");
  EXPECT_EQ(foundEngines(dir + "/empty", search).size(), 2u);  // q2pro and the Q2PRO app
}

// A Flatpak app is there only with its active folder and flatpak on the PATH; the folder is granted
// read-only under the name the sandbox knows it by, or not at all.
TEST_F(EngineTableTest, FlatpakAppsNeedAnInstallAndAGrantableFolder) {
  programs({"bin/flatpak"});
  search.path = dir + "/bin";
  const std::string app = dir + "/var/lib/flatpak/app/org.yamagi.YamagiQ2/current/active";
  const std::string run = "Y " + dir + "/bin/flatpak run --command=quake2 ";
  folders({"var/lib/flatpak/app/org.yamagi.YamagiQ2/current", "q2/baseq2", "q2:x/baseq2", "q2,x/baseq2",
           "home/.var/app/org.yamagi.YamagiQ2/q2/baseq2"});
  fs::create_symlink(dir + "/nowhere", app);
  EXPECT_EQ(chosen(dir + "/q2"), "none") << "a dangling link is no install";
  fs::remove(app);
  fs::create_directories(app);
  EXPECT_EQ(chosen(dir + "/q2:x"), "none") << "a \":\" cannot be granted";
  EXPECT_EQ(chosen(dir + "/q2,x"),
            run + "--filesystem=" + dir + "/q2,x:ro org.yamagi.YamagiQ2 <" + dir + "/q2,x>");
  const std::string own = dir + "/home/.var/app/org.yamagi.YamagiQ2/q2";
  EXPECT_EQ(chosen(own), run + "org.yamagi.YamagiQ2 <" + own + ">");
  search.path = dir + "/none";
  EXPECT_EQ(chosen(dir + "/q2"), "none") << "no flatpak on the PATH";

  const std::string appData = "/home/a/.var/app/X";
  const std::pair<std::string, std::optional<FlatpakGrant>> grants[] = {
      {"/usr/share/games/quake2",
       FlatpakGrant{"--filesystem=host-os:ro", "/run/host/usr/share/games/quake2"}},
      {"/usr", FlatpakGrant{"--filesystem=host-os:ro", "/run/host/usr"}},
      {"/usrlocal/q2", FlatpakGrant{"--filesystem=/usrlocal/q2:ro", "/usrlocal/q2"}},
      {appData + "/q2", FlatpakGrant{"", appData + "/q2"}},
      {appData + "Y", FlatpakGrant{"--filesystem=" + appData + "Y:ro", appData + "Y"}},
  };
  for (const auto& [folder, expected] : grants) EXPECT_EQ(flatpakGrant(folder, appData), expected) << folder;
}

// The player's engine is one name, never split, and the only one tried: its dialect follows its name.
// A name by the PATH, a Flatpak app, a Windows program and names of nothing the end-to-end tests start.
TEST_F(EngineTableTest, PlayersChoiceIsTheOnlyOneTried) {
  programs({"q2/quake2", "bin/q2pro-1.0", "bin/Q2RTX", "bin/my engine $(x) \"q\"", "bin/flatpak", "q2/yq2"});
  folders({"q2/baseq2"});
  ASSERT_EQ(::mkfifo((dir + "/bin/fifo").c_str(), 0755), 0);
  fs::create_symlink(dir + "/nowhere", dir + "/bin/dangling");
  scratch.put("bin/q2pro", "#!/bin/sh\n", 0644);
  search.path = dir + "/bin";
  const std::string q2 = dir + "/q2", bin = dir + "/bin/", data = " <" + q2 + ">";
  const std::pair<std::string, std::string> cases[] = {
      {bin + "Q2RTX", "P " + bin + "Q2RTX" + data},
      {"my engine $(x) \"q\"", "Y " + bin + "my engine $(x) \"q\"" + data},
      {q2 + "/yq2", "Y " + q2 + "/yq2 <>"},  // beside the data
      // Not installed: no falling back to the quake2 beside the data.
      {"org.yamagi.YamagiQ2", "none"},
      {"fifo", "none"},
      {"dangling", "none"},
      {bin + "q2pro", "none"},    // without the execute bit
      {"bin/q2pro-1.0", "none"},  // neither absolute nor a bare name
      {"my", "none"},
  };
  for (const auto& [choice, expected] : cases) {
    search.playerChoice = choice;
    EXPECT_EQ(chosen(q2), expected) << choice;
  }
}

}  // namespace
}  // namespace fendral::platform
