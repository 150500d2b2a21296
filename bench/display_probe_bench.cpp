// What asking a display costs: the probe with its deadline against a bare connection, the way the
// display was asked before it had one. Run on a display: DISPLAY and WAYLAND_DISPLAY as the program
// reads them; a benchmark whose display is not named is skipped.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include <benchmark/benchmark.h>

#include "platform/display_probe.h"

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string waylandSocket() {
  const std::string name = environment("WAYLAND_DISPLAY");
  return name.starts_with('/') ? name : environment("XDG_RUNTIME_DIR") + "/" + name;
}

void BM_X11BareConnect(benchmark::State& state) {
  if (environment("DISPLAY").empty()) return state.SkipWithError("no DISPLAY");
  for (auto _ : state) {
    xcb_connection_t* connection = ::xcb_connect(environment("DISPLAY").c_str(), nullptr);
    benchmark::DoNotOptimize(::xcb_connection_has_error(connection));
    ::xcb_disconnect(connection);
  }
}
BENCHMARK(BM_X11BareConnect)->MeasureProcessCPUTime()->UseRealTime();

void BM_X11DisplayAnswers(benchmark::State& state) {
  if (environment("DISPLAY").empty()) return state.SkipWithError("no DISPLAY");
  for (auto _ : state) benchmark::DoNotOptimize(fendral::platform::x11DisplayAnswers(environment("DISPLAY")));
}
BENCHMARK(BM_X11DisplayAnswers)->MeasureProcessCPUTime()->UseRealTime();

void BM_WaylandBareConnect(benchmark::State& state) {
  if (environment("WAYLAND_DISPLAY").empty()) return state.SkipWithError("no WAYLAND_DISPLAY");
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = waylandSocket();
  std::memcpy(address.sun_path, path.data(), std::min(path.size(), sizeof address.sun_path - 1));
  for (auto _ : state) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    benchmark::DoNotOptimize(::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address));
    ::close(fd);
  }
}
BENCHMARK(BM_WaylandBareConnect)->MeasureProcessCPUTime()->UseRealTime();

void BM_WaylandDisplayAnswers(benchmark::State& state) {
  if (environment("WAYLAND_DISPLAY").empty()) return state.SkipWithError("no WAYLAND_DISPLAY");
  for (auto _ : state) {
    benchmark::DoNotOptimize(fendral::platform::waylandDisplayAnswers(environment("WAYLAND_DISPLAY"),
                                                                      environment("XDG_RUNTIME_DIR")));
  }
}
BENCHMARK(BM_WaylandDisplayAnswers)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
