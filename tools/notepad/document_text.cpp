#include "document_text.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <array>

namespace fendral::notepad {

namespace {

// Indexed by the state each block keeps; -1, a block made by editing, takes the new-line end.
const std::array<QString, 6> kLineEnds = {QStringLiteral("\r\n"),   QStringLiteral("\n"),
                                          QStringLiteral("\r"),     QStringLiteral("\u2029"),
                                          QStringLiteral("\uFDD0"), QStringLiteral("\uFDD1")};
constexpr int kCrLf = 0, kLf = 1, kCr = 2, kParagraph = 3, kFrameStart = 4, kFrameEnd = 5;

int lineEndAt(const QString& text, qsizetype i) {
  switch (text.at(i).unicode()) {
    case u'\r':
      return i + 1 < text.size() && text.at(i + 1) == u'\n' ? kCrLf : kCr;
    case u'\n':
      return kLf;
    case 0x2029:
      return kParagraph;
    case 0xFDD0:
      return kFrameStart;
    case 0xFDD1:
      return kFrameEnd;
    default:
      return -1;
  }
}

}  // namespace

TextLoader::TextLoader(const QString& text) {
  lines_.reserve(text.size());
  std::array<qsizetype, 3> counts{};
  int firstFound = -1;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int end = lineEndAt(text, i);
    if (end < 0) continue;
    lines_.append(QStringView(text).mid(start, i - start)).append(QLatin1Char('\n'));
    ends_.push_back(static_cast<signed char>(end));
    if (end <= kCr) {
      ++counts[static_cast<std::size_t>(end)];
      if (firstFound < 0) firstFound = end;
    }
    if (end == kCrLf) ++i;
    start = i + 1;
  }
  lines_.append(QStringView(text).mid(start));

  int newLineEnd = firstFound < 0 ? kLf : firstFound;
  for (int end = kCrLf; end <= kCr; ++end) {
    if (counts[static_cast<std::size_t>(end)] > counts[static_cast<std::size_t>(newLineEnd)])
      newLineEnd = end;
  }
  newLineEnd_ = kLineEnds[static_cast<std::size_t>(newLineEnd)];
}

bool TextLoader::fill(QPlainTextEdit& editor, int lines) {
  qsizetype stop = -1;
  for (qsizetype from = position_; lines-- > 0 && (stop = lines_.indexOf(QLatin1Char('\n'), from)) >= 0;) {
    from = stop + 1;
  }
  if (stop < 0) stop = lines_.size();
  const QStringView chunk = QStringView(lines_).mid(position_, stop - position_);
  if (!started_) {
    editor.setPlainText(chunk.toString());
    started_ = true;
  } else {
    QTextCursor end(editor.document());
    end.movePosition(QTextCursor::End);
    end.insertText(QLatin1Char('\n') + chunk.toString());
  }
  position_ = stop;

  // A block's end is set once the block after it is in, so the break inserted later cannot move it.
  QTextBlock block = editor.document()->findBlockByNumber(static_cast<int>(endsSet_));
  for (; block.isValid() && block.next().isValid() && endsSet_ < ends_.size(); block = block.next()) {
    block.setUserState(ends_[endsSet_++]);
  }
  if (position_ < lines_.size()) {
    ++position_;  // past the "\n" that the next chunk brings
    return true;
  }
  lines_ = QString();
  return false;
}

int TextLoader::percentDone() const {
  return lines_.isEmpty() ? 100 : static_cast<int>(position_ * 100 / lines_.size());
}

QString editorText(const QPlainTextEdit& editor, const QString& newLineEnd) {
  QString text;
  for (QTextBlock block = editor.document()->firstBlock(); block.isValid();) {
    text += block.text();
    const int state = block.userState();
    block = block.next();
    if (block.isValid()) {
      text += state >= 0 && state < static_cast<int>(kLineEnds.size())
                  ? kLineEnds[static_cast<std::size_t>(state)]
                  : newLineEnd;
    }
  }
  return text;
}

}  // namespace fendral::notepad
