// Times a program's start-up on an X display, from fork to the map of its first top-level window,
// and optionally the launch that a key press on that window sets off.
//
//   startup_probe map SETTLE_MS PROGRAM [ARGS...]
//       prints: <microseconds to map> <peak resident KiB> <CPU microseconds to map>
//   startup_probe launch SETTLE_MS STAMP_FILE PROGRAM [ARGS...]
//       prints: <microseconds to map> <peak resident KiB> <microseconds key to game> <microseconds key to
//       exit> <CPU microseconds to map>
//
// The CPU time is what the program's threads ran until the map: on a busy machine the wall clock
// also counts the time others held the processors, the CPU time does not.
//
// STAMP_FILE is written by the fake game: its own start, in CLOCK_MONOTONIC nanoseconds.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

long long nowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

void sleepMs(long ms) {
  timespec pause{ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&pause, nullptr);
}

[[noreturn]] void die(const char* what) {
  std::fprintf(stderr, "startup_probe: %s\n", what);
  std::exit(2);
}

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

// The child under test; ended and reaped when the probe is done with it.
class Child {
 public:
  explicit Child(char** argv) {
    pid_ = fork();
    if (pid_ < 0) die("fork failed");
    if (pid_ == 0) {
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) dup2(null, STDOUT_FILENO);  // keep the probe's output to its figures
      execv(argv[0], argv);
      _exit(127);
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  pid_t pid() const { return pid_; }
  bool exited() {
    if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = -1;
    return pid_ <= 0;
  }
  long peakResidentKiB() const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
  }
  // The CPU time all the program's threads have run so far.
  long long cpuNs() const {
    long long total = 0;
    std::error_code error;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid_) + "/task", error)) {
      std::ifstream schedstat(task.path() / "schedstat");
      long long ns = 0;
      if (schedstat >> ns) total += ns;
    }
    return total;
  }
  void end() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
};

// Waits for the map of a top-level, non-override-redirect window; returns it, or None on timeout.
Window waitForTopLevelMap(Display* display, long long deadlineNs) {
  const Window root = DefaultRootWindow(display);
  while (nowNs() < deadlineNs) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect) {
        return event.xmap.window;
      }
    }
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, 10);
  }
  return None;
}

long long readStamp(const char* path) {
  std::ifstream stamp(path);
  long long ns = 0;
  return stamp >> ns ? ns : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool launch = argc >= 5 && std::strcmp(argv[1], "launch") == 0;
  const bool map = argc >= 4 && std::strcmp(argv[1], "map") == 0;
  if (!launch && !map)
    die("usage: startup_probe map SETTLE_MS PROGRAM... | launch SETTLE_MS STAMP PROGRAM...");
  const long settleMs = std::atol(argv[2]);
  const char* stampPath = launch ? argv[3] : nullptr;
  char** programArgv = argv + (launch ? 4 : 3);
  if (stampPath != nullptr) unlink(stampPath);

  DisplayHandle display(XOpenDisplay(nullptr));
  if (!display) die("cannot open the display");
  XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);
  XSync(display.get(), False);

  const long long startNs = nowNs();
  Child child(programArgv);
  const Window window = waitForTopLevelMap(display.get(), startNs + 20'000'000'000LL);
  const long long mappedNs = nowNs();
  if (window == None) die("no window was mapped");
  const long long cpuUs = child.cpuNs() / 1000;

  // Let the program finish its first paint before its peak memory is read.
  sleepMs(settleMs);
  const long peakKiB = child.peakResidentKiB();
  if (!launch) {
    child.end();
    std::printf("%lld %ld %lld\n", (mappedNs - startNs) / 1000, peakKiB, cpuUs);
    return 0;
  }

  // No window manager here: give the window the keyboard ourselves, as a click on it would.
  XSetInputFocus(display.get(), window, RevertToParent, CurrentTime);
  XSync(display.get(), False);
  sleepMs(100);
  const KeyCode space = XKeysymToKeycode(display.get(), XK_space);
  const long long keyNs = nowNs();
  XTestFakeKeyEvent(display.get(), space, True, CurrentTime);
  XTestFakeKeyEvent(display.get(), space, False, CurrentTime);
  XFlush(display.get());

  long long gameNs = 0;
  long long exitNs = 0;
  while ((gameNs == 0 || exitNs == 0) && nowNs() < keyNs + 10'000'000'000LL) {
    if (gameNs == 0) gameNs = readStamp(stampPath);
    if (exitNs == 0 && child.exited()) exitNs = nowNs();
    usleep(100);
  }
  if (gameNs == 0) die("the game was not started");
  if (exitNs == 0) die("the launcher did not end");
  std::printf("%lld %ld %lld %lld %lld\n", (mappedNs - startNs) / 1000, peakKiB, (gameNs - keyNs) / 1000,
              (exitNs - keyNs) / 1000, cpuUs);
  return 0;
}
