#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

// A platform that only records: which files were tested, what was started, what was said, whether
// the program was ended. Every call also lands in `calls`, so tests can check the order.
class RecordingPlatform : public fendral::platform::Platform {
 public:
  explicit RecordingPlatform(std::string folder = {}) : folder_(std::move(folder)) {}

  bool fileTest(const std::string& path) override { return existing.contains(log("test", path)); }
  bool startProgram(const std::string& line) override {
    started.push_back(log("start", line));
    return startSucceeds && !unstartable.contains(line);
  }
  void message(const std::string& prompt) override { messages.push_back(log("message", prompt)); }
  std::string programFolder() override { return folder_; }
  void endProgram() override { calls.push_back("end"); }

  std::set<std::string> existing;  // the names fileTest finds, exactly as the window spells them
  bool startSucceeds = true;
  std::set<std::string> unstartable;  // command lines that fail to start even so
  std::vector<std::string> calls, started, messages;

 private:
  const std::string& log(const char* kind, const std::string& argument) {
    calls.push_back(kind + (" " + argument));
    return argument;
  }
  std::string folder_;
};
