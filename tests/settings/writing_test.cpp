#include <sys/stat.h>

#include "settings/private_profile.h"
#include "temp_folder.h"

namespace fendral::settings {
namespace {

class Writing : public TempFolder {
 protected:
  void write(std::string_view key, std::string_view value, std::string_view section = "Main") {
    ASSERT_TRUE(writeProfileString(section, key, value, ini()));
  }
};

TEST_F(Writing, ExistingKeyKeepsItsSpellingAndEveryOtherByte) {
  put("; mine\r\n[Other]\r\nJoystick=keep\r\n[main]\r\n  JoyStick =  old ; not a comment\r\nx=1\r\n");
  write("Joystick", "True");
  EXPECT_EQ(get(), "; mine\r\n[Other]\r\nJoystick=keep\r\n[main]\r\n  JoyStick =True\r\nx=1\r\n");
}

TEST_F(Writing, MissingKeyFollowsTheLastKeyLineOfTheFirstBlock) {
  put("[Main]\na=1\n; note\n\nb=2\n\n; trailing comment\n[Other]\n[Main]\nz=9\n");
  write("c", "3");
  EXPECT_EQ(get(), "[Main]\na=1\n; note\n\nb=2\nc=3\n\n; trailing comment\n[Other]\n[Main]\nz=9\n");

  put("[Main]\n; only a comment\n[Other]\n");
  write("c", "3");
  EXPECT_EQ(get(), "[Main]\nc=3\n; only a comment\n[Other]\n");

  put("[Main]\na=1");
  write("c", "3");
  EXPECT_EQ(get(), "[Main]\na=1\nc=3\n");
}

TEST_F(Writing, MissingSectionIsAppendedInTheFilesOwnLineEnding) {
  put("[Other]\nk=v");
  write("a", "1");
  EXPECT_EQ(get(), "[Other]\nk=v\n[Main]\na=1\n");

  put("[Other]\rk=v\r");
  write("a", "1");
  EXPECT_EQ(get(), "[Other]\rk=v\r[Main]\ra=1\r");

  put("\xEF\xBB\xBF");
  write("a", "1");
  EXPECT_EQ(get(), "\xEF\xBB\xBF[Main]\r\na=1\r\n");
}

TEST_F(Writing, MissingFileIsCreatedWithCrLfAndTheUsualPermissions) {
  write("Q2Location", "C:\\Quake2");
  write("CDLocation", "D");
  EXPECT_EQ(get(), "[Main]\r\nQ2Location=C:\\Quake2\r\nCDLocation=D\r\n");
  EXPECT_EQ(entries(), 1u);  // no temporary file left over
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(std::filesystem::status(host()).permissions(), std::filesystem::perms(0666 & ~mask));
}

TEST_F(Writing, EveryValueReadsBackUnchangedAndThePermissionsStay) {
  put("[Main]\nv=old\n");
  std::filesystem::permissions(host(), std::filesystem::perms(0640));
  const std::string values[] = {"",
                                " lead",
                                "trail\t",
                                "\"both\"",
                                "'single'",
                                "\"",
                                "'x\"",
                                "a=b; c",
                                "[Main]",
                                "\xC3\xA9",
                                std::string(254, 'z'),
                                std::string("nul\0byte", 8)};
  for (const std::string& value : values) {
    write("v", value);
    EXPECT_EQ(readProfileString("Main", "v", ini()), value);
  }
  EXPECT_EQ(std::filesystem::status(host()).permissions(), std::filesystem::perms(0640));

  write("v", "one\r\ntwo\nthree");  // a line cannot hold a line break
  EXPECT_EQ(readProfileString("Main", "v", ini()), "one  two three");
}

}  // namespace
}  // namespace fendral::settings
