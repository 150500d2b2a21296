#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace fendral::platform {

FileLock FileLock::acquire(const std::string& lockPath, int waitMs) {
  // Read-only is enough for flock, so a lock file another player made still serves; no link is
  // followed and nothing but a regular file is used.
  UniqueFd fd(
      ::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644));
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return {UniqueFd(), State::Unavailable};
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) return {std::move(fd), State::Held};
    if (errno != EWOULDBLOCK && errno != EINTR) return {UniqueFd(), State::Unavailable};
    if (std::chrono::steady_clock::now() >= deadline) return {UniqueFd(), State::Busy};
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace fendral::platform
