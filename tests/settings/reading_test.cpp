#include <random>
#include <vector>

#include "temp_folder.h"

namespace fendral::settings {
namespace {

using Reading = TempFolder;

TEST_F(Reading, FollowsTheReadingRules) {
  const std::string ends = "\t[ mAIn ] ignored\r\na=1\rb=2\nc=3\r\n\r\n  JOYSTICK \t=\t True  ";
  const std::string blocks =
      "a=outside [Main]\n;[Main]\n[Main\n; a=comment\nno equals\n#b=hash\nc=x=y\nc=later\n"
      "[Other]\nd=other\n[MAIN]\na=second block\nd=second block\n";
  const std::string quotes =
      "\xEF\xBB\xBF[Main]\nq=  \"  a  \"  \ns='x'\nmix=\"x'\nlone=\"\nnest=\"\"x\"\"\n";
  // The 254-byte limit falls after the first, then the second byte of the 3-byte euro sign.
  const std::string euro = "\xE2\x82\xAC";
  // Windows-1252 bytes are no UTF-8 characters, so the cut falls right at the limit.
  const std::string cut = "[Main]\nlong=" + std::string(300, 'w') + "\ns1=" + std::string(253, 'u') + euro +
                          "\ns2=" + std::string(252, 'u') + euro +
                          "\nshort=\xC3\xA9t\nansi=" + std::string(253, 'u') + "\xE9\xE9\n";
  const std::pair<std::string, std::vector<std::pair<std::string, std::string>>> files[] = {
      {ends, {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"\tJoyStick ", "True"}}},
      {blocks, {{"a", ""}, {"#b", "hash"}, {"c", "x=y"}, {"d", ""}, {"no equals", ""}}},
      {quotes, {{"q", "  a  "}, {"s", "x"}, {"mix", "\"x'"}, {"lone", "\""}, {"nest", "\"x\""}}},
      {cut,
       {{"long", std::string(254, 'w')},
        {"s1", std::string(253, 'u')},
        {"s2", std::string(252, 'u')},
        {"ansi", std::string(253, 'u') + "\xE9"}}},
  };
  for (const auto& [file, reads] : files) {
    put(file);
    for (const auto& [key, expected] : reads) EXPECT_EQ(read(key), expected) << key;
  }
  EXPECT_EQ(read("short", 2), "");
  EXPECT_EQ(read("short", 3), "\xC3\xA9");
  EXPECT_EQ(read("long", 0), "");
  put(ends);
  EXPECT_EQ(read("JoyStick", 255, " main\t"), "True");
  EXPECT_EQ(read("JoyStick", 255, "Mainx"), "");
}

TEST_F(Reading, JunkAndHugeFilesKeepTheirOtherLines) {
  std::string junk(64 * 1024, '\0');
  std::mt19937 random(7);
  for (char& c : junk) c = static_cast<char>(random());
  using namespace std::string_literals;
  put(junk + "\n[Ma\0in]\n[Main]\nk\0ey=v\0al\n"s + junk);
  EXPECT_EQ(read("k\0ey"s), "v\0al"s);
  ASSERT_TRUE(write("new", "1"));
  EXPECT_EQ(read("new"), "1");
  EXPECT_EQ(get().find(junk), 0u);
  EXPECT_NE(get().rfind(junk), 0u);

  const std::string longLine(100'000, 'L');
  std::string file = "[Pad]\r" + longLine + "\r";
  while (file.size() < 10 * 1024 * 1024) file += "padding=" + std::string(100, 'p') + "\r";
  file += "[Main]\rlong=" + longLine + "\r";
  put(file);
  EXPECT_EQ(read("long"), longLine.substr(0, 254));
  ASSERT_TRUE(write("short", "s"));
  EXPECT_EQ(get(), file + "short=s\r");
}

}  // namespace
}  // namespace fendral::settings
