#include "platform/host_platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "find/installations.h"
#include "platform/engine_table.h"
#include "platform/host_path.h"
#include "platform/unique_fd.h"

namespace fendral::platform {

bool HostPlatform::fileTest(const std::string& path) {
  // O_NONBLOCK keeps a FIFO under the tested name from stalling the window; it changes nothing for a
  // regular file, and the descriptor is closed before anything could be read.
  const UniqueFd fd(::open(hostPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!fd.valid()) return false;
  struct stat info {};
  return ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<GameEngine> HostPlatform::findGameEngine(const std::string& q2Folder,
                                                       const std::string& gameSubdirectory) {
  return chooseGameEngine(q2Folder, gameSubdirectory, hostEngineSearch(engineChoice_));
}

std::string HostPlatform::findQuake2Folder() {
  const find::Search search = find::findInstallations(find::placesOfThisPlayer(), find::Extent::First);
  return search.found.empty() ? std::string() : search.found.front().folder;
}

std::optional<Command> startCommand(const ProgramStart& start) {
  std::optional<Command> argv = runCommand(madeAbsolute(start.program), searchPath());
  if (argv) argv->insert(argv->end(), start.arguments.begin(), start.arguments.end());
  return argv;
}

bool HostPlatform::startProgram(const ProgramStart& start) {
  const std::optional<Command> argv = startCommand(start);
  return argv && spawnDetached(*argv, start.workingFolder);
}

std::string HostPlatform::programFolder() {
  std::string exe(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", exe.data(), exe.size());
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < exe.size()) {
      exe.resize(static_cast<std::size_t>(n));
      break;
    }
    exe.resize(exe.size() * 2);
  }
  const std::size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : exe.substr(0, slash);
}

void HostPlatform::endProgram() {
  // Nothing of the launcher runs after this: no exit handlers, no destructors, no window events.
  std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace fendral::platform
