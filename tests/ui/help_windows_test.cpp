#include <gtest/gtest.h>

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <memory>
#include <utility>
#include <vector>

#include "dialog_harness.h"
#include "main_window_fixture.h"
#include "pictures.h"
#include "ui/frm_help.h"
#include "ui/frm_main.h"
#include "ui/help_texts.h"
#include "ui/two_row_tab_panel.h"

using fendral::ui::frmHelp;
using fendral::ui::TwoRowTabPanel;

namespace {

const QStringList kCaptions = {"The Basics",        "Launching Games", "About...",
                               "Program Locations", "Game Settings",   "Custom Games"};

TwoRowTabPanel* tabsOf(frmHelp& help) {
  return help.findChild<TwoRowTabPanel*>("tabHelp");
}
QPushButton* okOf(frmHelp& help) {
  return help.findChild<QPushButton*>("cmdQuitHelp");
}

void clickTab(TwoRowTabPanel& tabs, int index) {
  const QPoint at = tabs.tabRect(index).center();
  QWidget* strip = tabs.childAt(at);
  clickOn(strip, strip->mapFrom(&tabs, at));
}

QStringList labelTexts(QWidget* page) {
  QStringList texts;
  for (QLabel* label : page->findChildren<QLabel*>()) texts << label->text();
  return texts;
}

}  // namespace

TEST(HelpWindow, LooksAsDesigned) {
  frmHelp help;
  EXPECT_EQ(help.objectName(), "frmHelp");
  EXPECT_EQ(help.windowTitle(), "Fendral Help");
  EXPECT_EQ(help.size(), QSize(365, 379));
  EXPECT_EQ(help.minimumSize(), help.maximumSize());
  EXPECT_EQ(help.palette().color(QPalette::Window), QColor(0, 64, 64));

  auto* title = help.findChild<QLabel*>("lblHelpTitle");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), "Fendral   Help");
  EXPECT_EQ(title->font().family(), "Times New Roman");
  EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 18.0);
  EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(Qt::white));

  TwoRowTabPanel* tabs = tabsOf(help);
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->count(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(tabs->tabText(i), kCaptions[i]);
  EXPECT_EQ(tabs->rowCount(), 2);
  EXPECT_EQ(tabs->currentIndex(), 5);

  QPushButton* ok = okOf(help);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "&Ok");
  EXPECT_NEAR(ok->geometry().center().x(), tabs->geometry().center().x(), 2);
  EXPECT_GT(ok->y(), tabs->geometry().bottom());
}

TEST(HelpWindow, PagesCarryTheirHeadingsInBlackAndProseInTeal) {
  frmHelp help;
  TwoRowTabPanel* tabs = tabsOf(help);
  const std::vector<QStringList> headings = {
      {},
      {},
      {},
      {"CD DRIVE LETTER:", " PATH TO YOUR QUAKE2 FOLDER:", "ANY EXTRA COMAND LINE OPTIONS:", "NOTE:"},
      {"STANDARD CONFIG FILE:", "USE CDAUDIO AND JOYSTICK:", "BATCH FILE USE:"},
      {"FOR STARTERS:", "DESCRIPTION:", "SUBDIRECTORY:", "CUSTOM CONFIG:"},
  };
  for (int i = 0; i < tabs->count(); ++i) {
    SCOPED_TRACE(kCaptions[i].toStdString());
    QStringList black;
    int teal = 0;
    for (QLabel* label : tabs->widget(i)->findChildren<QLabel*>()) {
      const QColor colour = label->palette().color(QPalette::WindowText);
      if (colour == QColor(0, 64, 64)) {
        ++teal;
        EXPECT_TRUE(label->wordWrap());
      } else {
        EXPECT_EQ(colour, QColor(Qt::black)) << label->text().toStdString();
        black << label->text();
      }
    }
    EXPECT_GE(teal, 1);
    if (i == 2) {
      EXPECT_EQ(black.first(), "Fendral v.95b");
      EXPECT_DOUBLE_EQ(tabs->widget(i)->findChildren<QLabel*>().first()->font().pointSizeF(), 20.25);
    } else {
      EXPECT_EQ(black, headings[i]);
    }
  }
}

TEST(HelpWindow, AboutPageNamesNoPersonOrAddress) {
  for (const auto& tab : fendral::ui::helpTabs()) {
    for (const auto& item : tab.items) {
      const QString text = QString::fromUtf8(item.text);
      EXPECT_FALSE(text.contains('@')) << item.text;
      EXPECT_FALSE(text.contains("http")) << item.text;
      EXPECT_FALSE(text.contains("www.")) << item.text;
      EXPECT_FALSE(text.contains('#')) << item.text;
    }
  }
}

TEST(HelpWindow, EveryPageFitsItsTab) {
  frmHelp help;
  help.show();
  TwoRowTabPanel* tabs = tabsOf(help);
  for (int i = 0; i < tabs->count(); ++i) {
    QWidget* page = tabs->widget(i);
    SCOPED_TRACE(kCaptions[i].toStdString());
    // Pages other than the current one keep a stale size until shown, so ask for the page area's.
    EXPECT_LE(page->layout()->totalHeightForWidth(tabs->pageRect().width()), tabs->pageRect().height());
    EXPECT_TRUE(labelTexts(page).size() > 0);
  }
  help.hide();
}

