#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "support/scratch_folder.h"

namespace fendral::notepad {

// A scratch folder and the bytes of the files in it.
class NotepadFiles : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return (folder_.path() / name).string(); }
  std::string read(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<unreadable>";
  }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  std::size_t entries(const std::string& folder = ".") const {
    const auto it = std::filesystem::directory_iterator(folder_.path() / folder);
    return static_cast<std::size_t>(std::distance(begin(it), end(it)));
  }

  fendral::testing::ScratchFolder folder_{"notepad"};
};

// Runs `body` in a child process and returns what it returned; -1 when the child died. A file-size
// limit set there stays in the child.
inline int inChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace fendral::notepad
