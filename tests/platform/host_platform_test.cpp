#include <fcntl.h>
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

#include "platform/host_path.h"
#include "platform/host_platform.h"
#include "support/recording_platform.h"
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

  void folder(const std::string& name) const { std::filesystem::create_directories(dir + "/" + name); }

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
  EXPECT_EQ(absoluteHostPath("C:\\Q2 "), std::filesystem::current_path().string() + "/C:/Q2");
  EXPECT_EQ(absoluteHostPath(" "), "/");
}

TEST_F(HostPlatformTest, FileTestFindsOnlyReadableRegularFilesByWindowsName) {
  scratch.put("Quake 2/quake2.exe", "", 0755);
  scratch.put("empty.bat", "", 0600);
  scratch.put("plain", "text");
  folder("q2/quake2.exe");
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

TEST_F(HostPlatformTest, EngineIsChosenInOrderAndOnlyWhereItCanRun) {
  const std::string script = "#!/bin/sh\n";
  scratch.put("a/quake2", script, 0755);
  scratch.put("a/quake2.exe", "MZ");
  folder("a/baseq2");
  scratch.put("a/winmod/gamex86.dll", "MZ");
  scratch.put("a/both/gamex86.dll", "MZ");
  scratch.put("a/both/game.so",
              "\x7f"
              "ELF");
  scratch.put("b/quake2", "echo no interpreter line\n", 0755);
  folder("b/baseq2");
  scratch.put("c/quake2.exe", "MZ");
  folder("c/quake2");
  folder("d");
  folder("e");
  ASSERT_EQ(::mkfifo("d/quake2", 0755), 0);
  scratch.put("d/quake2.exe", "MZ");
  std::filesystem::create_symlink("/nowhere/quake2", "e/quake2");
  scratch.put("my", script, 0755);  // "my games/q2" must never run "my"
  folder("my games/q2");
  scratch.put("wine/wine", script, 0755);
  scratch.put("engines/yquake2", script, 0755);
  scratch.put("engines/quake2", script, 0755);
  scratch.put("engines2/yamagi-quake2", script, 0755);
  scratch.put("yquake2", script, 0755);  // in the current folder, which an empty PATH entry must not mean
  folder("none");

  const std::string none = dir + "/none", all = ":" + dir + "/wine:" + dir + "/engines:";
  const std::string native = dir + "/a/quake2", yquake2 = dir + "/engines/yquake2";
  const std::string wine = dir + "/wine/wine";
  using E = EngineKind;
  const struct {
    std::string folder, game, path;
    std::optional<GameEngine> expected;
  } cases[] = {
      {dir + "/a", "", none, GameEngine{E::Native, {native}}},
      {dir + "\\a", "winmod", all, GameEngine{E::Windows, {wine, dir + "/a/quake2.exe"}}},
      {dir + "/a", "both", all, GameEngine{E::Native, {native}}},
      {dir + "/a", "winmod", none, GameEngine{E::Native, {native}}},  // no wine: the native engine tries
      {dir + "/b", "", all, GameEngine{E::NativeFromPath, {yquake2}}},
      {dir + "/b", "", dir + "/engines2:" + dir + "/engines",
       GameEngine{E::NativeFromPath, {dir + "/engines2/yamagi-quake2"}}},
      {dir + "/c", "", all, GameEngine{E::NativeFromPath, {yquake2}}},
      {dir + "/c", "", dir + "/wine", GameEngine{E::Windows, {wine, dir + "/c/quake2.exe"}}},
      {dir + "/b", "", none, std::nullopt},
      {dir + "/c", "", none, std::nullopt},  // a Windows program without wine
      {dir + "/d", "", none, std::nullopt},
      {dir + "/e", "", all, std::nullopt},
      {dir + "/my games/q2", "", all, std::nullopt},
      {"", "", all, std::nullopt},
  };
  for (const auto& [q2, game, path, expected] : cases) {
    EXPECT_EQ(chooseGameEngine(q2, game, path), expected) << q2 << " " << game << " " << path;
  }
}

TEST_F(HostPlatformTest, HowAFileRunsIsDecidedByItsContentAndName) {
  scratch.put("engine",
              "\x7f"
              "ELF\x02\x01",
              0644);
  scratch.put("script", "#!/bin/sh\n", 0644);
  scratch.put("go.bat", "echo hello\n", 0755);
  scratch.put("Q2.EXE", "MZ\x90", 0755);
  scratch.put("setup.com", "text", 0755);
  scratch.put("program", "MZ", 0644);
  scratch.put("plain", "echo hello\n", 0755);
  scratch.put("wine/wine", "#!/bin/sh\n", 0755);
  folder("folder");
  ASSERT_EQ(::mkfifo("pipe", 0644), 0);
  const std::string wine = dir + "/wine/wine";
  const auto at = [&](const char* name) { return dir + "/" + name; };
  using C = std::optional<Command>;
  const struct {
    std::string file;
    C withWine, withoutWine;
  } cases[] = {
      {at("engine"), Command{at("engine")}, Command{at("engine")}},
      {at("script"), Command{at("script")}, Command{at("script")}},
      {at("go.bat"), Command{wine, at("go.bat")}, Command{"/bin/sh", at("go.bat")}},
      {at("Q2.EXE"), Command{wine, at("Q2.EXE")}, std::nullopt},
      {at("setup.com"), Command{wine, at("setup.com")}, std::nullopt},
      {at("program"), Command{wine, at("program")}, std::nullopt},
      {at("plain"), Command{"/bin/sh", at("plain")}, Command{"/bin/sh", at("plain")}},
      {"plain", Command{"/bin/sh", "./plain"}, Command{"/bin/sh", "./plain"}},
      {"-rf", std::nullopt, std::nullopt},
      {at("folder"), std::nullopt, std::nullopt},
      {at("pipe"), std::nullopt, std::nullopt},
  };
  for (const auto& [file, withWine, withoutWine] : cases) {
    EXPECT_EQ(runCommand(file, dir + "/wine"), withWine) << file;
    EXPECT_EQ(runCommand(file, dir), withoutWine) << file;
  }
}

// A stand-in program: records its arguments one per line, and its stdin, session, folder and whether
// descriptor 50 reached it. PATH is set because the tests narrow the launcher's own.
const std::string kRecorder =
    "PATH=/usr/bin:/bin\n"
    "here=$(pwd -P)\n"
    "cd \"$(dirname \"$0\")\"\n"
    "echo \"$here\" > cwd\n"
    "readlink /proc/$$/fd/0 > stdin\n"
    "cut -d' ' -f6 /proc/$$/stat > session\n"
    "test -e /proc/$$/fd/50 && echo inherited > fd50\n"
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

TEST_F(HostPlatformTest, ProgramGetsExactWordsInItsFolderDetached) {
  scratch.put("Quake 2 folder/quake2", "#!/bin/sh\n" + kRecorder, 0755);
  const Words words{"$(touch pwned);", "a  b", "-rf", "*", "\"q\""};
  {
    // The launcher's own stdin is a pipe here, so /dev/null can only come from the start.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const int savedStdin = ::dup(STDIN_FILENO);
    ::dup2(ends[0], STDIN_FILENO);
    ::dup2(ends[1], 50);
    const bool started = platform.startProgram({dir + "/Quake 2 folder/quake2", words, "/"});
    ::dup2(savedStdin, STDIN_FILENO);
    for (const int fd : {ends[0], ends[1], savedStdin, 50}) ::close(fd);
    ASSERT_TRUE(started);
  }
  EXPECT_EQ(recorded("Quake 2 folder/args"), "$(touch pwned);\na  b\n-rf\n*\n\"q\"\n");
  EXPECT_EQ(recorded("Quake 2 folder/stdin"), "/dev/null\n");
  EXPECT_EQ(recorded("Quake 2 folder/cwd"), "/\n");
  EXPECT_NE(recorded("Quake 2 folder/session"), std::to_string(::getsid(0)) + "\n");
  EXPECT_FALSE(std::filesystem::exists("Quake 2 folder/fd50"));
  EXPECT_FALSE(std::filesystem::exists("pwned"));
  // Nothing is left for the launcher to reap.
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(HostPlatformTest, FilesRunByTheirContentOrFailToStart) {
  scratch.put("q2/3DFX.BAT", kRecorder, 0755);  // no "#!": the shell runs it
  ::setenv("PATH", (dir + "/none").c_str(), 1);
  ASSERT_TRUE(platform.startProgram({"q2/3DFX.BAT", {"one"}, dir + "/q2"}));
  EXPECT_EQ(recorded("q2/args"), "one\n");

  scratch.put("q2/quake2.exe", "MZ", 0755);
  scratch.put("bad interpreter", "#!/nonexistent/shell\n", 0755);
  scratch.put("not executable", "#!/bin/sh\n", 0644);
  scratch.put("garbage",
              "\x7f"
              "ELF\x01\x02\x03",
              0755);
  folder("q2/quake2");
  for (const char* program :
       {"q2/quake2.exe", "missing", "q2/quake2", "bad interpreter", "not executable", "garbage", ""}) {
    EXPECT_FALSE(platform.startProgram({program, {}, {}})) << program;
  }
  EXPECT_FALSE(platform.startProgram({"q2/3DFX.BAT", {}, dir + "/missing folder"}));
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
