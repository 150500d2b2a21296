#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <gtest/gtest.h>

#include "launch/command_line.h"
#include "platform/host_path.h"
#include "platform/host_platform.h"
#include "support/scratch_folder.h"

namespace fendral::platform {
namespace {

using Words = std::vector<std::string>;

// HostPlatform with the toolkit's part stubbed out.
class TestPlatform : public HostPlatform {
 public:
  void message(const std::string&) override {}
};

// Each test runs inside a fresh folder, removed afterwards, and gets PATH back as it was.
class HostPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::current_path(dir); }
  // The scratch folder goes after this, once the test has left it.
  void TearDown() override {
    std::filesystem::current_path(previous_);
    ::setenv("PATH", path_.c_str(), 1);
  }

  // `name` is relative to the scratch folder.
  void put(const std::string& name, const std::string& text, mode_t mode = 0644) const {
    const std::string path = dir + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
    ::chmod(path.c_str(), mode);
  }

  fendral::testing::ScratchFolder scratch{"fendral-platform"};
  std::string dir = scratch.path().string();
  TestPlatform platform;

 private:
  const std::filesystem::path previous_ = std::filesystem::current_path();
  const std::string path_ = std::getenv("PATH");
};

TEST(HostPathTest, TranslatesWindowsSyntax) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"/opt/q2\\quake2.exe ", "/opt/q2/quake2.exe"},
      {"\\quake2.exe ", "/quake2.exe"},
      {"C:\\Games\\Quake 2\\baseq2\\my cfg.cfg   ", "C:/Games/Quake 2/baseq2/my cfg.cfg"},
      {"  leading stays", "  leading stays"},
      {"   ", ""},
      {"", ""},
  };
  for (const auto& [windows, host] : cases) EXPECT_EQ(hostPath(windows), host) << windows;
}

// The program and its arguments, each argument after a "|"; empty when there is no call.
std::string resolved(const std::string& line, const std::string& programFolder) {
  const auto call = resolveCommandLine(line, programFolder);
  std::string text = call ? call->program : "";
  for (const std::string& arg : call ? call->args : Words{}) text += "|" + arg;
  return text;
}

TEST_F(HostPlatformTest, ProgramIsTheShortestLeadingRunNamingAFileOrElseTheFirstWord) {
  std::filesystem::create_directories("Quake");  // a folder is no program
  put("Quake  2 folder/quake2.exe", "");
  put("a", "");
  put("a b", "");
  const std::string rows[][3] = {
      {dir + "/Quake  2 folder\\quake2.exe  +set game  ctf \\baseq2\\x.cfg\t-nojoy ", "/opt",
       dir + "/Quake  2 folder/quake2.exe|+set|game|ctf|\\baseq2\\x.cfg\t-nojoy"},
      {dir + "/a b c", "/opt", dir + "/a|b|c"},
      {"  C:\\nowhere\\q2.exe   -x  $(touch pwned);  ", "/opt", "C:/nowhere/q2.exe|-x|$(touch|pwned);"},
      {"", "/opt", ""},
      {"    ", "/opt", ""},
      // A missing notepad is the editor beside the launcher, given the rest as one file name.
      {"notepad.exe C:\\games\\Quake 2\\my  config.cfg ", "/opt/fendral",
       "/opt/fendral/fendral-notepad|C:/games/Quake 2/my  config.cfg"},
      {"  NotePad.EXE  \\q2\\a.bat", "/", "/fendral-notepad| /q2/a.bat"},
      {"notepad.exe ", "/opt", "/opt/fendral-notepad"},
      {"notepad.exe.bak a b", "/opt", "notepad.exe.bak|a|b"},
  };
  for (const auto& [line, programFolder, expected] : rows) EXPECT_EQ(resolved(line, programFolder), expected);

  put("notepad.exe", "", 0755);
  const auto call = resolveCommandLine("notepad.exe my file.txt", "/opt");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->program, "notepad.exe");
  // A relative name must not reach an interpreter's PATH search or option parsing.
  EXPECT_EQ(hostArgv(*call, ""), (Words{"./notepad.exe", "my", "file.txt"}));
}

TEST_F(HostPlatformTest, FileTestFindsOnlyReadableRegularFilesByWindowsName) {
  put("Quake 2/quake2.exe", "", 0755);
  put("empty.bat", "", 0600);
  put("plain", "text");
  std::filesystem::create_directories("q2/quake2.exe");
  ASSERT_EQ(::mkfifo("pipe.exe", 0644), 0);
  for (const char* name : {"/Quake 2\\quake2.exe", "/Quake 2\\quake2.exe ", "\\empty.bat"}) {
    EXPECT_TRUE(platform.fileTest(dir + name)) << name;
  }
  // A pipe must not hang the test either.
  for (const char* name : {"\\q2\\quake2.exe", "\\missing.exe", "\\plain\\quake2.exe", "\\pipe.exe"}) {
    EXPECT_FALSE(platform.fileTest(dir + name)) << name;
  }
  EXPECT_FALSE(platform.fileTest(""));
  EXPECT_FALSE(platform.fileTest("\\"));
}

