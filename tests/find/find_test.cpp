#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "find/installations.h"
#include "find/vdf_scan.h"
#include "support/scratch_folder.h"

namespace fendral::find {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Pair;

TEST(VdfScan, ReadsBothLibraryFormsWithEscapesCommentsAndConditions) {
  const VdfScan scan = scanVdf(
      "// written by Steam\n\"LibraryFolders\"\n{\n\t\"0\"\n\t{\n\t\t\"PATH\"\t\t\"C:\\\\Games \\\"Q\\\"\"\n"
      "\t\t\"apps\" { \"2320\" \"123\" }\n\t}\n\t\"1\"\t\"/mnt/old\" [$LINUX]\n\tbare value\n}\n");
  ASSERT_EQ(scan.error, "");
  const VdfNode* folders = scan.root.child("libraryfolders");
  ASSERT_NE(folders, nullptr);
  ASSERT_EQ(folders->children.size(), 3u);
  EXPECT_EQ(folders->children[0].child("path")->value, "C:\\Games \"Q\"");
  EXPECT_EQ(folders->children[0].child("apps")->child("2320")->value, "123");
  EXPECT_EQ(folders->children[1].value, "/mnt/old");
  EXPECT_EQ(folders->children[2].key, "bare");
}

TEST(VdfScan, BrokenTextIsAnErrorWithItsLine) {
  EXPECT_EQ(scanVdf("\"a\"\n{\n\"b\" \"c\"\n").error, "a block left open at the end on line 4");
  EXPECT_EQ(scanVdf("\"a\" \"b\"\n}").error, "a '}' without its block on line 2");
  EXPECT_EQ(scanVdf("{ }").error, "a block without a name on line 1");
  EXPECT_EQ(scanVdf("\"a\" { \"k\" }").error, "a key without its value on line 1");
  EXPECT_EQ(scanVdf("\"a\" [$X").error, "a condition without its ']' on line 1");
  std::string deep;
  for (int i = 0; i < 200000; ++i) deep += "k{";
  EXPECT_THAT(scanVdf(deep).error, HasSubstr("nested too deep"));
  EXPECT_THAT(scanVdf(std::string(2 << 20, '{')).error, HasSubstr("without a name"));
}

// A scratch home; its own folder stands for the distribution's data.
class FindTest : public ::testing::Test {
 protected:
  FindTest() {
    places.home = dir.at("home");
    places.dataHome = dir.at("home/data");
    places.systemFolders = {dir.at("usr/share/games/quake2")};
  }
  void game(const std::string& folder, std::string_view pak = "PACK\0\0\0\0") const {
    dir.put(folder + "/baseq2/pak0.pak", pak);
  }
  void manifest(const std::string& library, const std::string& installdir) const {
    dir.put(library + "/steamapps/appmanifest_2320.acf",
            "\"AppState\"\n{\n\t\"appid\"\t\"2320\"\n\t\"InstallDir\"\t\"" + installdir + "\"\n}\n");
  }
  void link(const std::string& target, const std::string& name) const {
    fs::create_directories(fs::path(dir.at(name)).parent_path());
    fs::create_directory_symlink(target, dir.at(name));
  }
  std::vector<std::string> folders(Extent extent = Extent::All) const {
    std::vector<std::string> found;
    for (const Installation& installation : findInstallations(places, extent).found)
      found.push_back(installation.folder.substr(dir.path().string().size() + 1));
    return found;
  }

