#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "settings/settings_table.h"
#include "temp_folder.h"

namespace fendral::settings {
namespace {

constexpr std::string_view kOld = "[Main]\r\nOptions=+set vid_ref gl, a long old value\r\n; a note\r\n";

using Writing = TempFolder;

// ASCII text as UTF-16 bytes.
std::string wide(std::string_view ascii, bool bigEndian = false) {
  std::string bytes;
  for (char c : ascii) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  return bytes;
}

TEST_F(Writing, ChangesOnlyTheOneLineAndKeepsTheFilesLineEnding) {
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
  // Saving what the reader gave keeps a value longer than it reads.
  const std::string longer = "[Main]\nlong=" + std::string(300, 'w') + "\n";
  put(longer);
  ASSERT_TRUE(write("long", read("long")));
  EXPECT_EQ(get(), longer);
}

TEST_F(Writing, EveryValueReadsBackUnchangedAndThePermissionsStay) {
  put("[Main]\nv=old\n");
  std::filesystem::permissions(host(), std::filesystem::perms(0640));
  using namespace std::string_literals;
  const std::string values[] = {"",     " lead",  "trail\t", "\"both\"", "'single'",   "\"",
                                "'x\"", "a=b; c", "[Main]",  "\xC3\xA9", "nul\0byte"s, std::string(254, 'z')};
  for (const std::string& value : values) {
    ASSERT_TRUE(write("v", value));
    EXPECT_EQ(read("v"), value);
  }
  EXPECT_EQ(std::filesystem::status(host()).permissions(), std::filesystem::perms(0640));

  ASSERT_TRUE(write("v", "one\r\ntwo\nthree"));  // a line cannot hold a line break
  EXPECT_EQ(read("v"), "one  two three");
}

// A new file is CRLF, gets the usual permissions, and keeps the joystick's two spellings apart.
TEST_F(Writing, EverySettingRoundTripsThroughANewFile) {
  for (const Setting& s : kSettings) saveSetting(s, std::string(s.field) + " value", ini());
  for (const Setting& s : kSettings) EXPECT_EQ(readSetting(s, ini()), std::string(s.field) + " value");
  EXPECT_TRUE(get().starts_with("[Main]\r\nQ2Location=Q2location value\r\nCDLocation=CDlocation value\r\n"));
  EXPECT_NE(get().find("\r\nJoystick=Joystick value\r\n"), std::string::npos);
  EXPECT_EQ(entries(), 1u);  // no temporary file left over
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(std::filesystem::status(host()).permissions(), std::filesystem::perms(0666 & ~mask));
}

// Read as UTF-8, written back as UTF-16 with every other byte kept: a lone surrogate, an odd last byte.
TEST_F(Writing, Utf16FilesStayUtf16) {
  using namespace std::string_literals;
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

// A read-only file is read but never written; a FIFO (which would block the reader), a file too large
// to hold, a folder and a path through a file read as empty settings. Each is left as it is.
TEST_F(Writing, FilesItCannotUseAreLeftAlone) {
  namespace fs = std::filesystem;
  const std::uintmax_t huge = (16 << 20) + 1;
  const std::pair<std::function<void()>, std::string_view> rows[] = {
      {[&] { put(kOld), fs::permissions(host(), fs::perms(0444)); }, "+set vid_ref gl, a long old value"},
      {[&] { ASSERT_EQ(::mkfifo(host().c_str(), 0644), 0); }, ""},
      {[&] { put(kOld), fs::resize_file(host(), huge); }, ""},  // sparse, so cheap
      {[&] { fs::create_directory(host()); }, ""},
  };
  for (const auto& [make, reads] : rows) {
    make();
    const auto before = fs::status(host());
    const std::uintmax_t size = fs::is_regular_file(before) ? fs::file_size(host()) : 0;
    EXPECT_EQ(read("Options"), reads);
    EXPECT_FALSE(write("Options", "changed"));
    EXPECT_EQ(fs::status(host()).type(), before.type());
    if (size == kOld.size()) {
      EXPECT_EQ(get(), kOld);
    }
    if (size == huge) {
      EXPECT_EQ(fs::file_size(host()), huge);
    }
    EXPECT_EQ(entries(), 1u);
    fs::permissions(host(), fs::perms(0644));
    fs::remove(host());
  }
  put(kOld);
  for (const char* path : {"fendral.ini/fendral.ini", "missing/fendral.ini"}) {
    EXPECT_EQ(readProfileString("Main", "Options", ini(path)), "") << path;
    EXPECT_FALSE(writeProfileString("Main", "a", "1", ini(path))) << path;
  }
}

}  // namespace
}  // namespace fendral::settings
