#include "ui/desktop_platform.h"

#include <QApplication>
#include <QMessageBox>

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
  box.exec();
}

}  // namespace fendral::ui
