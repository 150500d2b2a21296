#include <gtest/gtest.h>

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <utility>
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
QPushButton* okOf(QWidget* help) {
  return help->findChild<QPushButton*>("cmdQuitHelp");
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

TEST(HelpWindow, ReopensOnTheLastTabWhicheverWayItWasClosed) {
  QWidget main;  // all the help window needs of the main window: its name and place
  main.setObjectName("frmMain");
  main.setGeometry(200, 150, 361, 336);
  main.show();
  frmHelp help;
  TwoRowTabPanel* tabs = tabsOf(&help);
  const auto open = [&] { help.exec(); };

  EXPECT_TRUE(whileModal(open, [&](QWidget* modal) {
    EXPECT_EQ(modal, &help);
    EXPECT_EQ(tabs->currentIndex(), 5);
    EXPECT_TRUE(tabs->widget(5)->isVisible());
    EXPECT_EQ(help.focusWidget(), okOf(&help));
    EXPECT_NEAR(help.geometry().center().x(), main.geometry().center().x(), 2);
    EXPECT_NEAR(help.geometry().center().y(), main.geometry().center().y(), 2);
    clickTab(tabs, 0);
    clickOn(okOf(&help));
  }));
  EXPECT_FALSE(help.isVisible());

  // Alt+O, Escape and the title bar each end the showing; the tab and the focus come back.
  const std::vector<std::function<void()>> closings = {
      [&] { pressKey(&help, Qt::Key_O, Qt::AltModifier); },
      [&] { pressKey(okOf(&help), Qt::Key_Escape); },
      [&] { help.close(); },
  };
  for (size_t i = 0; i < closings.size(); ++i) {
    EXPECT_TRUE(whileModal(open,
                           [&](QWidget*) {
                             EXPECT_EQ(tabs->currentIndex(), 0);
                             EXPECT_EQ(help.focusWidget(), okOf(&help));
                             tabs->setFocus();
                             closings[i]();
                           }))
        << "closing " << i << " left the window open";
  }
}

TEST(HelpWindow, Pictures) {
  frmHelp help;
  help.show();
  TwoRowTabPanel* tabs = tabsOf(&help);
  EXPECT_TRUE(savePicture(help, "frmHelp"));
  const QStringList names = {"basics", "launching", "about", "locations", "settings", "custom"};
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    EXPECT_TRUE(savePicture(help, "frmHelp_" + names[i]));
  }
}

// Through the real main window: each window is made once, kept, and shown application modal.
class HelpFromMainWindow : public MainWindowTest {};

TEST_F(HelpFromMainWindow, EachWindowIsMadeOnceAndReopensAsItWasLeft) {
  fendral::ui::frmMain& main = open();
  main.show();
  using Handler = void (fendral::ui::frmMain::*)();
  const std::vector<std::pair<Handler, QString>> windows = {
      {&fendral::ui::frmMain::cmdHelp_Click, "frmHelp"},
      {&fendral::ui::frmMain::cmdExampleBatch_Click, "frmSampleBatch"},
      {&fendral::ui::frmMain::cmdSampleConfig_Click, "frmSampleConfig"}};
  for (const auto& [handler, name] : windows) {
    // Not every compiler we build with lets lambdas capture structured bindings.
    const Handler show = handler;
    const QString expected = name;
    QWidget* first = nullptr;
    for (int round = 0; round < 2; ++round) {
      EXPECT_TRUE(whileModal([&] { (main.*show)(); },
                             [&](QWidget* modal) {
                               ASSERT_NE(modal, nullptr);
                               EXPECT_EQ(modal->objectName(), expected);
                               EXPECT_EQ(modal->windowModality(), Qt::ApplicationModal);
                               if (!first) first = modal;
                               EXPECT_EQ(modal, first);
                               if (TwoRowTabPanel* tabs = tabsOf(modal)) {
                                 EXPECT_EQ(tabs->currentIndex(), round == 0 ? 5 : 1);
                                 tabs->setCurrentIndex(1);
                               }
                               pressKey(modal, Qt::Key_Escape);
                             }));
    }
  }
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
