#include "ui/fixed_text_dialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStyle>

#include "ui/enter_presses_button.h"

namespace fendral::ui {

FixedTextDialog::FixedTextDialog(QWidget* parent, const QString& name, const QString& title, QSize clientSize)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(title);
  setFixedSize(clientSize);
  setPalette(tealPalette());
  setAutoFillBackground(true);
  setFont(proseFont());
  pressFocusedButtonOnEnter(this);
}

void FixedTextDialog::reject() {
  // Escape and the title bar's close button do just what OK does.
  hide();
}

void FixedTextDialog::showEvent(QShowEvent* event) {
  centreOverMainWindow();
  if (focusOnOpen_) focusOnOpen_->setFocus(Qt::OtherFocusReason);
  QDialog::showEvent(event);
}

void FixedTextDialog::centreOverMainWindow() {
  // Inside over inside: the desktop frames both windows alike, so their frames are centred too,
  // and the place is right before this window's frame is known, at its first opening.
  QRect over;
  if (const QWidget* main = parentWidget(); main && main->window()->isVisible()) {
    over = main->window()->geometry();
  } else if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
    over = s->availableGeometry();
  } else {
    return;
  }
  setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), over));
}

QLabel* FixedTextDialog::addLabel(const QString& name, const QString& text, int x, int y, int width) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setGeometry(x, y, width, label->heightForWidth(width));
  return label;
}

}  // namespace fendral::ui
