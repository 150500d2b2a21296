#include <QTabBar>
#include <QTabWidget>

#include "ui_harness.h"

namespace {

// The tab bar stands for its panel.
QString nameOf(const QWidget* w) {
  if (!w) return "(none)";
  return qobject_cast<const QTabBar*>(w) ? w->parentWidget()->objectName() : w->objectName();
}

}  // namespace

class Keyboard : public MainWindowTest {
 protected:
  // The names of the Tab stops, starting after the focused control and ending on it.
  std::string tabStops() {
    QStringList stops;
    const QWidget* start = window->focusWidget();
    for (int i = 0; i < 50; ++i) {
      pressKey(window->focusWidget(), Qt::Key_Tab);
      stops << nameOf(window->focusWidget());
      if (window->focusWidget() == start) break;
    }
    return stops.join(" ").toStdString();
  }
};

// Top to bottom, left to right; the two debug boxes lie out of sight and take no stop.
TEST_F(Keyboard, TabFollowsTheLayoutInBothViews) {
  ASSERT_TRUE(showActive(&open()));
  EXPECT_EQ(tabStops(), "cmdDebug cmdSetup cmdQuit optStandard optSinglePlayer cmdHelp cmdLaunch");

  click("optMultiplayer", "cmdSetup", "optBatchFileYes");
  auto* tabs = find<QTabWidget>("tabSetup");
  const char* pages[] = {
      "txtCDpath txtQ2path txtOptions",
      "txtConfig cmdConfigEdit cmdSampleConfig optCDaudioNo optJoystickNo cmdBatchEdit optBatchFileYes "
      "txtBatchFileLocation cmdExampleBatch",
      "txtG1D txtG1C txtG1Config cmdG1ConfigEdit txtG2D txtG2C txtG2Config cmdG2ConfigEdit txtG3D txtG3C "
      "txtG3Config cmdG3ConfigEdit",
  };
  for (int tab = 0; tab < 3; ++tab) {
    tabs->setCurrentIndex(tab);
    find("cmdLaunch")->setFocus();
    EXPECT_EQ(tabStops(), QString("cmdDebug cmdCancel cmdQuit tabSetup %1 cmdHelp cmdSave cmdLaunch")
                              .arg(pages[tab])
                              .toStdString());
  }
}

// Return presses the focused button, as on the target system (keypad Enter is pressed on the real
// window, the dialogs' buttons where they are closed).
TEST_F(Keyboard, ReturnPressesTheFocusedButton) {
  ASSERT_TRUE(showActive(&open()));
  const auto press = [&](const char* name) {
    find(name)->setFocus();
    pressKey(find(name), Qt::Key_Return);
  };
  press("cmdSetup");
  EXPECT_TRUE(shown("tabSetup"));
  press("cmdCancel");
  EXPECT_FALSE(shown("tabSetup"));
  press("cmdDebug");
  EXPECT_FALSE(platform.calls.empty());
}
