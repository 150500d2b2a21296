#include "settings/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "platform/unique_fd.h"

namespace fendral::settings {

namespace {

using Fd = platform::UniqueFd;

// A temporary file that disappears unless it was renamed into place.
class TempFile {
 public:
  // mkstemp fills in the pattern, which is why path_ comes first.
  explicit TempFile(std::string pattern) : path_(std::move(pattern)), fd_(::mkstemp(path_.data())) {
    if (fd_.get() < 0) path_.clear();
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  bool created() const { return !path_.empty(); }
  Fd& fd() { return fd_; }
  bool renameTo(const std::string& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) return false;
    path_.clear();
    return true;
  }

 private:
  std::string path_;
  Fd fd_;
};

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::optional<std::string> readAll(int fd, const struct stat& info) {
  // One byte to spare, so the read that meets the end of the file needs no bigger buffer.
  std::string content(static_cast<std::size_t>(info.st_size) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == content.size()) content.resize(content.size() * 2);  // the file grew meanwhile
    ssize_t got = ::read(fd, content.data() + filled, content.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  content.resize(filled);
  return content;
}

// A symbolic link is kept: the file it points to is the one rewritten.
std::string resolveLink(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  std::error_code error;
  std::filesystem::path target = std::filesystem::canonical(path, error);
  return error ? path : target.string();
}

mode_t newFileMode() {
  // Reading the umask means setting it; the program is single-threaded, so nothing sees the gap.
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The fallback for a folder that takes no new files: the file itself is overwritten.
bool rewriteInPlace(const std::string& path, std::string_view content) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  return writeAll(fd.get(), content) && ::ftruncate(fd.get(), static_cast<off_t>(content.size())) == 0 &&
         ::fsync(fd.get()) == 0 && fd.close();
}

void syncFolder(const std::string& folder) {
  Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return readAll(fd.get(), info);
}

bool rewriteWholeFile(const std::string& path, const std::function<std::string(std::string_view)>& edit) {
  const std::string target = resolveLink(path);
  std::string old;
  struct stat info {};
  Fd existing(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
  const bool exists = existing.get() >= 0;
  if (exists) {
    if (::fstat(existing.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    // Root may write anything, so the owner's write bit is what marks the file read-only.
    if ((info.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0) return false;
    std::optional<std::string> content = readAll(existing.get(), info);
    if (!content) return false;
    old = std::move(*content);
    existing.close();
  } else if (errno != ENOENT) {
    return false;  // a path through a regular file, a folder we may not enter, ...
  }

  const std::string content = edit(old);
  if (exists && content == old) return true;

  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  TempFile temp(folder + "/." + name + ".XXXXXX");
  if (!temp.created()) return exists && rewriteInPlace(target, content);

  const int fd = temp.fd().get();
  if (!writeAll(fd, content) || ::fsync(fd) != 0) return false;
  // Only root may give the file back to its owner; anyone else keeps it as their own, so a failure
  // here is no failure of the save (the branch only keeps the compiler from asking for the result).
  if (exists && (info.st_uid != ::geteuid() || info.st_gid != ::getegid()) &&
      ::fchown(fd, info.st_uid, info.st_gid) != 0) {
  }
  // After fchown, which may clear set-id bits.
  if (::fchmod(fd, exists ? (info.st_mode & 07777) : newFileMode()) != 0) return false;
  if (!temp.fd().close() || !temp.renameTo(target)) return false;
  syncFolder(folder);
  return true;
}

}  // namespace fendral::settings
