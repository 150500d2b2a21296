#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "settings/private_profile.h"
#include "settings/settings_save.h"
#include "settings/text_encoding.h"
#include "support/scratch_folder.h"

namespace fendral::settings {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// A fresh folder per test, with fendral.ini in it.
class Profile : public ::testing::Test {
 protected:
  std::string ini() const { return scratch_.at("fendral.ini"); }
  void put(std::string_view bytes) const { scratch_.put("fendral.ini", bytes); }
  std::string get() const { return scratch_.get("fendral.ini"); }
  std::string read(std::string_view key, std::size_t cap = 255, std::string_view section = "Main") const {
    return readProfileString(section, key, ini(), cap);
  }
  bool write(std::string_view key, std::string_view value) const {
    return writeProfileString("Main", key, value, ini());
  }

  fendral::testing::ScratchFolder scratch_{"fendral-settings"};
};

// ASCII text as UTF-16 bytes.
std::string wide(std::string_view ascii, bool bigEndian = false) {
  std::string bytes;
  for (char c : ascii) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  return bytes;
}

TEST_F(Profile, FollowsTheReadingRules) {
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

// A large file with CR line ends and long lines: the value is cut, the other lines kept.
TEST_F(Profile, HugeFilesKeepTheirOtherLines) {
  const std::string longLine(100'000, 'L');
  std::string file = "[Pad]\r" + longLine + "\r";
  while (file.size() < 10 * 1024 * 1024) file += "padding=" + std::string(100, 'p') + "\r";
  file += "[Main]\rlong=" + longLine + "\r";
  put(file);
  EXPECT_EQ(read("long"), longLine.substr(0, 254));
  ASSERT_TRUE(write("short", "s"));
  EXPECT_EQ(get(), file + "short=s\r");
}

TEST_F(Profile, WritingChangesOnlyTheOneLineAndKeepsTheFilesLineEnding) {
  const std::string_view rows[][3] = {
      {"; mine\r\n[Other]\r\nJoystick=keep\r\n[main]\r\n  JoyStick =  old ; not a comment\r\nx=1\r\n",
       "Joystick", "; mine\r\n[Other]\r\nJoystick=keep\r\n[main]\r\n  JoyStick =3\r\nx=1\r\n"},
      // A missing key follows the last key line of the first block.
      {"[Main]\na=1\n; note\n\nb=2\n\n; trailing comment\n[Other]\n[Main]\nz=9\n", "c",
       "[Main]\na=1\n; note\n\nb=2\nc=3\n\n; trailing comment\n[Other]\n[Main]\nz=9\n"},
      {"[Main]\n; only a comment\n[Other]\n", "c", "[Main]\nc=3\n; only a comment\n[Other]\n"},
      {"[Main]\na=1", "c", "[Main]\na=1\nc=3\n"},
      {"[Other]\nk=v", "c", "[Other]\nk=v\n[Main]\nc=3\n"},
      {"[Other]\rk=v\r", "c", "[Other]\rk=v\r[Main]\rc=3\r"},
      {"\xEF\xBB\xBF", "c", "\xEF\xBB\xBF[Main]\r\nc=3\r\n"},
      // A value that already reads as the one written keeps its spelling.
      {"[Main]\n c = \"3\" \n", "c", "[Main]\n c = \"3\" \n"},
  };
  for (const auto& [before, key, after] : rows) {
    put(before);
    ASSERT_TRUE(write(key, "3"));
    EXPECT_EQ(get(), after);
  }
  // A value longer than the Windows buffer reads back whole with the settings' capacity.
  const std::string longer = "[Main]\nlong=\"" + std::string(300, 'w') + "\"\n";
  put(longer);
  ASSERT_TRUE(write("long", read("long", kWholeValue)));
  EXPECT_EQ(get(), longer);
  // A new file is CRLF and gets the usual permissions.
  fs::remove(ini());
  ASSERT_TRUE(write("c", "3"));
  EXPECT_EQ(get(), "[Main]\r\nc=3\r\n");
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(fs::status(ini()).permissions(), fs::perms(0666 & ~mask));
}

TEST_F(Profile, EveryValueReadsBackUnchanged) {
  const std::string values[] = {"",     " lead",  "trail\t", "\"both\"", "'single'",   "\"",
                                "'x\"", "a=b; c", "[Main]",  "\xC3\xA9", "nul\0byte"s, std::string(254, 'z')};
  for (const std::string& value : values) {
    ASSERT_TRUE(write("v", value));
    EXPECT_EQ(read("v"), value);
  }
  ASSERT_TRUE(write("v", "one\r\ntwo\nthree"));  // a line cannot hold a line break
  EXPECT_EQ(read("v"), "one  two three");
}

// Each setting is saved under one spelling of its key and read under another, longer than Windows reads.
TEST_F(Profile, EverySettingReadsBackAsSaved) {
  SettingValues values;
  for (std::size_t i = 0; i < kSettings.size(); ++i)
    values[i] = std::string(kSettings[i].field) + std::string(300, 'v');
  ASSERT_TRUE(saveChangedSettings({ini(), ini()}, {}, values));
  EXPECT_EQ(readSettings(ini()), values);
}

// Read as UTF-8, written back as UTF-16 with every other byte kept: a lone surrogate, an odd last byte.
TEST_F(Profile, Utf16FilesStayUtf16) {
  const std::string head = "\xFF\xFE" + wide("[Main]\r\nQ2Location=C:\\Qu") + "\xE4\0"s + wide("ke\r\nOdd=") +
                           "\x3D\xD8" + wide("\r\n");
  put(head + "\x01");
  EXPECT_EQ(read("Q2Location"), "C:\\Qu\xC3\xA4ke");
  ASSERT_TRUE(write("Q2Location", "C:\\Qu\xC3\xA4ke"));
  ASSERT_TRUE(write("G1D", "Caf\xC3\xA9 \xF0\x9F\x98\x80"));
  EXPECT_EQ(get(), head + wide("G1D=Caf") + "\xE9\0 \0\x3D\xD8\x00\xDE"s + wide("\r\n") + "\x01");

  put("\xFE\xFF" + wide("[Main]\nk=v\n", true));
  ASSERT_TRUE(write("k", "w"));
  EXPECT_EQ(get(), "\xFE\xFF" + wide("[Main]\nk=w\n", true));
}

// A file too large to hold reads as empty settings and Save leaves it as it is; other files that
// cannot be read or replaced are the file layer's.
TEST_F(Profile, FilesTooLargeAreLeftAlone) {
  put("[Main]\r\nOptions=+set vid_ref gl\r\n");
  const std::uintmax_t huge = (16 << 20) + 1;
  fs::resize_file(ini(), huge);  // sparse, so cheap
  EXPECT_EQ(read("Options"), "");
  EXPECT_FALSE(write("Options", "changed"));
  EXPECT_EQ(fs::file_size(ini()), huge);
  EXPECT_EQ(scratch_.names().size(), 1u);
}

TEST(Encoding, OnlyWellFormedUtf8IsUtf8) {
  for (const char* bytes : {"", "plain", "\xC3\xA9", "\357\273\277bom", "\xF4\x8F\xBF\xBF", "\xE2\x80\xA8"})
    EXPECT_TRUE(isUtf8(bytes)) << bytes;
  // Cut short, overlong, a surrogate half, past U+10FFFF, a stray continuation byte, Latin-1.
  for (const char* bytes :
       {"\xC3", "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "Caf\xE9"})
    EXPECT_FALSE(isUtf8(bytes)) << bytes;
}

// Windows-1252 bytes come back through the table the editor's round trip and fuzz target also use.
TEST(Encoding, Utf8ComesBackUnchanged) {
  EXPECT_EQ(encodeText(decodeText("\357\273\277\xF0\x9F\x98\x80"), ByteEncoding::Utf8),
            "\357\273\277\xF0\x9F\x98\x80");
  EXPECT_EQ(encodeText(U"\u0100", ByteEncoding::Windows1252), std::nullopt);
}

}  // namespace
}  // namespace fendral::settings
