#include <QAccessible>
#include <QTabBar>
#include <QTabWidget>

#include "ui/frm_help.h"
#include "ui/two_row_tab_panel.h"
#include "ui_harness.h"

class Keyboard : public MainWindowTest {
 protected:
  // The names of the Tab stops, starting after the focused control and ending on it.
  std::string tabStops() {
    QStringList stops;
    const QWidget* start = window->focusWidget();
    for (int i = 0; i < 50 && window->focusWidget(); ++i) {
      pressKey(window->focusWidget(), Qt::Key_Tab);
      const QWidget* focus = window->focusWidget();
      // The tab bar stands for its panel.
      stops << (qobject_cast<const QTabBar*>(focus) ? focus->parentWidget() : focus)->objectName();
      if (focus == start) break;
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

// Return presses the focused button, as on the target system. Keypad Enter is pressed on the real
// window; the dialogs' buttons get Return where the dialogs are closed.
TEST_F(Keyboard, ReturnPressesTheFocusedButton) {
  ASSERT_TRUE(showActive(&open()));
  const auto press = [&](const char* name) {
    find(name)->setFocus();
    pressKey(find(name), Qt::Key_Return);
  };
  press("cmdSetup");
  EXPECT_TRUE(shown("tabSetup"));
  press("cmdDebug");
  EXPECT_FALSE(platform.calls.empty());
}

// The windows are made before a screen reader starts listening, as when one starts after Fendral.
class Accessibility : public MainWindowTest {
 protected:
  static void screenReaderStarts() { QAccessible::setActive(true); }
};

// What the walk of the real program over AT-SPI does not look at: each page tab knows its place in
// the list and lies where it is drawn, and the list reports the focused one.
TEST_F(Accessibility, TheHelpTabsAreAPageTabList) {
  fendral::ui::frmHelp help;
  ASSERT_TRUE(showActive(&help));
  EXPECT_FALSE(help.windowIcon().isNull());  // the application's, as every window's
  screenReaderStarts();
  auto* panel = help.findChild<fendral::ui::TwoRowTabPanel*>("tabHelp");
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(panel->tabStrip());
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->childCount(), 6);
  for (int i = 0; i < 6; ++i) {
    QAccessibleInterface* tab = list->child(i);
    EXPECT_EQ(tab->parent(), list);
    EXPECT_EQ(list->indexOfChild(tab), i);
    EXPECT_TRUE(help.rect().contains(help.mapFromGlobal(tab->rect().center()))) << i;
  }
  panel->setCurrentIndex(2);
  panel->tabStrip()->setFocus();
  EXPECT_EQ(list->focusChild(), list->child(2));
}

// Fields are named by their own labels, not by the frame around them; the debug boxes take no focus, so
// the walk over AT-SPI does not reach them.
TEST_F(Accessibility, FieldsAreNamedByTheirOwnLabels) {
  open();
  click("cmdSetup");
  screenReaderStarts();
  const std::pair<const char*, const char*> names[] = {
      {"txtCDpath", "CD Drive Letter:"},
      {"txtServerIP", "Server address"},
      {"txtBatchFileLocation", "Name of your batch file: (must be located in your Q2 directory)"},
      {"txtG2C", "Game 2 Subdirectory"},
      {"txtDebugBatch", "Debug Batch File Call"},
  };
  for (const auto& [name, expected] : names)
    EXPECT_EQ(QAccessible::queryAccessibleInterface(find(name))->text(QAccessible::Name), expected) << name;
}
