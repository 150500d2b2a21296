#include <gtest/gtest.h>

#include <QLineEdit>
#include <memory>
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
  void click(int index) {
    const QPoint at = panel.tabRect(index).center();
    clickOn(strip(), strip()->mapFrom(&panel, at));
  }

  TwoRowTabPanel panel{3};
};

TEST_F(TwoRowTabPanelTest, WrapsIntoRowsAndBringsTheSelectedRowToThePage) {
  EXPECT_EQ(panel.rowCount(), 2);
  EXPECT_EQ(panel.currentIndex(), 0);  // the first tab added
  for (int first : {0, 3}) {
    EXPECT_EQ(panel.tabRect(first + 1).top(), panel.tabRect(first + 2).top());
    EXPECT_LT(panel.tabRect(first + 1).left(), panel.tabRect(first + 2).left());
  }
  for (int i = 0; i < 6; ++i) EXPECT_LE(panel.tabRect(i).bottom(), panel.pageRect().top());
  EXPECT_GT(panel.tabRect(1).top(), panel.tabRect(4).top());
  panel.setCurrentIndex(4);
  EXPECT_GT(panel.tabRect(3).top(), panel.tabRect(0).top());
  // The selected tab stands taller than its neighbours.
  EXPECT_GT(panel.tabRect(4).height(), panel.tabRect(3).height());
}

TEST_F(TwoRowTabPanelTest, ClicksShowOnlyTheChosenPageAndSignalEachChangeOnce) {
  std::vector<int> changes;
  QObject::connect(&panel, &TwoRowTabPanel::currentChanged, [&](int index) { changes.push_back(index); });
  click(5);
  click(5);
  panel.setCurrentIndex(6);   // no such tab
  panel.setCurrentIndex(-1);  // nor this
  click(1);                   // the rows have swapped: the click goes by where tab 1 is drawn now
  EXPECT_EQ(changes, (std::vector<int>{5, 1}));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(panel.widget(i)->isVisible(), i == 1) << i;
  EXPECT_EQ(panel.widget(1)->size(), panel.pageRect().size());
}

TEST_F(TwoRowTabPanelTest, IsUsableFromTheKeyboard) {
  EXPECT_EQ(panel.focusProxy(), strip());
  EXPECT_TRUE(strip()->focusPolicy() & Qt::TabFocus);
  struct Step {
    int key;
    int expected;
  };
  // Up and down keep the column; nothing wraps at the ends.
  for (const Step& step : std::vector<Step>{{Qt::Key_Right, 1},
                                            {Qt::Key_Down, 4},
                                            {Qt::Key_Down, 4},
                                            {Qt::Key_Up, 1},
                                            {Qt::Key_End, 5},
                                            {Qt::Key_Right, 5},
                                            {Qt::Key_Home, 0}}) {
    pressKey(strip(), step.key);
    EXPECT_EQ(panel.currentIndex(), step.expected) << "key " << step.key;
  }
  // Ctrl+Tab works from inside a page too, and wraps around.
  pressKey(panel.widget(0), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(panel.currentIndex(), 5);
  pressKey(panel.widget(5), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(panel.currentIndex(), 0);
}
