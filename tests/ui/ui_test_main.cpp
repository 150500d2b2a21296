#include <gtest/gtest.h>
#include <QApplication>

#include "ui/application_setup.h"
#include "ui/window_look.h"

// Windows are driven offscreen unless a display is asked for explicitly.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The pictures are designed without a desktop theme; only a run of its own for them gets one.
  if (qEnvironmentVariableIsEmpty("FENDRAL_TEST_PICTURES")) qunsetenv("QT_QPA_PLATFORMTHEME");
  fendral::ui::useDesignedDpi();
  QApplication app(argc, argv);
  fendral::ui::prepareApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
