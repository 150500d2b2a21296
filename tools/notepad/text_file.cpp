#include "text_file.h"

#include <sys/stat.h>

#include <QFile>
#include <filesystem>

#include "platform/file_content.h"

namespace fendral::notepad {

namespace {

// Why a file was not read, in words for the player.
std::string refusal(const std::string& path, const platform::FileOutcome& outcome) {
  if (outcome.error == platform::FileError::TooLarge) {
    return "it is larger than " + std::to_string(TextFile::kSizeLimit >> 20) + " MiB";
  }
  struct stat info {};
  if (outcome.error != platform::FileError::NotRegular || ::stat(path.c_str(), &info) != 0) {
    return platform::describe(outcome);
  }
  if (S_ISDIR(info.st_mode)) return "it is a folder";
  if (S_ISFIFO(info.st_mode)) return "it is a named pipe";
  if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return "it is a device";
  if (S_ISSOCK(info.st_mode)) return "it is a socket";
  return platform::describe(outcome);
}

}  // namespace

bool TextFile::load() {
  text_.clear();
  error_.clear();
  encoding_ = Encoding::Utf8;
  refusedPath_.clear();
  existed_ = false;
  onDisk_.reset();
  if (path_.empty()) return true;

  // Before the read: a change made while reading is then taken for a change on disk, never missed.
  const DiskState before = diskState();
  const platform::FileRead file = platform::readFileContent(path_, kSizeLimit);
  const bool missing = file.outcome.error == platform::FileError::NotFound;
  existed_ = !missing;
  if (missing && path_.ends_with('/')) {
    refusedPath_ = path_;
    error_ = QStringLiteral("Cannot open %1: it names a folder, not a file.").arg(displayPath());
    return false;
  }
  if (!file.outcome && !missing) {
    refusedPath_ = path_;
    error_ = QStringLiteral("Cannot open %1: %2.")
                 .arg(displayPath(), QString::fromStdString(refusal(path_, file.outcome)));
    return false;
  }
  onDisk_ = before;
  // "Edit or Create": a missing file is made on the first save.
  if (missing) return true;
  encoding_ = detectEncoding(file.bytes);
  text_ = decodeText(file.bytes, encoding_);
  return true;
}

TextFile::Saved TextFile::save(const QString& text, bool overwriteChanged) {
  error_.clear();
  if (isRefused()) {
    error_ = QStringLiteral("%1 was not read whole, so it is not written over.").arg(displayPath());
    return Saved::No;
  }
  // A file that is gone holds nothing to lose; one that changed or appeared may be newer than the text.
  if (const DiskState now = diskState(); !overwriteChanged && onDisk_ && now.exists && now != *onDisk_) {
    error_ =
        (onDisk_->exists ? QStringLiteral("%1 was changed on disk since it was opened or last saved here.")
                         : QStringLiteral("%1 was created on disk since it was opened here."))
            .arg(displayPath());
    return Saved::ChangedOnDisk;
  }
  const std::string bytes = encodeText(text, encoding_, unencodable_);
  if (!unencodable_.isEmpty()) return Saved::Unencodable;
  if (const platform::FileOutcome outcome = platform::replaceFileContent(path_, bytes); !outcome) {
    error_ = QStringLiteral("Cannot save %1: %2. The file is left as it was.")
                 .arg(displayPath(), QString::fromStdString(platform::describe(outcome)));
    return Saved::No;
  }
  existed_ = true;
  onDisk_ = diskState();
  return Saved::Yes;
}

TextFile::DiskState TextFile::diskState() const {
  struct stat info {};
  if (::stat(path_.c_str(), &info) != 0) return {};
  return {true, info.st_dev, info.st_ino, static_cast<std::uint64_t>(info.st_size),
          std::int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec};
}

bool TextFile::namesFolder() const {
  std::error_code ignored;
  return path_.ends_with('/') || (!path_.empty() && std::filesystem::is_directory(path_, ignored));
}

std::string TextFile::nearestFolder() const {
  namespace fs = std::filesystem;
  std::error_code ignored;
  fs::path folder = namesFolder() ? fs::path(path_) : fs::path(path_).parent_path();
  while (!folder.empty() && !fs::is_directory(folder, ignored)) folder = folder.parent_path();
  return folder.empty() ? "." : folder.lexically_normal().string();
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
