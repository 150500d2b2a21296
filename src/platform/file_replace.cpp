#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <random>
#include <utility>

#include "platform/file_content.h"
#include "platform/file_errors.h"
#include "platform/unique_fd.h"

namespace fendral::platform {

namespace {

// Temporary files are named ".<name>.fendral-XXXXXX"; the name is shortened so the whole stays within
// the longest name a folder takes.
constexpr std::size_t kLongestNamePart = 200;
constexpr std::string_view kTempMark = ".fendral-";
constexpr std::size_t kTempSuffix = 6;

std::string tempPrefix(std::string_view name) {
  std::string prefix = ".";
  prefix.append(name.substr(0, kLongestNamePart)).append(kTempMark);
  return prefix;
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Where a chain of symbolic links ends, whether or not anything is there yet: a dangling link names
// the file to create.
std::optional<std::string> followLinks(std::string path, int& code) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
      if (errno == ENOENT) return path;
      code = errno;
      return std::nullopt;
    }
    if (!S_ISLNK(info.st_mode)) return path;
    std::string target(std::max<std::size_t>(static_cast<std::size_t>(info.st_size), 255) + 1, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
      code = length < 0 ? errno : ENAMETOOLONG;
      return std::nullopt;
    }
    target.resize(static_cast<std::size_t>(length));
    path = target.starts_with('/') ? target : folderOf(path) + "/" + target;
  }
  code = ELOOP;
  return std::nullopt;
}

FlushWatcher flushWatcher = nullptr;

bool flush(int fd) {
  if (flushWatcher != nullptr) flushWatcher(fd);
  return ::fsync(fd) == 0;
}

bool writeAllAt(int fd, std::string_view data, off_t offset) {
  while (!data.empty()) {
    const ssize_t written = ::pwrite(fd, data.data(), data.size(), offset);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) {
      errno = ENOSPC;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
    offset += written;
  }
  return true;
}

void syncFolder(const std::string& folder) {
  UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) flush(fd.get());
}

// Removes the temporary files a killed save left in `folder`. A save in progress holds a lock on its
// temporary file until the rename, so only abandoned ones can be locked here.
void removeStaleTemporaries(const std::string& folder, std::string_view name) {
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
  if (listing == nullptr) return;
  const int folderFd = ::dirfd(listing.get());
  const std::string prefix = tempPrefix(name);
  while (const dirent* entry = ::readdir(listing.get())) {
    const std::string_view found = entry->d_name;
    if (!found.starts_with(prefix) || found.size() != prefix.size() + kTempSuffix) continue;
    UniqueFd fd(::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened {};
    struct stat named {};
    if (!fd.valid() || ::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
        ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      continue;
    }
    // Still the same file under that name, not one renamed into place and replaced meanwhile.
    if (::fstatat(folderFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
      ::unlinkat(folderFd, entry->d_name, 0);
    }
  }
}

// A locked temporary file beside the target that disappears unless it was renamed into place.
class TempFile {
 public:
  // A new file is made with the umask and the folder's default permissions applied; one that replaces
  // a file starts private, so nobody opens it before it has the old file's permissions.
  TempFile(const std::string& folder, std::string_view name, bool replacing) {
    static constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // Seeded once: asking the system for randomness costs more than the whole save, and O_EXCL below
    // settles any clash.
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string path = folder + "/" + tempPrefix(name);
      for (std::size_t i = 0; i < kTempSuffix; ++i) path += kLetters[pick(random)];
      fd_.reset(
          ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, replacing ? 0600 : 0666));
      if (fd_.valid()) {
        path_ = std::move(path);
        ::flock(fd_.get(), LOCK_EX);
        return;
      }
      if (errno != EEXIST) return;
    }
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  bool created() const { return fd_.valid(); }

  // Writes and flushes `bytes`, then gives the file the permission bits, owner and group of `old`.
  FileOutcome fill(std::string_view bytes, const struct stat* old) {
    if (!writeAllAt(fd_.get(), bytes, 0) || !flush(fd_.get())) return failure(errno);
    if (old == nullptr) return {};
    struct stat made {};
    if (::fstat(fd_.get(), &made) != 0) return failure(errno);
    if (made.st_uid != old->st_uid || made.st_gid != old->st_gid) {
      // Only root may give a file away; anyone else can still keep its group if they belong to it.
      if (::fchown(fd_.get(), old->st_uid, old->st_gid) != 0 && ::fchown(fd_.get(), -1, old->st_gid) != 0) {
      }
    }
    // After fchown, which may clear the set-id bits.
    if (::fchmod(fd_.get(), old->st_mode & 07777) != 0) return failure(errno);
    return {};
  }

  // The lock is held through the rename, so no other save takes this file for an abandoned one.
  bool renameTo(const std::string& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) return false;
    path_.clear();
    fd_.reset();
    return true;
  }

 private:
  UniqueFd fd_;
  std::string path_;
};

