#include <gtest/gtest.h>

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <functional>
#include <vector>

#include "dialog_harness.h"
#include "main_window_fixture.h"
#include "pictures.h"
#include "ui/frm_help.h"
#include "ui/frm_main.h"
#include "ui/two_row_tab_panel.h"

using fendral::ui::frmHelp;
using fendral::ui::TwoRowTabPanel;

namespace {

TwoRowTabPanel* tabsOf(QWidget* help) {
  return help->findChild<TwoRowTabPanel*>("tabHelp");
}

void clickTab(TwoRowTabPanel* tabs, int index) {
  const QPoint at = tabs->tabRect(index).center();
  QWidget* strip = tabs->childAt(at);
  clickOn(strip, strip->mapFrom(tabs, at));
}

}  // namespace

TEST(HelpWindow, PagesHoldTheirHeadingsInBlackAndProseInTealAndFit) {
  frmHelp help;
  help.show();
  EXPECT_EQ(help.findChild<QLabel*>("lblHelpTitle")->text(), "Fendral   Help");
  TwoRowTabPanel* tabs = tabsOf(&help);
  const QStringList captions = {"The Basics",        "Launching Games", "About...",
                                "Program Locations", "Game Settings",   "Custom Games"};
  const std::vector<QStringList> blackLabels = {
      {},
      {},
      {"Fendral v.95b", "The Fendral team"},
      {"CD DRIVE LETTER:", " PATH TO YOUR QUAKE2 FOLDER:", "ANY EXTRA COMAND LINE OPTIONS:", "NOTE:"},
      {"STANDARD CONFIG FILE:", "USE CDAUDIO AND JOYSTICK:", "BATCH FILE USE:"},
      {"FOR STARTERS:", "DESCRIPTION:", "SUBDIRECTORY:", "CUSTOM CONFIG:"},
  };
  ASSERT_EQ(tabs->count(), 6);
  EXPECT_EQ(tabs->rowCount(), 2);
  for (int i = 0; i < tabs->count(); ++i) {
    SCOPED_TRACE(captions[i].toStdString());
    EXPECT_EQ(tabs->tabText(i), captions[i]);
    QStringList black;
    int teal = 0;
    for (QLabel* label : tabs->widget(i)->findChildren<QLabel*>()) {
      if (label->palette().color(QPalette::WindowText) == QColor(0, 64, 64)) {
        ++teal;
        EXPECT_TRUE(label->wordWrap());
      } else if (label->palette().color(QPalette::WindowText) == QColor(Qt::black)) {
        black << label->text();
      }
    }
    EXPECT_GE(teal, 1);
    EXPECT_EQ(black, blackLabels[i]);
    // Pages other than the current one keep a stale size until shown, so ask for the page area's.
    QWidget* page = tabs->widget(i);
    EXPECT_LE(page->layout()->totalHeightForWidth(tabs->pageRect().width()), tabs->pageRect().height());
  }
}

TEST(HelpWindow, AltOAndTheTitleBarCloseItAndKeepItsTab) {
  frmHelp help;
  TwoRowTabPanel* tabs = tabsOf(&help);
  tabs->setCurrentIndex(2);
  for (const auto& close : std::vector<std::function<void()>>{
           [&] { pressKey(&help, Qt::Key_O, Qt::AltModifier); }, [&] { help.close(); }}) {
    EXPECT_TRUE(whileModal([&] { help.exec(); }, [&](QWidget*) { close(); }));
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(tabs->currentIndex(), 2);
  }
}

TEST(HelpWindow, Pictures) {
  frmHelp help;
  help.show();
  TwoRowTabPanel* tabs = tabsOf(&help);
  EXPECT_TRUE(savePicture(help, "frmHelp"));
  help.activateWindow();
  tabs->setFocus();  // the pages' pictures show the focus mark on the selected tab
  QApplication::processEvents();
  const QStringList names = {"basics", "launching", "about", "locations", "settings", "custom"};
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    EXPECT_TRUE(savePicture(help, "frmHelp_" + names[i]));
  }
}

// Through the real main window: each window is made once, kept, shown application modal and
// centred over it, and each time it opens the focus is back in its place.
class HelpFromMainWindow : public MainWindowTest {};

TEST_F(HelpFromMainWindow, EachWindowIsMadeOnceAndReopensAsItWasLeft) {
  using fendral::ui::frmMain;
  frmMain& main = open();
  main.show();
  struct Window {
    void (frmMain::*show)();
    QString name, ok, focus, elsewhere;
  };
  for (const Window& w :
       std::vector<Window>{{&frmMain::cmdHelp_Click, "frmHelp", "cmdQuitHelp", "cmdQuitHelp", "tabHelp"},
                           {&frmMain::cmdExampleBatch_Click, "frmSampleBatch", "cmdSampleBatchQuit", "Text1",
                            "cmdSampleBatchQuit"},
                           {&frmMain::cmdSampleConfig_Click, "frmSampleConfig", "cmdSampleConfigQuit",
                            "cmdSampleConfigQuit", "txtSampleConfig"}}) {
    SCOPED_TRACE(w.name.toStdString());
    QWidget* first = nullptr;
    for (int round = 0; round < 2; ++round) {
      EXPECT_TRUE(
          whileModal([&] { (main.*w.show)(); },
                     [&](QWidget* modal) {
                       ASSERT_NE(modal, nullptr);
                       if (!first) first = modal;
                       EXPECT_EQ(modal, first);
                       EXPECT_EQ(modal->objectName(), w.name);
                       EXPECT_EQ(modal->windowModality(), Qt::ApplicationModal);
                       EXPECT_EQ(modal->focusWidget()->objectName(), w.focus);
                       EXPECT_NEAR(modal->frameGeometry().center().x(), main.frameGeometry().center().x(), 2);
                       EXPECT_NEAR(modal->frameGeometry().center().y(), main.frameGeometry().center().y(), 2);
                       auto* ok = modal->findChild<QPushButton*>(w.ok);
                       if (TwoRowTabPanel* tabs = tabsOf(modal)) {
                         EXPECT_EQ(tabs->currentIndex(), round == 0 ? 5 : 0);
                         clickTab(tabs, 0);
                       }
                       modal->findChild<QWidget*>(w.elsewhere)->setFocus();
                       if (round == 0)
                         clickOn(ok);
                       else
                         pressKey(modal, Qt::Key_Escape);
                     }))
          << "round " << round << " left the window open";
    }
  }
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
