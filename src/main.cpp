#include <QApplication>
#include <cstdio>

#include "ui/application_setup.h"
#include "ui/desktop_platform.h"
#include "ui/frm_main.h"
#include "ui/window_look.h"

namespace {

// Without any display Qt would abort with a message about platform plugins; say it plainly instead.
bool displayAvailable() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
  if (!displayAvailable()) {
    std::fputs(
        "Fendral needs a display to show its window: start it from a desktop session, or under a virtual "
        "display with xvfb-run.\n",
        stderr);
    return 1;
  }
  fendral::ui::useDesignedDpi();
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName("io.github.fendral.Fendral");
  fendral::ui::prepareApplication();
  fendral::ui::DesktopPlatform platform;
  fendral::ui::frmMain window(platform);
  window.show();
  return app.exec();
}
