#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/file_content.h"
#include "platform/file_errors.h"
#include "platform/unique_fd.h"

namespace fendral::platform {

FileOutcome failure(int code) {
  switch (code) {
    case ENOENT:
    case ENOTDIR:
      return {FileError::NotFound, code};
    case EISDIR:
      return {FileError::NotRegular, code};
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return {FileError::NoAccess, code};
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return {FileError::NoSpace, code};
    default:
      return {FileError::Other, code};
  }
}

std::string describe(const FileOutcome& outcome) {
  switch (outcome.error) {
    case FileError::None:
      return "no error";
    case FileError::NotFound:
      return "the file or its folder does not exist";
    case FileError::NotRegular:
      return "it is not a regular file";
    case FileError::TooLarge:
      return "the file is too large";
    case FileError::ReadOnly:
      return "the file is read-only";
    case FileError::NoAccess:
      return "permission denied";
    case FileError::NoSpace:
      return "the disk is full";
    case FileError::Other:
      break;
  }
  return std::strerror(outcome.code);
}

FileRead readFileContent(const std::string& hostPath, std::size_t limit) {
  // Looked at before it is opened: opening a FIFO or a device may wait or have effects of its own.
  struct stat info {};
  if (::stat(hostPath.c_str(), &info) != 0) return {{}, failure(errno)};
  if (!S_ISREG(info.st_mode)) return {{}, {FileError::NotRegular, 0}};
  if (static_cast<std::size_t>(info.st_size) > limit) return {{}, {FileError::TooLarge, 0}};

  UniqueFd fd(::open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd.valid()) return {{}, failure(errno)};
  // The path may have been swapped for something else in between.
  if (::fstat(fd.get(), &info) != 0) return {{}, failure(errno)};
  if (!S_ISREG(info.st_mode)) return {{}, {FileError::NotRegular, 0}};

  // One byte to spare, so that a file which grew past the limit meanwhile is noticed.
  const std::size_t cap = limit == SIZE_MAX ? limit : limit + 1;
  FileRead result;
  result.bytes.resize(std::min(static_cast<std::size_t>(info.st_size) + 1, cap));
  std::size_t filled = 0;
  for (;;) {
    if (filled == result.bytes.size()) {
      if (filled == cap) return {{}, {FileError::TooLarge, 0}};
      result.bytes.resize(std::min(std::max<std::size_t>(filled * 2, 4096), cap));
    }
    const ssize_t got = ::read(fd.get(), result.bytes.data() + filled, result.bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return {{}, failure(errno)};
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  if (filled > limit) return {{}, {FileError::TooLarge, 0}};
  result.bytes.resize(filled);
  return result;
}

}  // namespace fendral::platform
