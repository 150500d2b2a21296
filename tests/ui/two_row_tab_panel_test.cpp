#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMouseEvent>
#include <vector>

#include "ui/two_row_tab_panel.h"
#include "ui_harness.h"

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
  // The strip selects on the press.
  void click(int index) {
    const QPointF at = strip()->mapFrom(&panel, panel.tabRect(index).center());
    QMouseEvent press(QEvent::MouseButtonPress, at, strip()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(strip(), &press);
  }

  TwoRowTabPanel panel{3};
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
