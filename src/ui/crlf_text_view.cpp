#include "ui/crlf_text_view.h"

#include <QMimeData>
#include <QTextCursor>
#include <memory>

namespace fendral::ui {

CrlfTextView::CrlfTextView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setUndoRedoEnabled(false);
}

void CrlfTextView::setCrlfText(const QString& text) {
  setPlainText(text);
}

QString CrlfTextView::crlfText() const {
  return toCrlf(toPlainText());
}

QString CrlfTextView::toCrlf(QString text) {
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return text;
}

QMimeData* CrlfTextView::createMimeDataFromSelection() const {
  const QTextCursor cursor = textCursor();
  // The cursor's positions index toPlainText() one to one, and it writes block breaks as '\n'.
  const QString selected =
      toPlainText().mid(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
  auto data = std::make_unique<QMimeData>();
  data->setText(toCrlf(selected));
  return data.release();  // the caller owns it, as Qt's contract says
}

}  // namespace fendral::ui
