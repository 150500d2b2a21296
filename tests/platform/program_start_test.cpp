#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

#include "launch/command_line.h"
#include "scratch.h"

namespace fendral::platform {
namespace {

using testing::InFolder;
using testing::ScratchFolder;
using testing::TestPlatform;
using testing::writeFile;
using Words = std::vector<std::string>;

// A stand-in program: records its arguments one per line, and its stdin, session and folder.
std::string recorder(const std::string& out) {
  // PATH is set because the tests narrow the launcher's own.
  return "#!/bin/sh\nPATH=/usr/bin:/bin\nout='" + out +
         "'\n"
         "readlink /proc/$$/fd/0 > \"$out/stdin\"\n"
         "cut -d' ' -f6 /proc/$$/stat > \"$out/session\"\n"
         "pwd -P > \"$out/cwd\"\n"
         "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$out/args.tmp\"\n"
         "mv \"$out/args.tmp\" \"$out/args\"\n";
}

std::optional<Words> awaitLines(const std::string& file) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!std::filesystem::exists(file)) {
    if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  Words lines;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string firstLine(const std::string& file) {
  const auto lines = awaitLines(file);
  return lines && !lines->empty() ? lines->front() : std::string();
}

class ScopedPath {
 public:
  explicit ScopedPath(const std::string& value) : previous_(std::getenv("PATH")) {
    ::setenv("PATH", value.c_str(), 1);
  }
  ScopedPath(const ScopedPath&) = delete;
  ScopedPath& operator=(const ScopedPath&) = delete;
  ~ScopedPath() {
    if (previous_) ::setenv("PATH", previous_->c_str(), 1);
  }

 private:
  std::optional<std::string> previous_;
};

class ProgramStartTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(out); }

  ScratchFolder folder;
  InFolder inside{folder.path()};  // where an interpreted `touch pwned` would land
  std::string out = folder / "out";
  TestPlatform platform;
};

TEST_F(ProgramStartTest, GameReceivesTheComposedWordsDetached) {
  const std::string q2 = folder / "Quake 2 folder";
  writeFile(q2 + "/quake2.exe", recorder(out), 0755);
  launch::CommandLineInputs inputs;
  inputs.q2Folder = q2;
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
  EXPECT_EQ(awaitLines(out + "/args"), (Words{"$(touch",
                                              "pwned);",
                                              "rm",
                                              "-rf",
                                              "x",
                                              "|",
                                              "y",
                                              "+set",
                                              "cddir",
                                              "D:\\install\\data",
                                              "+set",
                                              "basedir",
                                              folder / "Quake",
                                              "2",
                                              "folder",
                                              "+",
                                              "exec",
                                              "\\my.cfg",
                                              "-nocdaudio",
                                              "-nojoy"}));
  EXPECT_EQ(firstLine(out + "/stdin"), "/dev/null");
  EXPECT_EQ(firstLine(out + "/cwd"), std::filesystem::canonical(folder.path()).string());
  const std::string session = firstLine(out + "/session");
  EXPECT_FALSE(session.empty());
  EXPECT_NE(session, std::to_string(::getsid(0)));
  EXPECT_FALSE(std::filesystem::exists(folder / "pwned"));

  // Nothing is left for the launcher to reap.
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(ProgramStartTest, NonExecutableFileRunsThroughTheShell) {
  writeFile(folder / "Quake 2/prepare", recorder(out), 0644);
  ASSERT_TRUE(platform.startProgram(folder.path() + "/Quake 2\\prepare  one two "));
  EXPECT_EQ(awaitLines(out + "/args"), (Words{"one", "two"}));
}

TEST_F(ProgramStartTest, BatchFileWithoutWineRunsThroughTheShell) {
  writeFile(folder / "3DFX.BAT", recorder(out), 0644);
  std::filesystem::create_directories(folder / "bin");
  const ScopedPath path(folder / "bin");
  ASSERT_TRUE(platform.startProgram(folder.path() + "\\3DFX.BAT"));
  EXPECT_EQ(awaitLines(out + "/args"), Words{});
}

TEST_F(ProgramStartTest, WindowsProgramRunsThroughWineFromThePath) {
  writeFile(folder / "bin/wine", recorder(out), 0755);
  writeFile(folder / "other/wine", "not executable", 0644);
  writeFile(folder / "Q2.EXE", "MZ", 0644);
  const ScopedPath path(folder / "other:" + folder / "bin");
  ASSERT_TRUE(platform.startProgram(folder.path() + "\\Q2.EXE +set game ctf"));
  EXPECT_EQ(awaitLines(out + "/args"), (Words{folder / "Q2.EXE", "+set", "game", "ctf"}));
}

TEST_F(ProgramStartTest, UnrunnableProgramsFailToStart) {
  writeFile(folder / "Q2.EXE", "MZ", 0644);
  writeFile(folder / "bad interpreter", "#!/nonexistent/shell\n", 0755);
  writeFile(folder / "garbage", std::string("\x7f\x01\x02\x03", 4), 0755);
  std::filesystem::create_directories(folder / "q2/quake2.exe");
  std::filesystem::create_directories(folder / "bin");
  const ScopedPath path(folder / "bin");

  EXPECT_FALSE(platform.startProgram(folder.path() + "\\missing.exe +set game ctf"));
  EXPECT_FALSE(platform.startProgram(folder.path() + "\\Q2.EXE"));
  EXPECT_FALSE(platform.startProgram(folder.path() + "\\bad interpreter"));
  EXPECT_FALSE(platform.startProgram(folder / "garbage"));
  EXPECT_FALSE(platform.startProgram(folder.path() + "\\q2\\quake2.exe "));
  EXPECT_FALSE(platform.startProgram("   "));
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
