#include "platform/display_probe.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/unique_fd.h"

namespace fendral::platform {

namespace {

// A remote display that neither accepts nor refuses within this time counts as gone.
constexpr int kConnectTimeoutMs = 2000;

bool finishConnect(const UniqueFd& fd, int connected) {
  if (connected == 0) return true;
  if (errno != EINPROGRESS) return false;
  pollfd waiting{fd.get(), POLLOUT, 0};
  if (::poll(&waiting, 1, kConnectTimeoutMs) != 1) return false;
  int error = 0;
  socklen_t size = sizeof error;
  return ::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

// `abstract` puts the name in Linux's abstract namespace, where X servers also listen.
bool unixSocketAnswers(std::string_view path, bool abstract) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t offset = abstract ? 1 : 0;
  if (path.empty() || path.size() + offset >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  const UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!fd.valid()) return false;
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
  return ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), length) == 0;
}

bool tcpAnswers(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
  bool answered = false;
  for (const addrinfo* each = found; each != nullptr && !answered; each = each->ai_next) {
    const UniqueFd fd(::socket(each->ai_family, each->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    answered = fd.valid() && finishConnect(fd, ::connect(fd.get(), each->ai_addr, each->ai_addrlen));
  }
  ::freeaddrinfo(found);
  return answered;
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool x11Answers() {
  return x11DisplayAnswers(environment("DISPLAY"));
}

bool waylandAnswers() {
  return waylandDisplayAnswers(environment("WAYLAND_DISPLAY"), environment("XDG_RUNTIME_DIR"));
}

}  // namespace

bool x11DisplayAnswers(const std::string& display) {
  const std::size_t colon = display.rfind(':');
  if (colon == std::string::npos) return false;
  const std::string host = display.substr(0, colon);
  const std::string rest = display.substr(colon + 1);
  const std::string number = rest.substr(0, rest.find('.'));
  if (number.empty() || number.size() > 5 || number.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  if (host.empty() || host == "unix") {
    const std::string socket = "/tmp/.X11-unix/X" + number;
    return unixSocketAnswers(socket, true) || unixSocketAnswers(socket, false);
  }
  return tcpAnswers(host, 6000 + std::stoi(number));
}

bool waylandDisplayAnswers(const std::string& display, const std::string& runtimeFolder) {
  const std::string name = display.empty() ? "wayland-0" : display;
  if (name.starts_with('/')) return unixSocketAnswers(name, false);
  if (runtimeFolder.empty()) return false;
  return unixSocketAnswers(runtimeFolder + "/" + name, false);
}

std::optional<std::string> windowSystemToOpen() {
  const std::string chosen = environment("QT_QPA_PLATFORM");
  if (!chosen.empty()) {
    // The toolkit tries a list such as "wayland;xcb" in turn; one that answers is enough.
    std::size_t begin = 0;
    for (;;) {
      const std::size_t end = chosen.find(';', begin);
      const std::string entry = chosen.substr(begin, end - begin);
      const std::string name = entry.substr(0, entry.find(':'));
      if (name == "xcb" ? x11Answers() : name.starts_with("wayland") ? waylandAnswers() : true) return "";
      if (end == std::string::npos) return std::nullopt;
      begin = end + 1;
    }
  }
  const bool x11 = !environment("DISPLAY").empty() && x11Answers();
  const bool wayland =
      (!environment("WAYLAND_DISPLAY").empty() || environment("XDG_SESSION_TYPE") == "wayland") &&
      waylandAnswers();
  if (x11 && wayland) return "";
  if (x11) return "xcb";
  if (wayland) return "wayland";
  return std::nullopt;
}

}  // namespace fendral::platform