TEST(ProgramFolderTest, IsTheFolderOfTheRunningExecutable) {
  const std::string folder = TestPlatform().programFolder();
  ASSERT_TRUE(folder.starts_with('/') && !folder.ends_with('/')) << folder;
  EXPECT_TRUE(std::filesystem::equivalent(folder + "/platform_tests", "/proc/self/exe"));
}

// A stand-in program: records its arguments one per line, and its stdin, session and folder. PATH is
// set because the tests narrow the launcher's own.
const std::string kRecorder =
    "#!/bin/sh\nPATH=/usr/bin:/bin\n"
    "readlink /proc/$$/fd/0 > stdin\n"
    "cut -d' ' -f6 /proc/$$/stat > session\n"
    "pwd -P > cwd\n"
    "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > args.tmp\n"
    "mv args.tmp args\n";

// What the recorder wrote to `file`, once it exists; "timeout" when it never appears.
std::string recorded(const std::string& file) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!std::filesystem::exists(file)) {
    if (std::chrono::steady_clock::now() > deadline) return "timeout";
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::ifstream in(file);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(HostPlatformTest, GameReceivesTheComposedWordsDetached) {
  put("Quake 2 folder/quake2.exe", kRecorder, 0755);
  launch::CommandLineInputs inputs;
  inputs.q2Folder = dir + "/Quake 2 folder";
  inputs.cdDriveLetter = "D";
  inputs.options = "$(touch pwned); rm -rf x | y";
  inputs.standardConfig = "my.cfg";
  {
    // The launcher's own stdin is a pipe here, so /dev/null can only come from the start.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const int savedStdin = ::dup(STDIN_FILENO);
    ::dup2(ends[0], STDIN_FILENO);
    const bool started = platform.startProgram(launch::composeGameCommandLine(inputs));
    ::dup2(savedStdin, STDIN_FILENO);
    for (const int fd : {ends[0], ends[1], savedStdin}) ::close(fd);
    ASSERT_TRUE(started);
  }
  EXPECT_EQ(recorded("args"),
            "$(touch\npwned);\nrm\n-rf\nx\n|\ny\n+set\ncddir\nD:\\install\\data\n+set\nbasedir\n" + dir +
                "/Quake\n2\nfolder\n+\nexec\n\\my.cfg\n-nocdaudio\n-nojoy\n");
  EXPECT_EQ(recorded("stdin"), "/dev/null\n");
  EXPECT_EQ(recorded("cwd"), std::filesystem::canonical(dir).string() + "\n");
  EXPECT_NE(recorded("session"), std::to_string(::getsid(0)) + "\n");
  EXPECT_FALSE(std::filesystem::exists("pwned"));
  // Nothing is left for the launcher to reap.
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(HostPlatformTest, OtherFilesRunThroughTheShellWindowsProgramsThroughWineOrNotAtAll) {
  put("Quake 2/prepare", kRecorder, 0644);
  ASSERT_TRUE(platform.startProgram(dir + "/Quake 2\\prepare  one two "));
  EXPECT_EQ(recorded("args"), "one\ntwo\n");

  std::filesystem::remove("args");
  put("3DFX.BAT", kRecorder, 0644);
  put("Q2.EXE", "MZ", 0644);
  put("bad interpreter", "#!/nonexistent/shell\n", 0755);
  put("garbage", "\x7f\x01\x02\x03", 0755);
  std::filesystem::create_directories("q2/quake2.exe");
  std::filesystem::create_directories("bin");
  ::setenv("PATH", (dir + "/other:" + dir + "/bin").c_str(), 1);
  ASSERT_TRUE(platform.startProgram(dir + "\\3DFX.BAT"));  // no wine on the path yet
  EXPECT_EQ(recorded("args"), "");
  for (const std::string line :
       {"\\missing.exe +set game ctf", "\\Q2.EXE", "\\bad interpreter", "/garbage", "\\q2\\quake2.exe "}) {
    EXPECT_FALSE(platform.startProgram(dir + line)) << line;
  }
  EXPECT_FALSE(platform.startProgram("   "));

  std::filesystem::remove("args");
  put("bin/wine", kRecorder, 0755);
  put("other/wine", "not executable", 0644);
  ASSERT_TRUE(platform.startProgram(dir + "\\Q2.EXE +set game ctf"));
  EXPECT_EQ(recorded("args"), dir + "/Q2.EXE\n+set\ngame\nctf\n");
}

TEST(EndProgramTest, EndsAtOnceWithPendingOutputFlushedAndNoHandlers) {
  TestPlatform platform;
  EXPECT_EXIT(
      {
        static char buffer[64];
        std::setvbuf(stderr, buffer, _IOFBF, sizeof buffer);
        std::atexit([] { std::_Exit(3); });
        std::fputs("pending", stderr);
        platform.endProgram();
      },
      ::testing::ExitedWithCode(0), "pending");
}

}  // namespace
}  // namespace fendral::platform
