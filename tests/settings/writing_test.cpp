#include <sys/stat.h>

#include "settings/private_profile.h"
#include "temp_folder.h"

namespace fendral::settings {
namespace {

class Writing : public TempFolder {
 protected:
  bool write(std::string_view section, std::string_view key, std::string_view value) {
    return writeProfileString(section, key, value, ini());
  }
};

TEST_F(Writing, ExistingKeyKeepsItsSpellingAndTheRestOfTheFile) {
  put("; mine\r\n[Other]\r\nJoystick=keep\r\n[main]\r\n  JoyStick =  old value ; not a comment\r\nx=1\r\n");
  ASSERT_TRUE(write("Main", "Joystick", "True"));
  EXPECT_EQ(get(), "; mine\r\n[Other]\r\nJoystick=keep\r\n[main]\r\n  JoyStick =True\r\nx=1\r\n");
}

TEST_F(Writing, MissingKeyFollowsTheLastKeyLineOfTheFirstBlock) {
  put("[Main]\na=1\n; note\n\nb=2\n\n; trailing comment\n[Other]\n[Main]\nz=9\n");
  ASSERT_TRUE(write("Main", "c", "3"));
  EXPECT_EQ(get(), "[Main]\na=1\n; note\n\nb=2\nc=3\n\n; trailing comment\n[Other]\n[Main]\nz=9\n");

  put("[Main]\n; only a comment\n[Other]\n");
  ASSERT_TRUE(write("Main", "c", "3"));
  EXPECT_EQ(get(), "[Main]\nc=3\n; only a comment\n[Other]\n");

  put("[Main]\na=1");
  ASSERT_TRUE(write("Main", "c", "3"));
  EXPECT_EQ(get(), "[Main]\na=1\nc=3\n");
}

TEST_F(Writing, MissingSectionIsAppendedInTheFilesOwnLineEnding) {
  put("[Other]\nk=v");
  ASSERT_TRUE(write("Main", "a", "1"));
  EXPECT_EQ(get(), "[Other]\nk=v\n[Main]\na=1\n");

  put("[Other]\rk=v\r");
  ASSERT_TRUE(write("Main", "a", "1"));
  EXPECT_EQ(get(), "[Other]\rk=v\r[Main]\ra=1\r");

  put("\xEF\xBB\xBF");
  ASSERT_TRUE(write("Main", "a", "1"));
  EXPECT_EQ(get(), "\xEF\xBB\xBF[Main]\r\na=1\r\n");
}

TEST_F(Writing, MissingFileIsCreatedWithCrLf) {
  ASSERT_TRUE(write("Main", "Q2Location", "C:\\Quake2"));
  ASSERT_TRUE(write("Main", "CDLocation", "D"));
  EXPECT_EQ(get(), "[Main]\r\nQ2Location=C:\\Quake2\r\nCDLocation=D\r\n");
  EXPECT_EQ(entries(), 1u);  // no temporary file left over
  struct stat info {};
  ASSERT_EQ(::stat(host().c_str(), &info), 0);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(Writing, EveryValueReadsBackUnchanged) {
  put("[Main]\nv=old\n");
  ::chmod(host().c_str(), 0640);
  const std::string values[] = {"",
                                " lead",
                                "trail\t",
                                "\"both\"",
                                "'single'",
                                "\"",
                                "'x\"",
                                "a=b; c",
                                "[Main]",
                                "\xC3\xA9t\xC3\xA9",
                                std::string(254, 'z'),
                                std::string("nul\0byte", 8)};
  for (const std::string& value : values) {
    ASSERT_TRUE(write("Main", "v", value));
    EXPECT_EQ(readProfileString("Main", "v", ini()), value);
  }
  struct stat info {};
  ASSERT_EQ(::stat(host().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(Writing, LineBreaksInAValueBecomeBlanks) {
  ASSERT_TRUE(write("Main", "v", "one\r\ntwo\nthree"));
  EXPECT_EQ(readProfileString("Main", "v", ini()), "one  two three");
  EXPECT_EQ(readProfileString("Main", "three", ini()), "");
}

}  // namespace
}  // namespace fendral::settings
