#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "settings/settings_table.h"
#include "support/child_process.h"
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
  };
  for (const auto& [before, key, after] : rows) {
    put(before);
    ASSERT_TRUE(write(key, "3"));
    EXPECT_EQ(get(), after);
  }
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

TEST_F(Writing, FailuresLeaveTheOldFileWhole) {
  put(kOld);
  std::filesystem::permissions(host(), std::filesystem::perms(0444));
  EXPECT_FALSE(write("Options", "changed"));  // even for root
  std::filesystem::permissions(host(), std::filesystem::perms(0644));
  EXPECT_EQ(0, testing::inChild([this] {
              ::signal(SIGXFSZ, SIG_IGN);
              const rlimit limit{24, 24};  // past the bytes the old and new texts share
              ::setrlimit(RLIMIT_FSIZE, &limit);
              return write("Options", std::string(200, 'x')) ? 1 : 0;
            }));
  for (const char* path : {"fendral.ini/fendral.ini", "missing/fendral.ini"}) {
    EXPECT_EQ(readProfileString("Main", "Options", ini(path)), "") << path;
    EXPECT_FALSE(writeProfileString("Main", "a", "1", ini(path))) << path;
  }
  EXPECT_EQ(get(), kOld);
  EXPECT_EQ(entries(), 1u);

  std::filesystem::remove(host());
  std::filesystem::create_directory(host());
  EXPECT_EQ(read("Options"), "");
  EXPECT_FALSE(write("Options", "x"));
  EXPECT_TRUE(std::filesystem::is_empty(host()));
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

// A FIFO would block the reader and a huge file exhaust its memory: both read as empty and stay as they
// are.
TEST_F(Writing, OddFilesReadAsEmptyAndAreLeftAlone) {
  ASSERT_EQ(::mkfifo(host().c_str(), 0644), 0);
  EXPECT_EQ(read("Options"), "");
  EXPECT_FALSE(write("Options", "x"));
  EXPECT_TRUE(std::filesystem::is_fifo(host()));
  std::filesystem::remove(host());

  put(kOld);
  const std::uintmax_t huge = (16 << 20) + 1;
  std::filesystem::resize_file(host(), huge);
  EXPECT_EQ(read("Options"), "");
  EXPECT_FALSE(write("Options", "x"));
  EXPECT_EQ(std::filesystem::file_size(host()), huge);
}

}  // namespace
}  // namespace fendral::settings
