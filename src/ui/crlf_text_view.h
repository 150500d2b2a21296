#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace fendral::ui {

// A read-only, selectable text box for text whose lines end in CRLF. The editor keeps lines as
// blocks and forgets the CR, so copying and dragging put the CRLFs back: what lands on the
// clipboard is exactly the bytes of the selected part of the original text.
class CrlfTextView : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit CrlfTextView(QWidget* parent = nullptr);

  void setCrlfText(const QString& text);
  // The shown text with its line ends as CRLF again.
  QString crlfText() const;

  static QString toCrlf(QString text);

 protected:
  QMimeData* createMimeDataFromSelection() const override;
};

}  // namespace fendral::ui
