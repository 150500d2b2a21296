#pragma once

#include <string>

#include "platform/unique_fd.h"

namespace fendral::platform {

// An advisory lock on a lock file, held until this goes. Being advisory, it ends with its process, so
// a killed holder leaves no stale lock behind.
class FileLock {
 public:
  enum class State {
    Held,
    Unavailable,  // the lock file cannot be made or opened: go on without it
    Busy,         // another process kept it for the whole wait
  };

  // Creates the lock file at `lockPath` when it is missing and waits up to `waitMs` for the lock.
  static FileLock acquire(const std::string& lockPath, int waitMs);

  State state() const { return state_; }

 private:
  FileLock(UniqueFd fd, State state) : fd_(std::move(fd)), state_(state) {}
  UniqueFd fd_;
  State state_;
};

}  // namespace fendral::platform
