#pragma once

#include <cstddef>
#include <string>

namespace fendral::notepad {

// What reading a file for the editor found.
struct FileBytes {
  enum class Status { Read, Missing, Refused };
  Status status = Status::Missing;
  std::string bytes;
  // Why the file was refused, as a phrase for a message: "it is a folder".
  std::string reason;
};

// The whole content of the regular file at `path` (host bytes). Anything else is refused without being
// read: a named pipe or a device could block or never end. So is a file larger than `limit` bytes or
// one that fails part-way: a file not read whole must not be saved over.
FileBytes readFileBytes(const std::string& path, std::size_t limit);

}  // namespace fendral::notepad
