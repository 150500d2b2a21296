#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fendral::platform {

// How one command-line text resolves on this host: the program to execute and its arguments.
struct ProgramCall {
  std::string program;             // host path of the file to execute
  std::vector<std::string> args;   // argv[1..], unchanged words of the text
};

// Splits a command-line text the way Windows resolves an unquoted one (see README's notes on
// starting programs): the shortest run of leading words that names an existing regular file is the
// program, the remaining words are the arguments. `programFolder` is where fendral-notepad lives.
// Returns nothing when no program can be found.
std::optional<ProgramCall> resolveCommandLine(const std::string& commandLine,
                                              const std::string& programFolder);

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
