#pragma once

#include <optional>
#include <string>

namespace fendral::platform {

// Whether a window system answers, tried the way its client libraries connect, so that a dead
// display is found before the toolkit would abort on it. A server that answers may still refuse
// the program later (authorization); that the toolkit reports itself.

// DISPLAY as X11 reads it: ":N" or "unix:N" is the local socket of display N, "HOST:N" is TCP port
// 6000 + N on HOST. False for an empty or malformed value.
bool x11DisplayAnswers(const std::string& display);

// WAYLAND_DISPLAY as Wayland reads it: an absolute socket path, or a name in XDG_RUNTIME_DIR
// (`runtimeFolder`); empty means "wayland-0".
bool waylandDisplayAnswers(const std::string& display, const std::string& runtimeFolder);

// The window system to open, judged from the environment as the toolkit reads it (QT_QPA_PLATFORM,
// DISPLAY, WAYLAND_DISPLAY, XDG_SESSION_TYPE): "" to leave the toolkit its own choice, "xcb" or
// "wayland" when only that one answers, nothing when no display answers.
std::optional<std::string> windowSystemToOpen();

}  // namespace fendral::platform
