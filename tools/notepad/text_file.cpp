#include "text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace fendral::notepad {

bool TextFile::load() {
  text_.clear();
  error_.clear();
  crlf_ = false;
  existed_ = false;
  if (path_.isEmpty()) return true;

  const QFileInfo info(path_);
  if (!info.exists()) return true;  // "Edit or Create": the file is made on the first save
  existed_ = true;
  if (info.isDir()) {
    error_ = QStringLiteral("%1 is a folder").arg(path_);
    return false;
  }
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly)) {
    error_ = QStringLiteral("Cannot open %1: %2").arg(path_, file.errorString());
    return false;
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    error_ = QStringLiteral("Cannot read %1: %2").arg(path_, file.errorString());
    return false;
  }
  // The first line break decides the style; batch files written on the other platform use CR LF.
  const qsizetype firstBreak = bytes.indexOf('\n');
  crlf_ = firstBreak > 0 && bytes.at(firstBreak - 1) == '\r';
  if (crlf_) bytes.replace("\r\n", "\n");
  text_ = QString::fromUtf8(bytes);
  return true;
}

bool TextFile::save(const QString& text) {
  error_.clear();
  QByteArray bytes = text.toUtf8();
  if (crlf_) bytes.replace("\n", "\r\n");

  QSaveFile file(path_);
  if (!file.open(QIODevice::WriteOnly)) {
    error_ = QStringLiteral("Cannot save %1: %2").arg(path_, file.errorString());
    return false;
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    error_ = QStringLiteral("Cannot save %1: %2").arg(path_, file.errorString());
    return false;
  }
  text_ = text;
  existed_ = true;
  return true;
}

QString TextFile::displayName() const {
  if (path_.isEmpty()) return QStringLiteral("Untitled");
  const QString name = QFileInfo(path_).fileName();
  return name.isEmpty() ? path_ : name;
}

}  // namespace fendral::notepad
