#include <gtest/gtest.h>

#include <QLineEdit>
#include <memory>
#include <vector>

#include "dialog_harness.h"
#include "ui/two_row_tab_panel.h"

using fendral::ui::TwoRowTabPanel;

namespace {

class TwoRowTabPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel = std::make_unique<TwoRowTabPanel>(3);
    for (int i = 0; i < 6; ++i) {
      auto* page = new QLineEdit(QString::number(i));  // the panel takes ownership
      page->setObjectName(QString("page%1").arg(i));
      panel->addTab(page, QString("Tab %1").arg(i));
    }
    panel->resize(360, 300);
    panel->show();
  }

  void click(int index) {
    const QPoint at = panel->tabRect(index).center();
    QWidget* strip = panel->childAt(at);
    ASSERT_NE(strip, nullptr);
    clickOn(strip, strip->mapFrom(panel.get(), at));
  }

  QWidget* strip() { return panel->childAt(panel->tabRect(panel->currentIndex()).center()); }

  std::unique_ptr<TwoRowTabPanel> panel;
};

}  // namespace

TEST_F(TwoRowTabPanelTest, WrapsIntoRowsAndBringsTheSelectedRowToThePage) {
  EXPECT_EQ(panel->count(), 6);
  EXPECT_EQ(panel->rowCount(), 2);
  EXPECT_EQ(panel->currentIndex(), 0);  // the first tab added

  // Tabs of one order row share a line on screen, columns left to right, all above the page.
  for (int row = 0; row < 2; ++row) {
    const int first = row * 3;
    EXPECT_EQ(panel->tabRect(first + 1).top(), panel->tabRect(first + 2).top());
    EXPECT_LT(panel->tabRect(first + 1).left(), panel->tabRect(first + 2).left());
  }
  for (int i = 0; i < 6; ++i) EXPECT_LE(panel->tabRect(i).bottom(), panel->pageRect().top());

  // The selected tab's row is the one touching the page; the other stays behind it.
  EXPECT_GT(panel->tabRect(1).top(), panel->tabRect(4).top());
  panel->setCurrentIndex(4);
  EXPECT_GT(panel->tabRect(4).top(), panel->tabRect(1).top());
  EXPECT_GT(panel->tabRect(3).top(), panel->tabRect(0).top());
  // The selected tab stands taller than its neighbours and reaches the page.
  EXPECT_GT(panel->tabRect(4).height(), panel->tabRect(3).height());
}

TEST_F(TwoRowTabPanelTest, ShowsOnlyTheSelectedPageAndSignalsEachChangeOnce) {
  std::vector<int> changes;
  QObject::connect(panel.get(), &TwoRowTabPanel::currentChanged,
                   [&](int index) { changes.push_back(index); });
  click(5);
  click(5);
  panel->setCurrentIndex(6);   // no such tab
  panel->setCurrentIndex(-1);  // nor this
  EXPECT_EQ(changes, std::vector<int>{5});
  EXPECT_EQ(panel->currentIndex(), 5);
  EXPECT_EQ(panel->currentWidget()->objectName(), "page5");
  for (int i = 0; i < 6; ++i) EXPECT_EQ(panel->widget(i)->isVisible(), i == 5) << i;

  // Rows have swapped, so a click lands on whatever tab is drawn there now.
  click(1);
  EXPECT_EQ(panel->currentIndex(), 1);
  EXPECT_EQ(panel->widget(1)->geometry(), QRect(QPoint(0, 0), panel->pageRect().size()));
}

TEST_F(TwoRowTabPanelTest, IsUsableFromTheKeyboard) {
  QWidget* tabs = strip();
  EXPECT_EQ(panel->focusProxy(), tabs);
  EXPECT_TRUE(tabs->focusPolicy() & Qt::TabFocus);

  pressKey(tabs, Qt::Key_Right);
  EXPECT_EQ(panel->currentIndex(), 1);
  pressKey(tabs, Qt::Key_Down);
  EXPECT_EQ(panel->currentIndex(), 4);
  pressKey(tabs, Qt::Key_Down);  // no third row
  EXPECT_EQ(panel->currentIndex(), 4);
  pressKey(tabs, Qt::Key_Up);
  EXPECT_EQ(panel->currentIndex(), 1);
  pressKey(tabs, Qt::Key_End);
  EXPECT_EQ(panel->currentIndex(), 5);
  pressKey(tabs, Qt::Key_Right);  // no wrapping
  EXPECT_EQ(panel->currentIndex(), 5);
  pressKey(tabs, Qt::Key_Home);
  EXPECT_EQ(panel->currentIndex(), 0);

  // Ctrl+Tab works from inside a page too, and wraps around.
  pressKey(panel->widget(0), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(panel->currentIndex(), 5);
  pressKey(panel->widget(5), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(panel->currentIndex(), 0);
}
