#include "ui/desktop_platform.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

#include "ui/main_texts.h"
#include "ui/text_conversion.h"
#include "ui/window_look.h"

namespace fendral::ui {

void DesktopPlatform::message(const std::string& prompt) {
  QMessageBox box(QMessageBox::NoIcon, texts::kWindowTitle, fromCore(prompt), QMessageBox::Ok,
                  QApplication::activeWindow());
  // A file name such as "<b>B</b>  &amp; x.bat" must read as typed, every blank kept.
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  // Qt lays it out, but in the windows' own font and colours, like them on any desktop.
  box.setFont(controlFont());
  box.setPalette(plainPalette());
  // Nor a picture on OK, nor room for one, where the desktop's theme would add it (qt6ct does).
  box.button(QMessageBox::Ok)->setIcon(QIcon());
  box.button(QMessageBox::Ok)->setIconSize(QSize(0, 0));
  box.exec();
}

}  // namespace fendral::ui
