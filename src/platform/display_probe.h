#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace fendral::platform {

// Whether a window system answers, asked before the toolkit would abort on one that does not, or wait
// for ever on one that accepts the connection and never says a word (a stopped server).

// How long a display has to complete its greeting.
inline constexpr std::chrono::milliseconds kGreetingDeadline{5000};

// A connection to the X server DISPLAY names is made and accepted, authorization included, within
// `deadline`.
bool x11DisplayAnswers(const std::string& display, std::chrono::milliseconds deadline = kGreetingDeadline);

// The compositor at WAYLAND_DISPLAY completes a round trip within `deadline`. The name is read as
// Wayland reads it: an absolute socket path, or a name in XDG_RUNTIME_DIR (`runtimeFolder`); empty
// means "wayland-0".
bool waylandDisplayAnswers(const std::string& display, const std::string& runtimeFolder,
                           std::chrono::milliseconds deadline = kGreetingDeadline);

// The window system to open, judged from the environment as the toolkit reads it (QT_QPA_PLATFORM,
// DISPLAY, WAYLAND_DISPLAY, XDG_SESSION_TYPE): "" to leave the toolkit its own choice, "xcb" or
// "wayland" when only that one answers, nothing when no display answers. Unless QT_QPA_PLATFORM names
// a list to try in turn, X and Wayland are asked at the same time: two silent displays cost one deadline.
std::optional<std::string> windowSystemToOpen(std::chrono::milliseconds deadline = kGreetingDeadline);

}  // namespace fendral::platform
