#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace fendral::platform {

using Command = std::vector<std::string>;

// The PATH value to search: the environment's, or Debian's default when PATH is unset.
std::string searchPath();

// The first executable regular file `name` in the folders of a PATH value; empty entries are skipped,
// never read as the current folder.
std::optional<std::string> findOnPath(std::string_view name, std::string_view path);

// How a file runs here, decided by its first bytes and its name, never by its exec bit: an ELF file or
// a "#!" script by itself; a Windows program ("MZ", or a .exe/.com/.bat/.cmd name) through wine on
// `path`, or a .bat/.cmd without wine through /bin/sh; any other readable regular file through
// /bin/sh. The command to start, ending with the file; nothing when it cannot run.
std::optional<Command> runCommand(const std::string& hostFile, std::string_view path);

// True for an executable ELF file or "#!" script: a program of this system.
bool isNativeExecutable(const std::string& hostFile);

// What startProgram executes for `start`: how its file runs here, then its arguments; nothing when the
// file cannot run.
std::optional<Command> startCommand(const ProgramStart& start);

// Starts argv[0] with `argv` in `workingFolder` (unless empty), detached in a session of its own, with
// stdin from /dev/null and no descriptors beyond 0 to 2, not awaited. False when it cannot be executed.
bool spawnDetached(const Command& argv, const std::string& workingFolder);

// The operating-system side of the platform, for Linux; its engine choice is chooseGameEngine. The message
// box belongs to the toolkit, so the window layer supplies it.
class HostPlatform : public Platform {
 public:
  // The player's engine, a program or a Flatpak app ID; empty for the automatic choice.
  void setEngineChoice(std::string engine) { engineChoice_ = std::move(engine); }
  bool fileTest(const std::string& path) override;
  std::optional<GameEngine> findGameEngine(const std::string& q2Folder,
                                           const std::string& gameSubdirectory) override;
  std::string findQuake2Folder() override;
  bool startProgram(const ProgramStart& start) override;
  std::string programFolder() override;
  [[noreturn]] void endProgram() override;

 private:
  std::string engineChoice_;
};

}  // namespace fendral::platform
