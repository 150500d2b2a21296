#pragma once

#include <QDialog>
#include <QPointer>
#include <QSize>
#include <QString>

#include "ui/window_look.h"

class QLabel;

namespace fendral::ui {

// What the help and sample windows share: a fixed size, white on teal, shown centred over the
// main window, and every way of closing (OK, Escape, the title bar) simply hides the window so
// that it can be shown again exactly as it was left.
class FixedTextDialog : public QDialog {
  Q_OBJECT
 public:
  FixedTextDialog(QWidget* parent, const QString& name, const QString& title, QSize clientSize);

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

  // The control that takes the keyboard focus each time the window opens.
  void setFocusOnOpen(QWidget* widget) { focusOnOpen_ = widget; }

  // A wrapping label, white on teal, at (x, y) and as tall as its text needs at `width`.
  QLabel* addLabel(const QString& name, const QString& text, int x, int y, int width);

 private:
  void centreOverMainWindow();

  QPointer<QWidget> focusOnOpen_;
};

}  // namespace fendral::ui
