#include "ui/window_entry.h"

#include <QApplication>

#include "launch/command_line.h"
#include "launch/saved_request.h"
#include "ui/application_setup.h"
#include "ui/desktop_platform.h"
#include "ui/frm_main.h"
#include "ui/window_look.h"

namespace {

void startApplication() {
  QGuiApplication::setDesktopFileName("io.github.fendral.Fendral");
  fendral::ui::prepareApplication();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int fendral_open_window(
    const FendralWindowRequest* request) {
  fendral::ui::useDesignedDpi();
  QApplication app(*request->argumentCount, request->arguments);
  startApplication();
  fendral::ui::DesktopPlatform platform;
  platform.setEngineChoice(fendral::launch::chosenEngine(
      request->settingsFile,
      request->engine != nullptr ? std::optional<std::string>(request->engine) : std::nullopt));
  fendral::ui::frmMain window(platform, request->settingsFile, request->saveFile);
  window.selectLaunchChoices(static_cast<fendral::launch::GameChoice>(request->gameChoice),
                             static_cast<fendral::launch::GameType>(request->gameType));
  window.show();
  return app.exec();
}

extern "C" __attribute__((visibility("default"))) void fendral_show_message(
    const FendralWindowRequest* request, const char* prompt) {
  fendral::ui::useDesignedDpi();
  QApplication app(*request->argumentCount, request->arguments);
  startApplication();
  fendral::ui::DesktopPlatform().message(prompt);
}
