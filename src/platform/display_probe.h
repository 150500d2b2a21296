#pragma once

#include <optional>
#include <string>

namespace fendral::platform {

// Whether a window system answers, asked before the toolkit would abort on one that does not.

// A connection to the X server DISPLAY names is made and accepted, authorization included.
bool x11DisplayAnswers(const std::string& display);

// WAYLAND_DISPLAY as Wayland reads it: an absolute socket path, or a name in XDG_RUNTIME_DIR
// (`runtimeFolder`); empty means "wayland-0".
bool waylandDisplayAnswers(const std::string& display, const std::string& runtimeFolder);

// The window system to open, judged from the environment as the toolkit reads it (QT_QPA_PLATFORM,
// DISPLAY, WAYLAND_DISPLAY, XDG_SESSION_TYPE): "" to leave the toolkit its own choice, "xcb" or
// "wayland" when only that one answers, nothing when no display answers.
std::optional<std::string> windowSystemToOpen();

}  // namespace fendral::platform
