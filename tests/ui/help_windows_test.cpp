#include <QPushButton>
#include <functional>

#include "dialog_harness.h"
#include "main_window_fixture.h"
#include "ui/two_row_tab_panel.h"

using fendral::ui::TwoRowTabPanel;

// Through the real main window: each window is made once and kept, so every way of closing it
// only hides it, the help reopens on the tab it was left on, every opening, the first too, is
// centred over the main window wherever that stands now, and puts the focus on the same control.
class HelpFromMainWindow : public MainWindowTest {};

TEST_F(HelpFromMainWindow, EachWindowIsMadeOnceAndReopensAsItWasLeft) {
  using fendral::ui::frmMain;
  frmMain& main = open();
  main.show();
  const struct {
    void (frmMain::*show)();
    const char *name, *ok, *focus;
  } windows[] = {
      {&frmMain::cmdHelp_Click, "frmHelp", "cmdQuitHelp", "cmdQuitHelp"},
      {&frmMain::cmdExampleBatch_Click, "frmSampleBatch", "cmdSampleBatchQuit", "Text1"},
      {&frmMain::cmdSampleConfig_Click, "frmSampleConfig", "cmdSampleConfigQuit", "cmdSampleConfigQuit"}};
  for (const auto& w : windows) {
    SCOPED_TRACE(w.name);
    const std::function<void(QWidget*)> closes[] = {
        [&](QWidget* modal) { modal->findChild<QPushButton*>(w.ok)->click(); },
        [](QWidget* modal) { pressKey(modal, Qt::Key_Escape); },
        [](QWidget* modal) { modal->close(); },                               // the title bar
        [](QWidget* modal) { pressKey(modal, Qt::Key_O, Qt::AltModifier); },  // the help's only
    };
    QWidget* first = nullptr;
    int tab = 5;
    for (int way = 0; way < (w.name == std::string("frmHelp") ? 4 : 3); ++way) {
      main.move(100 + 60 * way, 60 + 10 * way);
      EXPECT_TRUE(whileModal([&] { (main.*w.show)(); },
                             [&](QWidget* modal) {
                               ASSERT_TRUE(modal && modal->objectName() == w.name);
                               if (!first) first = modal;
                               EXPECT_EQ(modal, first);
                               EXPECT_EQ(modal->windowModality(), Qt::ApplicationModal);
                               EXPECT_EQ(modal->parentWidget(), &main);
                               const QPoint off = modal->geometry().center() - main.geometry().center();
                               EXPECT_LE(off.manhattanLength(), 1) << off.x() << ", " << off.y();
                               EXPECT_EQ(modal->focusWidget()->objectName(), w.focus);
                               modal->focusWidget()->nextInFocusChain()->setFocus();
                               if (auto* tabs = modal->findChild<TwoRowTabPanel*>()) {
                                 EXPECT_EQ(tabs->currentIndex(), tab);
                                 tabs->setCurrentIndex(tab = (tab + 1) % 6);
                               }
                               closes[way](modal);
                             }))
          << way;
    }
  }
}
