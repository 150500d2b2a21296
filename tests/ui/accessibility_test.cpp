#include <QAccessible>

#include "ui/frm_help.h"
#include "ui/two_row_tab_panel.h"
#include "ui_harness.h"

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
  EXPECT_EQ(list->role(), QAccessible::PageTabList);
  ASSERT_EQ(list->childCount(), 6);
  for (int i = 0; i < 6; ++i) {
    QAccessibleInterface* tab = list->child(i);
    EXPECT_EQ(tab->text(QAccessible::Name), panel->tabText(i));
    EXPECT_EQ(tab->parent(), list);
    EXPECT_EQ(list->indexOfChild(tab), i);
    EXPECT_TRUE(help.rect().contains(help.mapFromGlobal(tab->rect().center()))) << i;
  }
  panel->setCurrentIndex(2);
  panel->tabStrip()->setFocus();
  EXPECT_EQ(list->focusChild(), list->child(2));
}

// The main window is a frame with its title; fields are named by their own labels, not by the
// frame around them.
TEST_F(Accessibility, TheMainWindowAndItsFieldsHaveNames) {
  open();
  click("cmdSetup");
  screenReaderStarts();
  QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
  EXPECT_EQ(frame->role(), QAccessible::Window);
  EXPECT_EQ(frame->text(QAccessible::Name), "Fendral");
  const std::pair<const char*, const char*> names[] = {
      {"txtCDpath", "CD Drive Letter:"},
      {"txtServerIP", "Server address"},
      {"txtBatchFileLocation", "Name of your batch file: (must be located in your Q2 directory)"},
      {"txtG2C", "Game 2 Subdirectory"},
      {"txtDebugBatch", "Debug Batch File Call"},
      {"cmdQuit", "Exit"},
  };
  for (const auto& [name, expected] : names)
    EXPECT_EQ(QAccessible::queryAccessibleInterface(find(name))->text(QAccessible::Name), expected) << name;
}
