#include <QAccessible>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <vector>

#include "ui/frm_help.h"
#include "ui/two_row_tab_panel.h"
#include "ui_harness.h"

using fendral::ui::TwoRowTabPanel;

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

  // Return presses the focused button, as on the target system (keypad Enter the end-to-end test
  // presses on the real window).
  click("optMultiplayer");
  find("cmdSetup")->setFocus();
  pressKey(find("cmdSetup"), Qt::Key_Return);
  ASSERT_TRUE(shown("tabSetup"));
  click("optBatchFileYes");
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

// The windows are made before a screen reader starts listening (QAccessible::setActive), as when one
// starts after Fendral.
using Accessibility = MainWindowTest;

// What the walk of the real program over AT-SPI does not look at: each page tab knows its place in
// the list and lies where it is drawn, and the list reports the focused one.
TEST_F(Accessibility, TheHelpTabsAreAPageTabList) {
  fendral::ui::frmHelp help;
  ASSERT_TRUE(showActive(&help));
  EXPECT_FALSE(help.windowIcon().isNull());  // the application's, as every window's
  QAccessible::setActive(true);
  auto* panel = help.findChild<TwoRowTabPanel*>("tabHelp");
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
  open("cmdSetup");
  QAccessible::setActive(true);
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

// The help window's own panel, three tabs a row.
class TwoRowTabPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    help.show();
    panel.setCurrentIndex(0);
  }
  QWidget* strip() { return panel.childAt(panel.tabRect(0).center()); }
  int top(int index) { return panel.tabRect(index).top(); }
  // The strip selects on the press.
  void click(int index) {
    const QPointF at = strip()->mapFrom(&panel, panel.tabRect(index).center());
    QMouseEvent press(QEvent::MouseButtonPress, at, strip()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(strip(), &press);
  }

  fendral::ui::frmHelp help;
  TwoRowTabPanel& panel = *help.findChild<TwoRowTabPanel*>("tabHelp");
};

// The row holding the selected tab is drawn next to the page, and clicks go by where a tab is
// drawn now.
TEST_F(TwoRowTabPanelTest, WrapsIntoRowsAndAClickSelectsTheTabDrawnThere) {
  std::vector<int> changes;
  QObject::connect(&panel, &TwoRowTabPanel::currentChanged, [&](int index) { changes.push_back(index); });
  EXPECT_EQ(panel.rowCount(), 2);
  EXPECT_EQ(top(1), top(2));
  EXPECT_GT(top(1), top(4));
  for (int tab : {4, 4, 1}) click(tab);
  EXPECT_EQ(changes, (std::vector<int>{4, 1}));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(panel.widget(i)->isVisible(), i == 1) << i;
}

// Up and down keep the column and nothing wraps at the ends; Ctrl+Tab works from inside a page
// and wraps around.
TEST_F(TwoRowTabPanelTest, IsUsableFromTheKeyboard) {
  const std::pair<QKeyCombination, int> steps[] = {
      {Qt::Key_Right, 1},         {Qt::Key_Down, 4},
      {Qt::Key_Down, 4},          {Qt::Key_Up, 1},
      {Qt::Key_End, 5},           {Qt::Key_Right, 5},
      {Qt::Key_Home, 0},          {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 5},
      {Qt::CTRL | Qt::Key_Tab, 0}};
  for (const auto& [keys, expected] : steps) {
    const auto modifiers = keys.keyboardModifiers();
    pressKey(modifiers ? panel.currentWidget() : strip(), keys.key(), modifiers);
    EXPECT_EQ(panel.currentIndex(), expected) << "key " << keys.key();
  }
}
