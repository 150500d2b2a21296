#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/host_path.h"
#include "scratch.h"

namespace fendral::platform {
namespace {

using testing::ScratchFolder;
using testing::TestPlatform;
using testing::writeFile;

TEST(HostPathTest, TranslatesWindowsSyntax) {
  EXPECT_EQ(hostPath("/opt/q2\\quake2.exe "), "/opt/q2/quake2.exe");
  EXPECT_EQ(hostPath("\\quake2.exe "), "/quake2.exe");
  EXPECT_EQ(hostPath("C:\\Games\\Quake 2\\baseq2\\my cfg.cfg   "), "C:/Games/Quake 2/baseq2/my cfg.cfg");
  EXPECT_EQ(hostPath("  leading stays"), "  leading stays");
  EXPECT_EQ(hostPath("   "), "");
  EXPECT_EQ(hostPath(""), "");
}

class FileTestTest : public ::testing::Test {
 protected:
  ScratchFolder folder;
  TestPlatform platform;
};

TEST_F(FileTestTest, FindsReadableRegularFilesByWindowsName) {
  writeFile(folder / "Quake 2/quake2.exe", "", 0755);
  writeFile(folder / "empty.bat", "", 0600);
  EXPECT_TRUE(platform.fileTest(folder.path() + "/Quake 2\\quake2.exe"));
  EXPECT_TRUE(platform.fileTest(folder.path() + "/Quake 2\\quake2.exe "));
  EXPECT_TRUE(platform.fileTest(folder.path() + "\\empty.bat"));
}

TEST_F(FileTestTest, RejectsWhatIsNoReadableFile) {
  std::filesystem::create_directories(folder / "q2/quake2.exe");
  writeFile(folder / "plain", "text");
  ASSERT_EQ(::mkfifo((folder / "pipe.exe").c_str(), 0644), 0);

  EXPECT_FALSE(platform.fileTest(folder.path() + "\\q2\\quake2.exe"));
  EXPECT_FALSE(platform.fileTest(folder.path() + "\\missing.exe"));
  EXPECT_FALSE(platform.fileTest(folder.path() + "\\plain\\quake2.exe"));
  EXPECT_FALSE(platform.fileTest(folder.path() + "\\pipe.exe"));  // and does not hang on it
  EXPECT_FALSE(platform.fileTest(""));
  EXPECT_FALSE(platform.fileTest("\\"));
}

TEST(ProgramFolderTest, IsTheFolderOfTheRunningExecutable) {
  TestPlatform platform;
  const std::string folder = platform.programFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.front(), '/');
  EXPECT_NE(folder.back(), '/');
  EXPECT_TRUE(std::filesystem::equivalent(folder + "/platform_tests", "/proc/self/exe"));
}

}  // namespace
}  // namespace fendral::platform
