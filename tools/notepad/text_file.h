#pragma once

#include <QString>
#include <utility>

namespace fendral::notepad {

// The file behind the editor: its name, its text and the line-ending style it was found in. Knows
// nothing of windows, so it can be tested on its own.
class TextFile {
 public:
  TextFile() = default;
  explicit TextFile(QString path) : path_(std::move(path)) {}

  // Reads the file as UTF-8. A name that does not exist yet is a new, empty document and not an
  // error; a folder or an unreadable file leaves the text empty and sets errorString().
  bool load();
  // Writes all or nothing: the old file stays whole when anything fails.
  bool save(const QString& text);

  const QString& path() const { return path_; }
  void setPath(QString path) { path_ = std::move(path); }
  bool isUntitled() const { return path_.isEmpty(); }
  // The name to show in a title: the last part of the path, or the whole path when it ends in "/".
  QString displayName() const;

  // Line breaks are "\n" here; the file's CR LF, when it had them, comes back on saving.
  const QString& text() const { return text_; }
  bool usesCrLf() const { return crlf_; }
  bool existed() const { return existed_; }
  const QString& errorString() const { return error_; }

 private:
  QString path_;
  QString text_;
  QString error_;
  bool crlf_ = false;
  bool existed_ = false;
};

}  // namespace fendral::notepad
