#include "file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/unique_fd.h"

namespace fendral::notepad {

namespace {

FileBytes refused(std::string reason) {
  FileBytes result;
  result.status = FileBytes::Status::Refused;
  result.reason = std::move(reason);
  return result;
}

FileBytes refusedByErrno(int error) {
  return refused(std::strerror(error));
}

// Nothing but a regular file is ever opened, so no device sees an open call from here.
std::string notARegularFile(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder";
  if (S_ISFIFO(mode)) return "it is a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device";
  if (S_ISSOCK(mode)) return "it is a socket";
  return S_ISREG(mode) ? std::string() : "it is not a regular file";
}

std::string tooLarge(std::size_t limit) {
  return "it is larger than " + std::to_string(limit >> 20) + " MiB";
}

}  // namespace

FileBytes readFileBytes(const std::string& path, std::size_t limit) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return {};
    return refusedByErrno(errno);
  }
  if (std::string reason = notARegularFile(info.st_mode); !reason.empty()) return refused(reason);

  // Non-blocking, in case the name was swapped for a pipe since the check above.
  platform::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd.valid()) return refusedByErrno(errno);
  if (::fstat(fd.get(), &info) != 0) return refusedByErrno(errno);
  if (std::string reason = notARegularFile(info.st_mode); !reason.empty()) return refused(reason);
  if (info.st_size < 0 || static_cast<std::size_t>(info.st_size) > limit) return refused(tooLarge(limit));

  FileBytes result;
  result.status = FileBytes::Status::Read;
  // The size is a hint only: the file may grow or shrink while it is read.
  result.bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == result.bytes.size()) {
      if (filled > limit) return refused(tooLarge(limit));
      result.bytes.resize(std::min(filled * 2 + 4096, limit + 1));
    }
    const ssize_t got = ::read(fd.get(), result.bytes.data() + filled, result.bytes.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return refusedByErrno(errno);
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  if (filled > limit) return refused(tooLarge(limit));
  result.bytes.resize(filled);
  return result;
}

}  // namespace fendral::notepad
