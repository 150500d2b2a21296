#pragma once

#include <QString>
#include <cstddef>
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
  // (not a regular file, too large, unreadable) is refused: false, with errorString() saying why, and
  // save() will not write over it.
  bool load();

  enum class Saved { Yes, No, Unencodable };
  // Stores `text` in the file's encoding, all or nothing. Unencodable when the encoding cannot hold
  // some characters (listed by unencodable()): nothing is written then.
  Saved save(const QString& text);

  // The text as loaded, line ends included; handed over once, so a large file is not kept twice.
  QString takeText() { return std::exchange(text_, QString()); }

  const std::string& path() const { return path_; }
  void setPath(std::string path) { path_ = std::move(path); }
  bool isUntitled() const { return path_.empty(); }
  // True while the name is that of a file whose load was refused.
  bool isRefused() const { return !refusedPath_.empty() && refusedPath_ == path_; }
  bool existed() const { return existed_; }
  // The path and the last part of it as shown to the player; bytes that are not UTF-8 show as U+FFFD.
  QString displayPath() const;
  QString displayName() const;

  Encoding encoding() const { return encoding_; }
  void setEncoding(Encoding encoding) { encoding_ = encoding; }
  const QString& unencodable() const { return unencodable_; }
  const QString& errorString() const { return error_; }

 private:
  std::string path_;
  QString text_;
  QString error_;
  QString unencodable_;
  Encoding encoding_ = Encoding::Utf8;
  std::string refusedPath_;
  bool existed_ = false;
};

// The editor's command line is one file name, blanks included, as the editor it stands in for reads
// it; the bytes are kept as they are, whatever the locale.
std::string fileNameFromArguments(int argc, const char* const* argv);

}  // namespace fendral::notepad