  fendral::testing::ScratchFolder dir;
  Places places;
};

TEST_F(FindTest, EachSteamRootAndLibraryOnceWhateverLinksLeadThere) {
  const std::string root = "home/.local/share/Steam";
  link(dir.at(root), "home/.steam/steam");
  link(dir.at(root), "home/.steam/root");
  link(dir.at("libs"), "home/.steam/debian-installation");  // a root that is also a library
  dir.put(root + "/steamapps/libraryfolders.vdf", "\"libraryfolders\" { \"0\" { \"path\" \"" + dir.at(root) +
                                                      "\" } \"1\" { \"path\" \"" + dir.at("libs/../libs") +
                                                      "\" } }");
  // The older form, in Flatpak's root.
  dir.put("home/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/libraryfolders.vdf",
          "\"LibraryFolders\" { \"ContentStatsID\" \"-1\" \"1\" \"" + dir.at("old") + "\" }");
  manifest("libs", "Quake 2");
  game("libs/steamapps/common/Quake 2");
  dir.put("libs/steamapps/common/Quake 2/xatrix/pak0.pak", "PACK");
  dir.put("libs/steamapps/common/Quake 2/rogue/game.so", "");
  dir.put("libs/steamapps/common/Quake 2/notes/readme.txt", "");
  manifest("old", "Q2");
  game("old/steamapps/common/Q2");
  game(root + "/steamapps/common/Quake 2");  // no manifest: not installed by Steam

  const Search search = findInstallations(places, Extent::All);
  EXPECT_THAT(search.skipped, IsEmpty());
  // Each root's list read once, each library's manifest once: the roots', libs' and old's.
  EXPECT_EQ(std::ranges::count_if(search.looked, [](auto& f) { return f.ends_with("libraryfolders.vdf"); }),
            3);
  EXPECT_EQ(std::ranges::count_if(search.looked, [](auto& f) { return f.ends_with(".acf"); }), 4);
  ASSERT_EQ(search.found.size(), 2u);
  EXPECT_THAT(folders(), ElementsAre("libs/../libs/steamapps/common/Quake 2", "old/steamapps/common/Q2"));
  EXPECT_THAT(search.found[0].games, ElementsAre("baseq2", "rogue", "xatrix"));
  EXPECT_EQ(search.found[1].whence, "Steam library " + dir.at("old"));
}

TEST_F(FindTest, PlacesInOrderAndOnlyClassicData) {
  game("home/.yq2");
  game("home/data/YamagiQ2");
  game("usr/share/games/quake2");
  game("home/GOG Games/Quake II/app");
  dir.put("home/.config/heroic/gog_store/installed.json",
          "{\"installed\":[{\"appName\":\"1\",\"install_path\":\"" + dir.at("heroic/Other") +
              "\"},\n {\"install_path\" : \"" + dir.at("heroic/Quake\\u0020II") + "\", \"appName\":\"2\"}]}");
  game("heroic/Quake II");
  dir.put("heroic/Other/baseq2/readme.txt", "");
  manifest("home/.steam/steam", "Quake 2");
  game("home/.steam/steam/steamapps/common/Quake 2");
  // Not classic data: the re-release alone, a pak that is no pak, a folder named pak0.pak.
  dir.put("home/.q2pro/rerelease/baseq2/pak0.pak", "PACK");
  game("home/.q2pro", "<html>");
  link(dir.at("usr/share/games/quake2"), "home/.var/app/org.yamagi.YamagiQ2/.yq2");  // found already
  fs::create_directories(dir.at("home/.var/app/com.github.skullernet.q2pro/data/baseq2/pak0.pak"));

  EXPECT_THAT(folders(), ElementsAre("home/.steam/steam/steamapps/common/Quake 2", "heroic/Quake II",
                                     "home/GOG Games/Quake II/app", "usr/share/games/quake2", "home/.yq2",
                                     "home/data/YamagiQ2"));
  EXPECT_THAT(folders(Extent::First), ElementsAre("home/.steam/steam/steamapps/common/Quake 2"));
  const Search search = findInstallations(places, Extent::All);
  EXPECT_EQ(search.found[1].whence, "GOG, installed by Heroic");
  EXPECT_EQ(search.found[3].whence, "the distribution's data");
  EXPECT_EQ(search.found[5].whence, "Yamagi Quake II's home");
}

TEST_F(FindTest, BadRecordsAreSkippedWithTheReason) {
  dir.put("home/.steam/steam/steamapps/libraryfolders.vdf",
          "\"libraryfolders\" { \"1\" \"" + dir.at("loop") + "\" \"2\" \"" + dir.at("big") + "\" \"3\" \"" +
              dir.at("cut") + "\" \"4\" \"relative\" \"5\" \"" + dir.at("bad\xff") + "\" }");
  link(dir.at("loop"), "loop");
  dir.put("big/steamapps/appmanifest_2320.acf", std::string(2 << 20, '{'));
  dir.put("cut/steamapps/appmanifest_2320.acf", "\"AppState\" { \"installdir\" \"Qu");
  manifest("bad\xff", "Quake 2");
  game("bad\xff/steamapps/common/Quake 2");
  fs::create_directories(dir.at("home/.local/share/Steam/steamapps"));
  ASSERT_EQ(::mkfifo(dir.at("home/.local/share/Steam/steamapps/libraryfolders.vdf").c_str(), 0600), 0);
  dir.put("home/.config/heroic/gog_store/installed.json", "<!DOCTYPE html>");
  dir.put("home/.var/app/com.heroicgameslauncher.hgl/config/heroic/gog_store/installed.json",
          "[{\"install_path\": \"" + dir.at("new\\nline") + "\"}, {\"install_path\": \"\\ud800\"}]");
  game("new\nline");

  const Search search = findInstallations(places, Extent::All);
  EXPECT_THAT(folders(), ElementsAre("bad\xff/steamapps/common/Quake 2"));
  std::vector<std::pair<std::string, std::string>> skipped;
  for (const Skipped& file : search.skipped)
    skipped.emplace_back(file.file.substr(dir.path().string().size() + 1), file.reason);
  EXPECT_THAT(skipped, ElementsAre(Pair("loop", "its path loops through symbolic links"),
                                   Pair("big/steamapps/appmanifest_2320.acf", "it is larger than 1 MiB"),
                                   Pair("cut/steamapps/appmanifest_2320.acf", "a quote left open on line 1"),
                                   Pair("home/.steam/steam/steamapps/libraryfolders.vdf",
                                        "it names a library that is not an absolute path"),
                                   Pair("home/.local/share/Steam/steamapps/libraryfolders.vdf",
                                        "it is not a regular file"),
                                   Pair("home/.config/heroic/gog_store/installed.json", "it is not JSON"),
                                   Pair(HasSubstr("hgl"), "it names a folder with a line break"),
                                   Pair(HasSubstr("hgl"), "it holds a broken string")));
}

}  // namespace
}  // namespace fendral::find
