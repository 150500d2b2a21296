#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "ui/crlf_text_view.h"
#include "ui/desktop_platform.h"
#include "ui/frm_sample_batch.h"
#include "ui/frm_sample_config.h"
#include "ui/sample_texts.h"
#include "ui/two_row_tab_panel.h"
#include "ui_harness.h"

using fendral::ui::frmMain;

// Through the real main window: each window is made once and kept, so every way of closing it
// only hides it, the help reopens on the tab it was left on, every opening, the first too, is
// centred over the main window wherever that stands now, and puts the focus on the same control.
TEST_F(MainWindowTest, EachDialogIsMadeOnceAndReopensAsItWasLeft) {
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
    const auto ok = [&](QWidget* modal) { return modal->findChild<QPushButton*>(w.ok); };
    const std::function<void(QWidget*)> closes[] = {
        [&](QWidget* modal) { ok(modal)->setFocus(), pressKey(ok(modal), Qt::Key_Return); },
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
                               if (auto* tabs = modal->findChild<fendral::ui::TwoRowTabPanel*>()) {
                                 EXPECT_EQ(tabs->currentIndex(), tab);
                                 tabs->setCurrentIndex(tab = (tab + 1) % 6);
                               }
                               closes[way](modal);
                             }))
          << way;
    }
  }
}

// These are lines the user copies into real files: a stray edit or trimmed blank must not slip in.
TEST(SampleWindows, ShowTheExactTextAndOnlyLetItBeCopied) {
  fendral::ui::frmSampleBatch batch;
  fendral::ui::frmSampleConfig config;
  const std::tuple<QDialog*, const char*, std::string_view> samples[] = {
      {&batch, "Text1", fendral::ui::kSampleBatchText},
      {&config, "txtSampleConfig", fendral::ui::kSampleConfigText}};
  for (const auto& [window, boxName, bytes] : samples) {
    const QString text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    window->show();
    auto* box = window->findChild<fendral::ui::CrlfTextView*>(boxName);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->crlfText(), text);

    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("pasted");
    for (int key : {Qt::Key_Return, Qt::Key_Delete, Qt::Key_Backspace}) pressKey(box, key);
    pressKey(box, Qt::Key_X, Qt::NoModifier, "x");
    for (int key : {Qt::Key_A, Qt::Key_X, Qt::Key_V, Qt::Key_Z}) pressKey(box, key, Qt::ControlModifier);
    EXPECT_EQ(box->crlfText(), text);
    pressKey(box, Qt::Key_A, Qt::ControlModifier);
    pressKey(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), text);
  }
}

// A prompt can carry a file name the user typed: it reads exactly as composed, never as markup.
TEST(DesktopMessage, ShowsThePromptAsPlainText) {
  const std::string prompt = "<b>B</b>  &amp; x.bat was not found!";
  fendral::ui::DesktopPlatform platform;
  EXPECT_TRUE(whileModal([&] { platform.message(prompt); },
                         [&](QWidget* box) {
                           auto* label = box->findChild<QLabel*>("qt_msgbox_label");
                           ASSERT_NE(label, nullptr);
                           EXPECT_EQ(label->text().toStdString(), prompt);
                           EXPECT_EQ(label->textFormat(), Qt::PlainText);
                           pressKey(box, Qt::Key_Escape);
                         }));
}
