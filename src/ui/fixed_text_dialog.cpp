#include "ui/fixed_text_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

namespace fendral::ui {

QFont titleFont(qreal pointSize) {
  QFont font(QStringLiteral("Times New Roman"));
  font.setPointSizeF(pointSize);
  font.setWeight(QFont::Normal);
  return font;
}

QFont proseFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8.25);
  return font;
}

FixedTextDialog::FixedTextDialog(QWidget* parent, const QString& name, const QString& title, QSize clientSize)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(title);
  setFixedSize(clientSize);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, windowTeal());
  pal.setColor(QPalette::WindowText, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);
  setFont(proseFont());
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
  QRect over;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != this && w->objectName() == QLatin1String("frmMain") && w->isVisible()) {
      over = w->frameGeometry();
      break;
    }
  }
  if (over.isNull()) {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    over = s->availableGeometry();
  }
  const QSize frame = frameGeometry().size();
  move(over.center() - QPoint(frame.width() / 2, frame.height() / 2));
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
