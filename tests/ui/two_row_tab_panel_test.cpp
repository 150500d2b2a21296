#include <gtest/gtest.h>

#include <QLineEdit>
#include <vector>

#include "dialog_harness.h"
#include "ui/two_row_tab_panel.h"

using fendral::ui::TwoRowTabPanel;

class TwoRowTabPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 6; ++i) panel.addTab(new QLineEdit(QString::number(i)), QString("Tab %1").arg(i));
    panel.resize(360, 300);
    panel.show();
  }
  QWidget* strip() { return panel.childAt(panel.tabRect(0).center()); }
  int top(int index) { return panel.tabRect(index).top(); }
  void click(int index) { clickOn(strip(), strip()->mapFrom(&panel, panel.tabRect(index).center())); }

  TwoRowTabPanel panel{3};
};

// Rows of three; the row holding the selected tab is drawn next to the page, and clicks go by
// where a tab is drawn now.
TEST_F(TwoRowTabPanelTest, WrapsIntoRowsAndBringsTheSelectedRowToThePage) {
  std::vector<int> changes;
  QObject::connect(&panel, &TwoRowTabPanel::currentChanged, [&](int index) { changes.push_back(index); });
  EXPECT_EQ(panel.rowCount(), 2);
  EXPECT_EQ(panel.currentIndex(), 0);  // the first tab added
  for (int first : {0, 3}) {
    EXPECT_EQ(top(first + 1), top(first + 2));
    EXPECT_LT(panel.tabRect(first + 1).left(), panel.tabRect(first + 2).left());
  }
  for (int i = 0; i < 6; ++i) EXPECT_LE(panel.tabRect(i).bottom(), panel.pageRect().top());
  EXPECT_GT(top(1), top(4));
  click(4);
  EXPECT_GT(top(3), top(0));
  EXPECT_GT(panel.tabRect(4).height(), panel.tabRect(3).height());  // the selected tab stands taller
  click(4);
  panel.setCurrentIndex(6);   // no such tab
  panel.setCurrentIndex(-1);  // nor this
  click(1);                   // by where tab 1 is drawn now
  EXPECT_EQ(changes, (std::vector<int>{4, 1}));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(panel.widget(i)->isVisible(), i == 1) << i;
  EXPECT_EQ(panel.widget(1)->size(), panel.pageRect().size());
}

TEST_F(TwoRowTabPanelTest, IsUsableFromTheKeyboard) {
  EXPECT_EQ(panel.focusProxy(), strip());
  EXPECT_TRUE(strip()->focusPolicy() & Qt::TabFocus);
  // Up and down keep the column; nothing wraps at the ends.
  const std::pair<int, int> steps[] = {{Qt::Key_Right, 1}, {Qt::Key_Down, 4}, {Qt::Key_Down, 4},
                                       {Qt::Key_Up, 1},    {Qt::Key_End, 5},  {Qt::Key_Right, 5},
                                       {Qt::Key_Home, 0}};
  for (const auto& [key, expected] : steps) {
    pressKey(strip(), key);
    EXPECT_EQ(panel.currentIndex(), expected) << "key " << key;
  }
  // Ctrl+Tab works from inside a page too, and wraps around.
  pressKey(panel.widget(0), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(panel.currentIndex(), 5);
  pressKey(panel.widget(5), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(panel.currentIndex(), 0);
}
