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
  explicit RecordingPlatform(std::string folder) : folder_(std::move(folder)) {}

  bool fileTest(const std::string& path) override {
    calls.push_back("test " + path);
    return existing.contains(path);
  }
  bool startProgram(const std::string& commandLine) override {
    calls.push_back("start " + commandLine);
    started.push_back(commandLine);
    return startSucceeds;
  }
  void message(const std::string& prompt) override {
    calls.push_back("message " + prompt);
    messages.push_back(prompt);
  }
  std::string programFolder() override { return folder_; }
  void endProgram() override {
    calls.push_back("end");
    ++ends;
  }

  std::set<std::string> existing;  // the names fileTest finds, exactly as the window spells them
  bool startSucceeds = true;
  std::vector<std::string> calls, started, messages;
  int ends = 0;

 private:
  std::string folder_;
};
