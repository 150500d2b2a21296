#include "platform/display_probe.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/unique_fd.h"
#include "support/child_process.h"
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

// Milliseconds `probe` takes, or -1 when it says the display answers.
template <typename Probe>
int silentFor(Probe probe) {
  const auto start = std::chrono::steady_clock::now();
  return probe() ? -1 : static_cast<int>((std::chrono::steady_clock::now() - start) / 1ms);
}

// A server that accepts and never greets is given up at the deadline, X and Wayland alike, and the two
// at once cost one deadline. A probe that waited for ever would end the test program at the alarm.
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
  const int x11Took = silentFor([&] { return x11DisplayAnswers(display, 300ms); });
  EXPECT_TRUE(x11Took >= 290 && x11Took < 2000) << x11Took;
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
