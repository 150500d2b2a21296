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

// The words an engine understands.
enum class Dialect {
  Yamagi,   // -datadir, and the Windows words that still mean something to it
  Q2pro,    // +set basedir, never -datadir; no joystick
  Windows,  // quake2.exe itself, given the composed words
};

// The engine that stands behind "quake2.exe", as the engine choice found it.
struct GameEngine {
  Dialect dialect = Dialect::Windows;
  // The program, and the words in front of the game's own: wine and quake2.exe, or flatpak's run.
  std::vector<std::string> command;
  // The Quake 2 folder as the engine must be told it; empty when it finds the data by itself.
  std::string dataFolder;
  // What it is and why it was chosen, for people: "Q2PRO, found on the PATH".
  std::string description;

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