TEST(HelpWindow, KeepsTheChosenTabAcrossOkAndReopening) {
  QWidget main;  // only needs the main window's name and place
  main.setObjectName("frmMain");
  main.setGeometry(200, 150, 361, 336);
  main.show();

  frmHelp first;
  TwoRowTabPanel* tabs = tabsOf(first);
  bool timedOut = false;
  execWith(
      first,
      [&] {
        EXPECT_EQ(tabs->currentIndex(), 5);
        EXPECT_TRUE(tabs->widget(5)->isVisible());
        EXPECT_EQ(first.focusWidget(), okOf(first));
        EXPECT_EQ(QApplication::activeModalWidget(), &first);
        EXPECT_NEAR(first.geometry().center().x(), main.geometry().center().x(), 2);
        EXPECT_NEAR(first.geometry().center().y(), main.geometry().center().y(), 2);
        clickTab(*tabs, 0);
        EXPECT_EQ(tabs->currentIndex(), 0);
        clickOn(okOf(first));
      },
      &timedOut);
  EXPECT_FALSE(timedOut);
  EXPECT_FALSE(first.isVisible());

  execWith(
      first,
      [&] {
        EXPECT_EQ(tabs->currentIndex(), 0);
        EXPECT_TRUE(tabs->widget(0)->isVisible());
        EXPECT_EQ(first.focusWidget(), okOf(first));
        first.cmdQuitHelp_Click();
      },
      &timedOut);
  EXPECT_FALSE(timedOut);
}

TEST(HelpWindow, AltOEscapeAndTitleBarCloseAllJustHide) {
  frmHelp help;
  TwoRowTabPanel* tabs = tabsOf(help);
  bool timedOut = false;

  execWith(
      help, [&] { pressKey(&help, Qt::Key_O, Qt::AltModifier); }, &timedOut);
  EXPECT_FALSE(timedOut) << "Alt+O did not close the window";

  execWith(
      help,
      [&] {
        tabs->setCurrentIndex(3);
        pressKey(okOf(help), Qt::Key_Escape);
      },
      &timedOut);
  EXPECT_FALSE(timedOut) << "Escape did not close the window";
  EXPECT_EQ(tabs->currentIndex(), 3);

  execWith(
      help, [&] { help.close(); }, &timedOut);
  EXPECT_FALSE(timedOut) << "closing did not end the modal showing";
  EXPECT_FALSE(help.isVisible());
  EXPECT_EQ(tabs->currentIndex(), 3);
}

TEST(HelpWindow, Pictures) {
  frmHelp help;
  help.show();
  TwoRowTabPanel* tabs = tabsOf(help);
  EXPECT_TRUE(savePicture(help, "frmHelp"));
  const QStringList names = {"basics", "launching", "about", "locations", "settings", "custom"};
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    EXPECT_TRUE(savePicture(help, "frmHelp_" + names[i]));
  }
  help.hide();
}

// Through the real main window: each window is made once, kept, and blocks the main window.
class HelpFromMainWindow : public MainWindowTest {};

TEST_F(HelpFromMainWindow, EachWindowIsMadeOnceAndReopensAsItWasLeft) {
  fendral::ui::frmMain& main = open();
  main.show();

  QWidget* firstHelp = nullptr;
  EXPECT_TRUE(whileModal([&] { main.cmdHelp_Click(); },
                         [&](QWidget* modal) {
                           ASSERT_NE(modal, nullptr);
                           firstHelp = modal;
                           EXPECT_EQ(modal->objectName(), "frmHelp");
                           EXPECT_EQ(modal->windowModality(), Qt::ApplicationModal);
                           EXPECT_EQ(modal->parentWidget(), nullptr);
                           auto* tabs = modal->findChild<TwoRowTabPanel*>("tabHelp");
                           EXPECT_EQ(tabs->currentIndex(), 5);
                           tabs->setCurrentIndex(1);
                           clickOn(modal->findChild<QPushButton*>("cmdQuitHelp"));
                         }));
  EXPECT_TRUE(whileModal([&] { main.cmdHelp_Click(); },
                         [&](QWidget* modal) {
                           EXPECT_EQ(modal, firstHelp);
                           EXPECT_EQ(modal->findChild<TwoRowTabPanel*>("tabHelp")->currentIndex(), 1);
                           pressKey(modal, Qt::Key_O, Qt::AltModifier);
                         }));

  const std::vector<std::pair<void (fendral::ui::frmMain::*)(), const char*>> samples = {
      {&fendral::ui::frmMain::cmdExampleBatch_Click, "frmSampleBatch"},
      {&fendral::ui::frmMain::cmdSampleConfig_Click, "frmSampleConfig"}};
  for (const auto& [handler, name] : samples) {
    QWidget* first = nullptr;
    for (int round = 0; round < 2; ++round) {
      EXPECT_TRUE(whileModal([&, handler = handler] { (main.*handler)(); },
                             [&, name = name](QWidget* modal) {
                               ASSERT_NE(modal, nullptr);
                               EXPECT_EQ(modal->objectName(), name);
                               if (!first) first = modal;
                               EXPECT_EQ(modal, first);
                               pressKey(modal, Qt::Key_Escape);
                             }));
    }
  }
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
