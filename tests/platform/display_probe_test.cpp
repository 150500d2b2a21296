#include "platform/display_probe.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "platform/unique_fd.h"
#include "support/scratch_folder.h"

namespace fendral::platform {
namespace {

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

// Milliseconds `probe` took, and what it said.
template <typename Probe>
std::pair<int, bool> timed(Probe probe) {
  const auto start = std::chrono::steady_clock::now();
  const bool answered = probe();
  return {static_cast<int>((std::chrono::steady_clock::now() - start) / 1ms), answered};
}

// Sets an environment variable for the life of this object.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A server that accepts and never greets is given up when the deadline passes, X and Wayland alike,
// and the two at once cost one deadline, not two. A probe that waited for ever would end the test
// program at the alarm.
TEST(DisplayProbe, SilentDisplaysAreGivenUpAtTheDeadline) {
  const testing::ScratchFolder scratch("probe");
  const UniqueFd wayland = silentServer(scratch.at("wayland-silent"));
  ASSERT_TRUE(wayland.valid());
  int number = 700;
  UniqueFd x11;
  while (!x11.valid() && number < 800) {
    x11 = silentServer(std::string(1, '\0') + "/tmp/.X11-unix/X" + std::to_string(++number));
  }
  ASSERT_TRUE(x11.valid());
  const std::string display = ":" + std::to_string(number);

  ::alarm(30);
  const auto [x11Took, x11Answered] = timed([&] { return x11DisplayAnswers(display, 300ms); });
  EXPECT_FALSE(x11Answered);
  EXPECT_TRUE(x11Took >= 290 && x11Took < 2000) << x11Took;
  const auto [waylandTook, waylandAnswered] =
      timed([&] { return waylandDisplayAnswers("wayland-silent", scratch.path(), 300ms); });
  EXPECT_FALSE(waylandAnswered);
  EXPECT_TRUE(waylandTook >= 290 && waylandTook < 2000) << waylandTook;

  const ScopedVariable x11Display("DISPLAY", display);
  const ScopedVariable waylandDisplay("WAYLAND_DISPLAY", scratch.at("wayland-silent"));
  const ScopedVariable noChoice("QT_QPA_PLATFORM", "");
  const auto [bothTook, none] = timed([] { return !windowSystemToOpen(1000ms); });
  EXPECT_TRUE(none);
  EXPECT_LT(bothTook, 1900);
  ::alarm(0);
}

}  // namespace
}  // namespace fendral::platform
