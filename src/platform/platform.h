#pragma once

#include <string>

namespace fendral::platform {

// What the windows need of the operating system, and nothing more. Paths and command lines are the
// exact texts the window composes, in Windows syntax; an implementation translates them itself.
class Platform {
 public:
  virtual ~Platform() = default;

  // True when `path` names a regular file that opens for reading; it is opened and closed at once.
  virtual bool fileTest(const std::string& path) = 0;
  // Starts one command-line text as a program of its own, detached and not awaited; false when it
  // cannot be started.
  virtual bool startProgram(const std::string& commandLine) = 0;
  // A modal message box: the prompt, one OK button, no icon, the title "Fendral".
  virtual void message(const std::string& prompt) = 0;
  // The folder that holds the running executable.
  virtual std::string programFolder() = 0;
  // Ends the launcher at once; no handler runs after it.
  virtual void endProgram() = 0;
};

}  // namespace fendral::platform
