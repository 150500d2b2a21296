#include "platform/display_probe.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/unique_fd.h"

namespace fendral::platform {

namespace {

bool unixSocketAnswers(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  const UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  return fd.valid() && ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
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
  if (display.empty()) return false;
  // The toolkit's own X library, so every form of DISPLAY and its authorization are read alike. It
  // writes a refusal's reason to stderr; the caller says it in one line of its own.
  const UniqueFd savedStderr(::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3));
  const UniqueFd quiet(::open("/dev/null", O_WRONLY | O_CLOEXEC));
  if (savedStderr.valid() && quiet.valid()) ::dup2(quiet.get(), STDERR_FILENO);
  xcb_connection_t* connection = ::xcb_connect(display.c_str(), nullptr);
  const bool answered = ::xcb_connection_has_error(connection) == 0;
  ::xcb_disconnect(connection);
  if (savedStderr.valid() && quiet.valid()) ::dup2(savedStderr.get(), STDERR_FILENO);
  return answered;
}

bool waylandDisplayAnswers(const std::string& display, const std::string& runtimeFolder) {
  const std::string name = display.empty() ? "wayland-0" : display;
  if (name.starts_with('/')) return unixSocketAnswers(name);
  if (runtimeFolder.empty()) return false;
  return unixSocketAnswers(runtimeFolder + "/" + name);
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
