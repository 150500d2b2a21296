#pragma once

#include <QString>
#include <vector>

class QPlainTextEdit;

namespace fendral::notepad {

// The text widget breaks lines at CR LF, LF, CR, U+2029 and its own frame marks U+FDD0 and U+FDD1,
// and its plain text changes the no-break space and U+2028. So each line goes in as one block that
// remembers which of those ended it, and comes back out block by block: an unedited text returns as
// it went in.

// Puts a text into an editor a number of lines at a time, so a large file shows at once and the window
// stays responsive while the rest goes in.
class TextLoader {
 public:
  explicit TextLoader(const QString& text);

  // The end for lines the player adds: the most frequent of CR LF, LF and CR in the text (the first
  // found on a tie), LF when it has none.
  const QString& newLineEnd() const { return newLineEnd_; }

  // Replaces the editor's text by the first `lines` lines on the first call, appends the next ones on
  // each later call; false once the whole text is in.
  bool fill(QPlainTextEdit& editor, int lines);
  // How much of the text is in, in percent.
  int percentDone() const;

 private:
  QString lines_;  // the lines joined by "\n"
  std::vector<signed char> ends_;
  QString newLineEnd_;
  qsizetype position_ = 0;  // of the first character not yet in the editor
  std::size_t endsSet_ = 0;
  bool started_ = false;
};

// The editor's text, each line with the end it was loaded with, new lines with `newLineEnd`.
QString editorText(const QPlainTextEdit& editor, const QString& newLineEnd);

}  // namespace fendral::notepad
