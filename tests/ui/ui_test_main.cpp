#include <gtest/gtest.h>
#include <QApplication>

#include "ui/application_setup.h"
#include "ui/window_look.h"

// Windows are driven offscreen unless a display is asked for explicitly.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  fendral::ui::useDesignedDpi();
  QApplication app(argc, argv);
  fendral::ui::prepareApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
