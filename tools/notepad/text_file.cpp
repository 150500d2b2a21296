#include "text_file.h"

#include <QFile>

#include "file_bytes.h"
#include "settings/whole_file.h"

namespace fendral::notepad {

bool TextFile::load() {
  text_.clear();
  error_.clear();
  encoding_ = Encoding::Utf8;
  refusedPath_.clear();
  existed_ = false;
  if (path_.empty()) return true;

  FileBytes file = readFileBytes(path_, kSizeLimit);
  switch (file.status) {
    case FileBytes::Status::Missing:
      return true;  // "Edit or Create": the file is made on the first save
    case FileBytes::Status::Refused:
      existed_ = true;
      refusedPath_ = path_;
      error_ = QStringLiteral("Cannot open %1: %2.").arg(displayPath(), QString::fromStdString(file.reason));
      return false;
    case FileBytes::Status::Read:
      break;
  }
  existed_ = true;
  encoding_ = detectEncoding(file.bytes);
  text_ = decodeText(file.bytes, encoding_);
  return true;
}

TextFile::Saved TextFile::save(const QString& text) {
  error_.clear();
  if (isRefused()) {
    error_ = QStringLiteral("%1 was not read whole, so it is not written over.").arg(displayPath());
    return Saved::No;
  }
  const std::string bytes = encodeText(text, encoding_, unencodable_);
  if (!unencodable_.isEmpty()) return Saved::Unencodable;
  if (!settings::rewriteWholeFile(path_, [&](std::string_view) { return bytes; })) {
    error_ = QStringLiteral("Cannot save %1. The file is left as it was.").arg(displayPath());
    return Saved::No;
  }
  existed_ = true;
  return Saved::Yes;
}

QString TextFile::displayPath() const {
  return QFile::decodeName(QByteArray::fromStdString(path_));
}

QString TextFile::displayName() const {
  if (path_.empty()) return QStringLiteral("Untitled");
  const QString path = displayPath();
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  return slash < 0 || slash == path.size() - 1 ? path : path.mid(slash + 1);
}

std::string fileNameFromArguments(int argc, const char* const* argv) {
  std::string name;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) name += ' ';
    name += argv[i];
  }
  return name;
}

}  // namespace fendral::notepad
