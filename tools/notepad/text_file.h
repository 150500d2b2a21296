#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "text_encoding.h"

namespace fendral::notepad {

// The file behind the editor: its name as the system's bytes, its text and the encoding it was found
// in. Knows nothing of windows, so it can be tested on its own.
class TextFile {
 public:
  static constexpr std::size_t kSizeLimit = std::size_t{64} << 20;

  TextFile() = default;
  explicit TextFile(std::string path) : path_(std::move(path)) {}

  // A name that does not exist yet is a new, empty UTF-8 document. A file that cannot be read whole
  // (not a regular file, too large, unreadable) or a name ending in "/" is refused: false, with
  // errorString() saying why, and save() will not write over it.
  bool load();

  enum class Saved { Yes, No, Unencodable, ChangedOnDisk };
  // Stores `text` in the file's encoding, all or nothing. Nothing is written when the encoding cannot
  // hold some characters (Unencodable, listed by unencodable()), nor, unless `overwriteChanged`, when
  // another program changed or created the file since it was opened or last saved (ChangedOnDisk).
  Saved save(const QString& text, bool overwriteChanged = false);

  // The text as loaded, line ends included; handed over once, so a large file is not kept twice.
  QString takeText() { return std::exchange(text_, QString()); }

  const std::string& path() const { return path_; }
  // A new name, chosen by the player: what is on disk under it is theirs to overwrite.
  void setPath(std::string path) {
    path_ = std::move(path);
    onDisk_.reset();
  }
  bool isUntitled() const { return path_.empty(); }
  // True while the name is that of a file whose load was refused.
  bool isRefused() const { return !refusedPath_.empty() && refusedPath_ == path_; }
  // The name is a folder, or ends in "/" as one does.
  bool namesFolder() const;
  // Where to ask for another name: the folder the name is or is in, or the nearest one above it that
  // exists; "." for an untitled document.
  std::string nearestFolder() const;
  bool existed() const { return existed_; }
  // The path and the last part of it as shown to the player; bytes that are not UTF-8 show as U+FFFD.
  QString displayPath() const;
  QString displayName() const;

  Encoding encoding() const { return encoding_; }
  void setEncoding(Encoding encoding) { encoding_ = encoding; }
  const QString& unencodable() const { return unencodable_; }
  const QString& errorString() const { return error_; }

 private:
  // What is on disk under the name, as far as telling another program's change goes.
  struct DiskState {
    bool exists = false;
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modifiedNs = 0;
    friend bool operator==(const DiskState&, const DiskState&) = default;
  };
  DiskState diskState() const;

  std::string path_;
  QString text_;
  QString error_;
  QString unencodable_;
  Encoding encoding_ = Encoding::Utf8;
  std::string refusedPath_;
  std::optional<DiskState> onDisk_;  // when opened or last saved; none for a name the player chose
  bool existed_ = false;
};

// The editor's command line is one file name, blanks included, as the editor it stands in for reads
// it; the bytes are kept as they are, whatever the locale.
std::string fileNameFromArguments(int argc, const char* const* argv);

}  // namespace fendral::notepad