// Overwrites the file where it stands, for when a rename cannot serve. Space is reserved, and what lies
// beyond the old end written, before a single old byte is touched, so a full disk leaves it whole.
FileOutcome rewriteInPlace(const std::string& target, const struct stat& expected, std::string_view bytes) {
  UniqueFd fd(::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0) return failure(errno);
  if (info.st_dev != expected.st_dev || info.st_ino != expected.st_ino || !S_ISREG(info.st_mode)) {
    return {FileError::Other, EAGAIN};  // replaced while we looked at it
  }
  const auto newSize = static_cast<off_t>(bytes.size());
  const off_t oldSize = info.st_size;
  if (newSize > 0 && ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, newSize) != 0 && errno != EOPNOTSUPP &&
      errno != ENOSYS) {
    return failure(errno);
  }
  if (newSize > oldSize && !writeAllAt(fd.get(), bytes.substr(static_cast<std::size_t>(oldSize)), oldSize)) {
    const int code = errno;
    if (::ftruncate(fd.get(), oldSize) != 0) {
    }
    return failure(code);
  }
  if (!writeAllAt(fd.get(), bytes.substr(0, static_cast<std::size_t>(std::min(oldSize, newSize))), 0) ||
      (newSize < oldSize && ::ftruncate(fd.get(), newSize) != 0) || !flush(fd.get()) || !fd.close()) {
    return failure(errno);
  }
  return {};
}

}  // namespace

FlushWatcher watchFlushes(FlushWatcher watcher) {
  return std::exchange(flushWatcher, watcher);
}

FileOutcome replaceFileContent(const std::string& hostPath, std::string_view bytes) {
  int code = 0;
  const std::optional<std::string> target = followLinks(hostPath, code);
  if (!target) return failure(code);
  const std::string folder = folderOf(*target);
  const std::string name = nameOf(*target);
  if (name.empty()) return {FileError::NotRegular, EISDIR};

  struct stat info {};
  const bool exists = ::stat(target->c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return failure(errno);
  if (exists) {
    if (!S_ISREG(info.st_mode)) return {FileError::NotRegular, 0};
    // Root may write anything, so the owner's write bit is what marks a file read-only.
    if ((info.st_mode & S_IWUSR) == 0) return {FileError::ReadOnly, 0};
    if (::faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0) return failure(errno);
  }
  removeStaleTemporaries(folder, name);

  // Another hard link would keep the old content, so such a file is only ever rewritten in place.
  if (!exists || info.st_nlink == 1) {
    TempFile temp(folder, name, exists);
    if (!temp.created() && !exists) return failure(errno);
    if (temp.created()) {
      if (FileOutcome filled = temp.fill(bytes, exists ? &info : nullptr); !filled) return filled;
      if (temp.renameTo(*target)) {
        syncFolder(folder);
        return {};
      }
      // A sticky folder refuses to replace another's file; a mounted-over file cannot be replaced.
      const int refused = errno;
      if (!exists || (refused != EPERM && refused != EACCES && refused != EBUSY)) return failure(refused);
    }
  }
  return rewriteInPlace(*target, info, bytes);
}

}  // namespace fendral::platform
