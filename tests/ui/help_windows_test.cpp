#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <functional>

#include "dialog_harness.h"
#include "main_window_fixture.h"
#include "ui/frm_help.h"
#include "ui/two_row_tab_panel.h"

using fendral::ui::TwoRowTabPanel;

TEST(HelpWindow, PagesHoldTheirHeadingsInBlackAndProseInTealAndFit) {
  fendral::ui::frmHelp help;
  help.show();
  EXPECT_EQ(help.findChild<QLabel*>("lblHelpTitle")->text(), "Fendral   Help");
  auto* tabs = help.findChild<TwoRowTabPanel*>("tabHelp");
  const std::pair<QString, QStringList> pages[] = {
      {"The Basics", {}},
      {"Launching Games", {}},
      {"About...", {"Fendral v.95b", "The Fendral team"}},
      {"Program Locations",
       {"CD DRIVE LETTER:", " PATH TO YOUR QUAKE2 FOLDER:", "ANY EXTRA COMAND LINE OPTIONS:", "NOTE:"}},
      {"Game Settings", {"STANDARD CONFIG FILE:", "USE CDAUDIO AND JOYSTICK:", "BATCH FILE USE:"}},
      {"Custom Games", {"FOR STARTERS:", "DESCRIPTION:", "SUBDIRECTORY:", "CUSTOM CONFIG:"}},
  };
  ASSERT_EQ(tabs->count(), 6);
  EXPECT_EQ(tabs->rowCount(), 2);
  for (int i = 0; i < tabs->count(); ++i) {
    SCOPED_TRACE(pages[i].first.toStdString());
    EXPECT_EQ(tabs->tabText(i), pages[i].first);
    QStringList black;
    int teal = 0;
    for (QLabel* label : tabs->widget(i)->findChildren<QLabel*>()) {
      const QColor color = label->palette().color(QPalette::WindowText);
      teal += color == QColor(0, 64, 64);
      EXPECT_TRUE(color != QColor(0, 64, 64) || label->wordWrap()) << label->text().toStdString();
      if (color == QColor(Qt::black)) black << label->text();
    }
    EXPECT_GE(teal, 1);
    EXPECT_EQ(black, pages[i].second);
    // Pages other than the current one keep a stale size until shown, so ask for the page area's.
    EXPECT_LE(tabs->widget(i)->layout()->totalHeightForWidth(tabs->pageRect().width()),
              tabs->pageRect().height());
  }
}

// Through the real main window: each window is made once, kept, shown application modal and
// centred over it; every way of closing it keeps it as it was left, focus back in its place.
class HelpFromMainWindow : public MainWindowTest {};

TEST_F(HelpFromMainWindow, EachWindowIsMadeOnceAndReopensAsItWasLeft) {
  using fendral::ui::frmMain;
  frmMain& main = open();
  main.show();
  const struct {
    void (frmMain::*show)();
    QString name, ok, focus, elsewhere;
  } windows[] = {{&frmMain::cmdHelp_Click, "frmHelp", "cmdQuitHelp", "cmdQuitHelp", "tabHelp"},
                 {&frmMain::cmdExampleBatch_Click, "frmSampleBatch", "cmdSampleBatchQuit", "Text1",
                  "cmdSampleBatchQuit"},
                 {&frmMain::cmdSampleConfig_Click, "frmSampleConfig", "cmdSampleConfigQuit",
                  "cmdSampleConfigQuit", "txtSampleConfig"}};
  for (const auto& w : windows) {
    SCOPED_TRACE(w.name.toStdString());
    const bool help = w.name == "frmHelp";
    const std::function<void(QWidget*)> closes[] = {
        [&](QWidget* modal) { clickOn(modal->findChild<QPushButton*>(w.ok)); },
        [](QWidget* modal) { pressKey(modal, Qt::Key_Escape); },
        [](QWidget* modal) { modal->close(); },  // the title bar
        [&](QWidget* modal) { help ? pressKey(modal, Qt::Key_O, Qt::AltModifier) : modal->hide(); },
    };
    QWidget* first = nullptr;
    int tab = 5;
    for (const auto& close : closes) {
      const auto inside = [&](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        if (!first) first = modal;
        EXPECT_EQ(modal, first);
        EXPECT_EQ(modal->objectName(), w.name);
        EXPECT_EQ(modal->windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(modal->focusWidget()->objectName(), w.focus);
        EXPECT_LE((modal->frameGeometry().center() - main.frameGeometry().center()).manhattanLength(), 4);
        if (auto* tabs = modal->findChild<TwoRowTabPanel*>("tabHelp")) {
          EXPECT_EQ(tabs->currentIndex(), tab);
          QWidget* strip = tabs->childAt(tabs->tabRect(0).center());
          tab = (tab + 1) % 6;
          clickOn(strip, strip->mapFrom(tabs, tabs->tabRect(tab).center()));
        }
        modal->findChild<QWidget*>(w.elsewhere)->setFocus();
        close(modal);
      };
      EXPECT_TRUE(whileModal([&] { (main.*w.show)(); }, inside));
    }
    if (auto* tabs = first->findChild<TwoRowTabPanel*>("tabHelp")) {
      EXPECT_EQ(tabs->currentIndex(), 3);
    }
  }
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
