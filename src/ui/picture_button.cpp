#include "ui/picture_button.h"

#include <QPainter>

namespace fendral::ui {

PictureButton::PictureButton(QWidget* parent) : QPushButton(parent) {
  setAttribute(Qt::WA_Hover);  // repaint as the mouse comes and goes
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor pane = isDown() ? QColor(0, 0, 0, 60) : QColor(255, 255, 255, underMouse() ? 60 : 28);
  p.setPen(hasFocus() ? QColor(Qt::white) : QColor(255, 255, 255, 70));
  p.setBrush(pane);
  p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
  QRect picture(QPoint(), iconSize());
  picture.moveCenter(rect().center());
  icon().paint(&p, picture);
}

}  // namespace fendral::ui
