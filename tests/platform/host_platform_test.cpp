#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <tuple>

#include <gtest/gtest.h>

#include "platform/display_probe.h"
#include "platform/host_path.h"
#include "platform/host_platform.h"
#include "platform/unique_fd.h"
#include "support/child_process.h"
#include "support/recording_platform.h"
#include "support/scratch_folder.h"

namespace fendral::platform {
namespace {

namespace fs = std::filesystem;

// HostPlatform with the toolkit's part stubbed out.
class TestPlatform : public HostPlatform {
 public:
  void message(const std::string&) override {}
};

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

// Each test runs inside a fresh folder, removed afterwards, and gets PATH back as it was.
class HostPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::current_path(dir); }
  // The scratch folder goes after this, once the test has left it.
  void TearDown() override {
    fs::current_path(previous_);
    ::setenv("PATH", path_.c_str(), 1);
  }

  // Files with these bytes, executable unless told otherwise.
  void put(std::string_view bytes, std::initializer_list<const char*> names, int mode = 0755) const {
    for (const char* name : names) scratch.put(name, bytes, mode);
  }
  // The arguments a recorder in `folder` was started with, once it has run; "timeout" when it never does.
  std::string recordedArguments(const std::string& folder) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!fs::exists(folder + "/args")) {
      if (std::chrono::steady_clock::now() > deadline) return "timeout";
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return scratch.get(folder + "/args");
  }

  fendral::testing::ScratchFolder scratch{"fendral-platform"};
  std::string dir = scratch.path().string();
  TestPlatform platform;

 private:
  const fs::path previous_ = fs::current_path();
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
  EXPECT_EQ(absoluteHostPath("C:\\Q2 "), fs::current_path().string() + "/C:/Q2");
  EXPECT_EQ(absoluteHostPath(" "), "/");
}

TEST_F(HostPlatformTest, FileTestFindsOnlyReadableRegularFilesByWindowsName) {
  scratch.put("Quake 2/quake2.exe", "", 0755);
  scratch.put("empty.bat", "", 0600);
  scratch.put("plain", "text");
  fs::create_directories("q2/quake2.exe");
  ASSERT_EQ(::mkfifo("pipe.exe", 0644), 0);
  for (const char* name : {"/Quake 2\\quake2.exe", "/Quake 2\\quake2.exe ", "\\empty.bat"})
    EXPECT_TRUE(platform.fileTest(dir + name)) << name;
  // A pipe must not hang the test either.
  for (const char* name :
       {"\\q2\\quake2.exe", "\\missing.exe", "\\plain\\quake2.exe", "\\pipe.exe", "", "\\"})
    EXPECT_FALSE(platform.fileTest(name[0] ? dir + name : name)) << name;
}

