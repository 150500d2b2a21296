#include "platform/display_probe.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <future>
#include <memory>
#include <string>
#include <system_error>
#include <thread>

#include "platform/host_environment.h"
#include "platform/unique_fd.h"

namespace fendral::platform {

namespace {

using Clock = std::chrono::steady_clock;

// Points stderr at /dev/null while it lives: the X library writes a refusal's reason there, and the
// caller says it in one line of its own.
class QuietStderr {
 public:
  QuietStderr() {
    const UniqueFd quiet(::open("/dev/null", O_WRONLY | O_CLOEXEC));
    if (saved_.valid() && quiet.valid()) quieted_ = ::dup2(quiet.get(), STDERR_FILENO) >= 0;
  }
  ~QuietStderr() {
    if (quieted_) ::dup2(saved_.get(), STDERR_FILENO);
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  UniqueFd saved_{::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3)};
  bool quieted_ = false;
};

// The toolkit's own X library, so every form of DISPLAY and its authorization are read alike. Its
// connect has no time limit, so it runs on a thread of its own; when the server never answers, that
// thread is left behind, blocked, holding nothing the program needs.
class X11Greeting {
 public:
  explicit X11Greeting(const std::string& display) {
    if (display.empty()) return;
    auto answer = std::make_shared<std::promise<bool>>();
    result_ = answer->get_future();
    try {
      std::thread([display, answer] {
        xcb_connection_t* connection = ::xcb_connect(display.c_str(), nullptr);
        const bool answered = ::xcb_connection_has_error(connection) == 0;
        ::xcb_disconnect(connection);
        answer->set_value(answered);
      }).detach();
    } catch (const std::system_error&) {
      answer->set_value(false);  // the toolkit could not start its own threads either
    }
  }

  bool answeredBy(Clock::time_point deadline) {
    return result_.valid() && result_.wait_until(deadline) == std::future_status::ready && result_.get();
  }

 private:
  QuietStderr quiet_;
  std::future<bool> result_;
};

// Fills `buffer` from the non-blocking `fd` before `deadline`.
bool receiveBy(int fd, void* buffer, std::size_t size, Clock::time_point deadline) {
  auto* bytes = static_cast<char*>(buffer);
  std::size_t got = 0;
  while (got < size) {
    const ssize_t count = ::recv(fd, bytes + got, size - got, 0);
    if (count > 0) {
      got += static_cast<std::size_t>(count);
      continue;
    }
    if (count == 0 || (errno != EAGAIN && errno != EINTR)) return false;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd readable{fd, POLLIN, 0};
    if (left <= 0 || (::poll(&readable, 1, static_cast<int>(left)) < 0 && errno != EINTR)) return false;
  }
  return true;
}

// A compositor answers when it completes a round trip: a sync request on a fresh connection brings its
// callback's "done" event back. A socket that only accepts the connection proves nothing.
bool waylandSocketAnswers(const std::string& path, Clock::time_point deadline) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  const UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!fd.valid() || ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    return false;
  }
  // A message is its object, its size in bytes above its opcode, then its arguments, in the host's byte
  // order. Object 1 is the display; its request 0, sync, makes object 2, whose event 0 is "done".
  const std::uint32_t sync[] = {1, 12u << 16, 2};
  if (::send(fd.get(), sync, sizeof sync, MSG_NOSIGNAL) != static_cast<ssize_t>(sizeof sync)) return false;
  std::uint32_t reply[2] = {};
  return receiveBy(fd.get(), reply, sizeof reply, deadline) && reply[0] == 2 && (reply[1] & 0xFFFFu) == 0;
}

std::string waylandSocketPath(const std::string& display, const std::string& runtimeFolder) {
  const std::string name = display.empty() ? "wayland-0" : display;
  if (name.starts_with('/')) return name;
  return runtimeFolder.empty() ? "" : runtimeFolder + "/" + name;
}

bool waylandAnswers(Clock::time_point deadline) {
  return waylandSocketAnswers(
      waylandSocketPath(environmentValue("WAYLAND_DISPLAY"), environmentValue("XDG_RUNTIME_DIR")), deadline);
}

}  // namespace

bool x11DisplayAnswers(const std::string& display, std::chrono::milliseconds deadline) {
  X11Greeting greeting(display);
  return greeting.answeredBy(Clock::now() + deadline);
}

bool waylandDisplayAnswers(const std::string& display, const std::string& runtimeFolder,
                           std::chrono::milliseconds deadline) {
  return waylandSocketAnswers(waylandSocketPath(display, runtimeFolder), Clock::now() + deadline);
}

std::optional<std::string> windowSystemToOpen(std::chrono::milliseconds deadline) {
  const std::string chosen = environmentValue("QT_QPA_PLATFORM");
  if (!chosen.empty()) {
    // The toolkit tries a list such as "wayland;xcb" in turn; one that answers is enough.
    std::size_t begin = 0;
    for (;;) {
      const std::size_t end = chosen.find(';', begin);
      const std::string entry = chosen.substr(begin, end - begin);
      const std::string name = entry.substr(0, entry.find(':'));
      const auto until = Clock::now() + deadline;
      if (name == "xcb"                 ? X11Greeting(environmentValue("DISPLAY")).answeredBy(until)
          : name.starts_with("wayland") ? waylandAnswers(until)
                                        : true) {
        return "";
      }
      if (end == std::string::npos) return std::nullopt;
      begin = end + 1;
    }
  }
  const auto until = Clock::now() + deadline;
  X11Greeting x11Greeting(environmentValue("DISPLAY"));
  const bool wayland =
      (!environmentValue("WAYLAND_DISPLAY").empty() || environmentValue("XDG_SESSION_TYPE") == "wayland") &&
      waylandAnswers(until);
  const bool x11 = x11Greeting.answeredBy(until);
  if (x11 && wayland) return "";
  if (x11) return "xcb";
  if (wayland) return "wayland";
  return std::nullopt;
}

}  // namespace fendral::platform
