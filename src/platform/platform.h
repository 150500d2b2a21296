#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fendral::platform {

// One program to start: host paths, never split or read by a shell.
struct ProgramStart {
  std::string program;                 // the file to run
  std::vector<std::string> arguments;  // each passed as one word, unchanged
  std::string workingFolder;           // empty: the launcher's own

  bool operator==(const ProgramStart&) const = default;
};

// Which engine stands behind "quake2.exe": the arguments it understands depend on it.
enum class EngineKind {
  Native,          // an engine in the Quake 2 folder
  NativeFromPath,  // an installed engine, told where the data is
  Windows,         // quake2.exe itself, given the composed words
};

struct GameEngine {
  EngineKind kind = EngineKind::Windows;
  std::vector<std::string> command;  // the program, and for Wine the file it runs

  bool operator==(const GameEngine&) const = default;
};

// What the windows need of the operating system, and nothing more. Paths given as text are the exact
// texts the window composes, in Windows syntax; an implementation translates them itself.
class Platform {
 public:
  virtual ~Platform() = default;

  // True when `path` names a regular file that opens for reading; it is opened and closed at once.
  virtual bool fileTest(const std::string& path) = 0;
  // The engine that runs the game in the Quake 2 folder `q2Folder` with the custom game in
  // `gameSubdirectory` ("" for the standard game); nothing when there is none. This is the file test
  // of "quake2.exe": what it finds is what starts.
  virtual std::optional<GameEngine> findGameEngine(const std::string& q2Folder,
                                                   const std::string& gameSubdirectory) = 0;
  // The first Quake 2 installation in the places players keep it, as a host path; empty when there is
  // none. For a first run, whose settings name no folder yet.
  virtual std::string findQuake2Folder() = 0;
  // Starts a program of its own, detached and not awaited; false when it cannot be started.
  virtual bool startProgram(const ProgramStart& start) = 0;
  // A modal message box: the prompt, one OK button, no icon, the title "Fendral".
  virtual void message(const std::string& prompt) = 0;
  // The folder that holds the running executable.
  virtual std::string programFolder() = 0;
  // Ends the launcher at once; no handler runs after it.
  virtual void endProgram() = 0;
};

}  // namespace fendral::platform
