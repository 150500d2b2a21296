#include "settings/private_profile.h"
#include "temp_folder.h"

namespace fendral::settings {
namespace {

class Reading : public TempFolder {
 protected:
  std::string read(std::string_view section, std::string_view key, std::size_t capacity = 255) {
    return readProfileString(section, key, ini(), capacity);
  }
};

TEST_F(Reading, EveryLineEndingSeparatesLines) {
  put("[Main]\r\na=1\rb=2\nc=3\r\n\r\nd=4");
  EXPECT_EQ(read("Main", "a"), "1");
  EXPECT_EQ(read("Main", "b"), "2");
  EXPECT_EQ(read("Main", "c"), "3");
  EXPECT_EQ(read("Main", "d"), "4");
}

TEST_F(Reading, NamesMatchTrimmedAndInAnyCase) {
  put("\t[ mAIn ] trailing words\n  JOYSTICK \t=\t True  \n");
  EXPECT_EQ(read("Main", "JoyStick"), "True");
  EXPECT_EQ(read(" main\t", "\tjoystick "), "True");
  EXPECT_EQ(read("Mainx", "JoyStick"), "");
}

TEST_F(Reading, OnlyKeyLinesOfTheFirstBlockCount) {
  put("a=outside [Main]\n;[Main]\n[Main\n; a=comment\nno equals\n#b=hash\nc=x=y\nempty=\n[Other]\nd=other\n"
      "[MAIN]\na=second block\nd=second block\n");
  EXPECT_EQ(read("Main", "a"), "");
  EXPECT_EQ(read("Main", "#b"), "hash");
  EXPECT_EQ(read("Main", "c"), "x=y");
  EXPECT_EQ(read("Main", "empty"), "");
  EXPECT_EQ(read("Main", "d"), "");
  EXPECT_EQ(read("Main", "no equals"), "");
}

TEST_F(Reading, FirstOfTwoEqualKeysWins) {
  put("[Main]\nKey=first\nKEY=second\n");
  EXPECT_EQ(read("Main", "key"), "first");
}

TEST_F(Reading, OneMatchingPairOfQuotesIsDropped) {
  put("\xEF\xBB\xBF[Main]\nq=  \"  a  \"  \ns='x'\nmixed=\"x'\nlone=\"\npair=\"\"\nnested=\"\"x\"\"\n");
  EXPECT_EQ(read("Main", "q"), "  a  ");
  EXPECT_EQ(read("Main", "s"), "x");
  EXPECT_EQ(read("Main", "mixed"), "\"x'");
  EXPECT_EQ(read("Main", "lone"), "\"");
  EXPECT_EQ(read("Main", "pair"), "");
  EXPECT_EQ(read("Main", "nested"), "\"x\"");
}

TEST_F(Reading, LongValuesAreCutToCapacityNeverInsideACharacter) {
  const std::string exact(254, 'v');
  const std::string longer(300, 'w');
  // 253 ASCII bytes then a 3-byte character that the 254-byte limit would split.
  const std::string split = std::string(253, 'u') + "\xE2\x82\xAC" + "tail";
  put("[Main]\nexact=" + exact + "\nlonger=" + longer + "\nsplit=" + split + "\nshort=\xC3\xA9t\xC3\xA9\n");
  EXPECT_EQ(read("Main", "exact"), exact);
  EXPECT_EQ(read("Main", "longer"), longer.substr(0, 254));
  EXPECT_EQ(read("Main", "split"), std::string(253, 'u'));
  EXPECT_EQ(read("Main", "short", 3), "\xC3\xA9");
  EXPECT_EQ(read("Main", "short", 4), "\xC3\xA9t");
  EXPECT_EQ(read("Main", "exact", 1), "");
  EXPECT_EQ(read("Main", "exact", 0), "");
}

TEST_F(Reading, AnythingMissingReadsEmpty) {
  EXPECT_EQ(read("Main", "a"), "");
  std::filesystem::create_directory(host());
  EXPECT_EQ(read("Main", "a"), "");
  put("[Main]\na=1\n", "plain");
  EXPECT_EQ(readProfileString("Main", "a", ini("plain\\fendral.ini")), "");
}

}  // namespace
}  // namespace fendral::settings