// Not the exec bit (every file on a Windows partition has it) but the content and the name decide;
// what cannot run fails to start at once.
TEST_F(HostPlatformTest, FilesRunByTheirContentAndNameOrFailToStart) {
  put("\177ELF\x02\x01", {"engine"}, 0644);
  put("#!/bin/sh\n", {"script"}, 0644);
  put("MZ", {"program"}, 0644);
  put("echo hello\n", {"go.bat", "plain"});
  put("MZ\x90", {"Q2.EXE"});
  put("text", {"setup.com"});
  put("#!/bin/sh\n", {"wine/wine"});
  put("#!/nonexistent/shell\n", {"bad interpreter"});
  put("\177ELF\x01\x02\x03", {"garbage"});
  fs::create_directory("folder");
  ASSERT_EQ(::mkfifo("pipe", 0644), 0);
  const std::string wine = dir + "/wine/wine";
  const auto at = [&](const char* name) { return dir + "/" + name; };
  using C = std::optional<Command>;
  // The file, and how it runs with wine on the PATH and without.
  const std::tuple<std::string, C, C> cases[] = {
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

  // Started with no wine on the PATH; the shell, not looked up there, the end-to-end tests start.
  scratch.put("q2/3DFX.BAT", kRecorder, 0755);
  ::setenv("PATH", (dir + "/none").c_str(), 1);
  for (const char* program : {"Q2.EXE", "missing", "folder", "bad interpreter", "script", "garbage", ""})
    EXPECT_FALSE(platform.startProgram({program, {}, {}})) << program;
  EXPECT_FALSE(platform.startProgram({"q2/3DFX.BAT", {}, dir + "/missing folder"}));
  // With wine on the PATH, the batch file goes to it.
  put("#!/bin/sh\n" + kRecorder, {"wine/wine"});
  ::setenv("PATH", (dir + "/wine").c_str(), 1);
  ASSERT_TRUE(platform.startProgram({"q2/3DFX.BAT", {"one"}, dir}));
  EXPECT_EQ(recordedArguments("wine"), dir + "/q2/3DFX.BAT\none\n");
}

TEST_F(HostPlatformTest, ProgramGetsExactWordsInItsFolderDetached) {
  scratch.put("Quake 2 folder/quake2", "#!/bin/sh\n" + kRecorder, 0755);
  // Started by a child whose stdin is a pipe and whose descriptor 50 is open, so /dev/null and the closing
  // can only come from the start; nothing is left for the child to reap.
  const int started = fendral::testing::inChild([&] {
    int ends[2];
    if (::pipe(ends) != 0 || ::dup2(ends[0], STDIN_FILENO) < 0 || ::dup2(ends[1], 50) < 0) return 1;
    const std::vector<std::string> words{"$(touch pwned);", "a  b", "-rf", "*", "\"q\""};
    if (!platform.startProgram({dir + "/Quake 2 folder/quake2", words, "/"})) return 2;
    errno = 0;
    return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD ? 0 : 3;
  });
  ASSERT_EQ(started, 0);
  EXPECT_EQ(recordedArguments("Quake 2 folder"), "$(touch pwned);\na  b\n-rf\n*\n\"q\"\n");
  EXPECT_EQ(scratch.get("Quake 2 folder/stdin"), "/dev/null\n");
  EXPECT_EQ(scratch.get("Quake 2 folder/cwd"), "/\n");
  EXPECT_NE(scratch.get("Quake 2 folder/session"), std::to_string(::getsid(0)) + "\n");
  EXPECT_FALSE(fs::exists("Quake 2 folder/fd50"));
  EXPECT_FALSE(fs::exists("pwned"));
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

using namespace std::chrono_literals;

// A socket that takes connections and never says a word, as a stopped server does. A name starting
// with '\0' is in the abstract namespace, where the X library looks for ":N" first.
UniqueFd silentServer(const std::string& name) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, name.data(), name.size());
  UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size());
  if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
      ::listen(fd.get(), 8) != 0) {
    fd.reset();
  }
  return fd;
}

// Milliseconds `probe` takes, or -1 when it says the display answers.
template <typename Probe>
int silentFor(Probe probe) {
  const auto start = std::chrono::steady_clock::now();
  return probe() ? -1 : static_cast<int>((std::chrono::steady_clock::now() - start) / 1ms);
}

// A server that accepts and never greets is given up at the deadline (an X server the end-to-end test
// stops), and an X and a Wayland one at once cost one deadline. A probe that waited for ever would end the
// test program at the alarm.
TEST(DisplayProbe, SilentDisplaysAreGivenUpAtTheDeadline) {
  const testing::ScratchFolder scratch("probe");
  const UniqueFd wayland = silentServer(scratch.at("wayland-silent"));
  int number = 700;
  UniqueFd x11;
  while (!x11.valid() && number < 800) {
    x11 = silentServer(std::string(1, '\0') + "/tmp/.X11-unix/X" + std::to_string(++number));
  }
  ASSERT_TRUE(wayland.valid() && x11.valid());
  const std::string display = std::string(":").append(std::to_string(number));

  ::alarm(30);
  const int waylandTook =
      silentFor([&] { return waylandDisplayAnswers("wayland-silent", scratch.path(), 300ms); });
  EXPECT_TRUE(waylandTook >= 290 && waylandTook < 2000) << waylandTook;
  const int bothTook = testing::inChild([&] {
    ::setenv("DISPLAY", display.c_str(), 1);
    ::setenv("WAYLAND_DISPLAY", scratch.at("wayland-silent").c_str(), 1);
    ::unsetenv("QT_QPA_PLATFORM");
    return silentFor([] { return windowSystemToOpen(1000ms).has_value(); }) / 10;  // fits an exit code
  });
  EXPECT_TRUE(bothTook >= 99 && bothTook < 190) << bothTook * 10;
  ::alarm(0);
}

}  // namespace
}  // namespace fendral::platform
