#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fendral::platform {

// Why a file could not be read or replaced.
enum class FileError {
  None,
  NotFound,    // nothing at that path, or a folder on the way is missing
  NotRegular,  // a folder, a FIFO, a device, a socket: never read, never written
  TooLarge,    // longer than the reader's limit
  ReadOnly,    // the owner's write bit is off: left alone even by root
  NoAccess,    // the system refused (permissions, a read-only file system)
  NoSpace,     // the disk, the quota or the file-size limit is full
  Other,       // anything else; errno is in FileOutcome::code
};

struct FileOutcome {
  FileError error = FileError::None;
  int code = 0;  // the errno behind the error, 0 when there is none

  explicit operator bool() const { return error == FileError::None; }
};

// A short lower-case reason for a message to the player, such as "the disk is full".
std::string describe(const FileOutcome& outcome);

struct FileRead {
  std::string bytes;
  FileOutcome outcome;
};

// The whole content of the regular file at `hostPath`, following symbolic links. Never blocks (a FIFO
// or a device is refused before anything is read from it) and never holds more than `limit` bytes: a
// longer file is TooLarge, with no bytes.
FileRead readFileContent(const std::string& hostPath, std::size_t limit);

// Makes `bytes` the content of the file at `hostPath`, all or nothing: on any failure the file keeps
// its old bytes whole and no temporary file is left behind.
//
// The new content goes to a temporary file in the same folder, is written unbuffered, flushed to disk
// and renamed over the old file, which keeps its permission bits, owner and group (only the group when
// the owner cannot be given back). A symbolic link stays a link and the file it points to is replaced;
// a dangling link gets its target created. A file with several hard links, in a folder that takes no
// new files or in a sticky folder where the rename is refused, is rewritten in place instead, once the
// space for the new content is reserved. A missing file is created with the usual permissions. A file
// whose owner write bit is off is never written. Temporary files left by an earlier save that was
// killed are removed.
FileOutcome replaceFileContent(const std::string& hostPath, std::string_view bytes);

// Sees each descriptor a replacement is about to flush to disk: the new file's, then, once it is in
// place, its folder's. Nothing by default; a test sets one to see that both flushes happen, in order.
// Returns the one it takes over from.
using FlushWatcher = void (*)(int fd);
FlushWatcher watchFlushes(FlushWatcher watcher);

}  // namespace fendral::platform
