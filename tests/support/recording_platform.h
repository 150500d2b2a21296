#pragma once

#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

// A platform that only records: which files were tested, what was started, what was said, whether
// the program was ended. Every call also lands in `calls`, so tests can check the order.
class RecordingPlatform : public fendral::platform::Platform {
 public:
  using ProgramStart = fendral::platform::ProgramStart;
  using GameEngine = fendral::platform::GameEngine;

  explicit RecordingPlatform(std::string folder = {}) : folder_(std::move(folder)) {}

  bool fileTest(const std::string& path) override { return existing.contains(log("test", path)); }
  // Finds quake2.exe itself when it is among `existing`.
  std::optional<GameEngine> findGameEngine(const std::string& q2Folder,
                                           const std::string& subdirectory) override {
    gameSubdirectories.push_back(subdirectory);
    if (!fileTest(q2Folder + "\\quake2.exe ")) return std::nullopt;
    return GameEngine{fendral::platform::Dialect::Windows, {q2Folder + "\\quake2.exe"}, {}, "quake2.exe"};
  }
  std::string findQuake2Folder() override {
    ++finds;
    return foundQ2Folder;
  }
  bool startProgram(const ProgramStart& start) override {
    starts.push_back(start);
    started.push_back(log("start", start.program));
    return !unstartable.contains(start.program);
  }
  void message(const std::string& prompt) override { messages.push_back(log("message", prompt)); }
  std::string programFolder() override { return folder_; }
  void endProgram() override { calls.push_back("end"); }

  std::set<std::string> existing;     // the names fileTest finds, exactly as the window spells them
  std::set<std::string> unstartable;  // programs that fail to start
  std::string foundQ2Folder;          // what findQuake2Folder finds
  int finds = 0;                      // how often it was asked
  std::vector<std::string> calls, started, messages, gameSubdirectories;
  std::vector<ProgramStart> starts;

 private:
  const std::string& log(const char* kind, const std::string& argument) {
    calls.push_back(kind + (" " + argument));
    return argument;
  }
  std::string folder_;
};

namespace fendral::platform {
// Readable failures: the program, each argument in brackets, the working folder.
inline void PrintTo(const ProgramStart& start, std::ostream* out) {
  *out << start.program;
  for (const std::string& argument : start.arguments) *out << " [" << argument << "]";
  *out << " in " << start.workingFolder;
}
}  // namespace fendral::platform
