#include <sys/stat.h>

#include <array>

#include "platform/host_path.h"
#include "platform/host_platform.h"

namespace fendral::platform {

namespace {

// Debian and Ubuntu package the engine under the first name; a self-built one is the last.
constexpr std::array<std::string_view, 3> kInstalledEngines{"yamagi-quake2", "yquake2", "quake2"};

std::string inFolder(std::string_view q2Folder, std::string_view name) {
  std::string path(q2Folder);
  path += '\\';
  path += name;
  return absoluteHostPath(path);
}

bool exists(const std::string& hostFile, mode_t type) {
  struct stat info {};
  return ::stat(hostFile.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == type;
}

}  // namespace

std::optional<GameEngine> chooseGameEngine(std::string_view q2Folder, std::string_view gameSubdirectory,
                                           std::string_view path) {
  const std::string windowsEngine = inFolder(q2Folder, "quake2.exe");
  const auto underWine = [&]() -> std::optional<GameEngine> {
    if (std::optional<Command> command = runCommand(windowsEngine, path)) {
      return GameEngine{EngineKind::Windows, std::move(*command)};
    }
    return std::nullopt;
  };

  // A native engine cannot load a mod that only brings Windows code.
  if (!gameSubdirectory.empty()) {
    std::string mod(q2Folder);
    mod.append("\\").append(gameSubdirectory);
    if (exists(inFolder(mod, "gamex86.dll"), S_IFREG) && !exists(inFolder(mod, "game.so"), S_IFREG) &&
        findOnPath("wine", path)) {
      if (std::optional<GameEngine> engine = underWine()) return engine;
    }
  }

  if (std::string native = inFolder(q2Folder, "quake2"); isNativeExecutable(native)) {
    return GameEngine{EngineKind::Native, {std::move(native)}};
  }
  if (exists(inFolder(q2Folder, "baseq2"), S_IFDIR) || exists(windowsEngine, S_IFREG)) {
    for (std::string_view name : kInstalledEngines) {
      if (std::optional<std::string> engine = findOnPath(name, path)) {
        return GameEngine{EngineKind::NativeFromPath, {std::move(*engine)}};
      }
    }
  }
  return underWine();
}

}  // namespace fendral::platform
