#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace fendral::platform {

// How one command-line text resolves on this host: the program to execute and its arguments.
struct ProgramCall {
  std::string program;            // host path of the file to execute
  std::vector<std::string> args;  // argv[1..], unchanged words of the text
};

// Splits a command-line text the way Windows resolves an unquoted one (see README's notes on
// starting programs): the shortest run of leading words that names an existing regular file is the
// program, else the first word; the remaining words are the arguments. A `notepad.exe` that does not
// exist becomes fendral-notepad in `programFolder`, given the rest of the text as one file name.
// Returns nothing for a text without words.
std::optional<ProgramCall> resolveCommandLine(const std::string& commandLine,
                                              const std::string& programFolder);

// The full argv that runs `call` here: the file itself when it is executable, a Windows program
// through wine found on `searchPath` (a PATH value), any other readable file through /bin/sh.
// Nothing when the file does not exist or cannot be run any of these ways.
std::optional<std::vector<std::string>> hostArgv(const ProgramCall& call, std::string_view searchPath);

// Starts argv[0] with `argv` detached, in a session of its own with stdin from /dev/null, not awaited.
// False when the fork or the exec fails.
bool spawnDetached(const std::vector<std::string>& argv);

// True when `hostFile` (a host path) names an existing regular file.
bool isRegularFile(const std::string& hostFile);

// The operating-system side of the platform, for Linux. The message box belongs to the toolkit, so
// the window layer supplies it.
class HostPlatform : public Platform {
 public:
  bool fileTest(const std::string& path) override;
  bool startProgram(const std::string& commandLine) override;
  std::string programFolder() override;
  [[noreturn]] void endProgram() override;
};

}  // namespace fendral::platform
