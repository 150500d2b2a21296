#include "settings/private_profile.h"
#include "temp_folder.h"

namespace fendral::settings {
namespace {

class Reading : public TempFolder {
 protected:
  std::string read(std::string_view key, std::size_t capacity = 255, std::string_view section = "Main") {
    return readProfileString(section, key, ini(), capacity);
  }
};

TEST_F(Reading, LinesEndAtCrLfOrBothAndNamesMatchTrimmedInAnyCase) {
  put("\t[ mAIn ] ignored\r\na=1\rb=2\nc=3\r\n\r\n  JOYSTICK \t=\t True  ");
  EXPECT_EQ(read("a") + read("b") + read("c"), "123");
  EXPECT_EQ(read("\tJoyStick ", 255, " main\t"), "True");
  EXPECT_EQ(read("JoyStick", 255, "Mainx"), "");
}

TEST_F(Reading, OnlyKeyLinesOfTheFirstBlockCountAndTheFirstKeyWins) {
  put("a=outside [Main]\n;[Main]\n[Main\n; a=comment\nno equals\n#b=hash\nc=x=y\nempty=\nc=later\n"
      "[Other]\nd=other\n[MAIN]\na=second block\nd=second block\n");
  EXPECT_EQ(read("a"), "");
  EXPECT_EQ(read("#b"), "hash");
  EXPECT_EQ(read("c"), "x=y");
  EXPECT_EQ(read("empty"), "");
  EXPECT_EQ(read("d"), "");
  EXPECT_EQ(read("no equals"), "");
}

TEST_F(Reading, OneMatchingPairOfQuotesIsDroppedAndTheByteOrderMarkIgnored) {
  put("\xEF\xBB\xBF[Main]\nq=  \"  a  \"  \ns='x'\nmixed=\"x'\nlone=\"\nnested=\"\"x\"\"\n");
  EXPECT_EQ(read("q"), "  a  ");
  EXPECT_EQ(read("s"), "x");
  EXPECT_EQ(read("mixed"), "\"x'");
  EXPECT_EQ(read("lone"), "\"");
  EXPECT_EQ(read("nested"), "\"x\"");
}

TEST_F(Reading, LongValuesAreCutToCapacityNeverInsideACharacter) {
  const std::string exact(254, 'v');
  const std::string longer(300, 'w');
  // The 254-byte limit falls inside the 3-byte euro sign.
  const std::string split = std::string(253, 'u') + "\xE2\x82\xAC" + "tail";
  put("[Main]\nexact=" + exact + "\nlonger=" + longer + "\nsplit=" + split + "\nshort=\xC3\xA9t\n");
  EXPECT_EQ(read("exact"), exact);
  EXPECT_EQ(read("longer"), longer.substr(0, 254));
  EXPECT_EQ(read("split"), std::string(253, 'u'));
  EXPECT_EQ(read("short", 2), "");
  EXPECT_EQ(read("short", 3), "\xC3\xA9");
  EXPECT_EQ(read("exact", 0), "");
}

TEST_F(Reading, AnythingMissingReadsEmpty) {
  EXPECT_EQ(read("a"), "");
  std::filesystem::create_directory(host());
  EXPECT_EQ(read("a"), "");
  put("[Main]\na=1\n", "plain");
  EXPECT_EQ(readProfileString("Main", "a", ini("plain\\fendral.ini")), "");
}

}  // namespace
}  // namespace fendral::settings
