#include <gtest/gtest.h>

#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "dialog_harness.h"
#include "pictures.h"
#include "ui/crlf_text_view.h"
#include "ui/frm_sample_batch.h"
#include "ui/frm_sample_config.h"
#include "ui/sample_texts.h"

using fendral::ui::CrlfTextView;

namespace {

struct SampleWindow {
  const char* name;
  std::function<std::unique_ptr<QDialog>()> make;
  const char* title;
  QSize size;
  const char* textBox;
  const char* okButton;
  const char* focusOnOpen;
  std::string_view text;
};

const SampleWindow kWindows[] = {
    {"frmSampleBatch",
     [] { return std::make_unique<fendral::ui::frmSampleBatch>(); },
     "SampleBatch",
     {423, 284},
     "Text1",
     "cmdSampleBatchQuit",
     "Text1",
     fendral::ui::kSampleBatchText},
    {"frmSampleConfig",
     [] { return std::make_unique<fendral::ui::frmSampleConfig>(); },
     "SampleConfig",
     {302, 414},
     "txtSampleConfig",
     "cmdSampleConfigQuit",
     "cmdSampleConfigQuit",
     fendral::ui::kSampleConfigText},
};

QString constant(std::string_view text) {
  return QString::fromLatin1(text.data(), text.size());
}

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find("\r\n", at);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(at));  // a last line without CRLF
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

void PrintTo(const SampleWindow& window, std::ostream* out) {
  *out << window.name;
}

class SampleWindowTest : public ::testing::TestWithParam<SampleWindow> {
 protected:
  void SetUp() override {
    window = GetParam().make();
    box = window->findChild<CrlfTextView*>(GetParam().textBox);
    ok = window->findChild<QPushButton*>(GetParam().okButton);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(ok, nullptr);
  }

  std::unique_ptr<QDialog> window;
  CrlfTextView* box = nullptr;
  QPushButton* ok = nullptr;
};

}  // namespace

// The lines a user copies into real files: a stray edit to the constants must not slip through.
TEST(SampleTexts, KeepTheirOddBlanksAndEndEveryLineInCrlf) {
  const auto batch = linesOf(fendral::ui::kSampleBatchText);
  const auto config = linesOf(fendral::ui::kSampleConfigText);
  ASSERT_EQ(batch.size(), 14u);
  ASSERT_EQ(config.size(), 26u);
  EXPECT_TRUE(fendral::ui::kSampleBatchText.ends_with("REM Sets gamma correction\r\n"));
  EXPECT_TRUE(fendral::ui::kSampleConfigText.ends_with("//  Turns off cd-audio\r\n"));
  EXPECT_EQ(batch[0], "SET SST_SCREENREFRESH=75 ");
  for (size_t i = 0; i < batch.size(); i += 2) EXPECT_TRUE(batch[i].starts_with("SET ")) << batch[i];
  for (size_t i = 1; i < batch.size(); i += 2) EXPECT_TRUE(batch[i].starts_with("REM ")) << batch[i];
  for (size_t i = 1; i < config.size(); i += 2) {
    EXPECT_TRUE(config[i].starts_with(i == 23 ? "// S" : "//  ")) << config[i];
  }
  EXPECT_EQ(config[5], "//  Weapons  without particles ");
  EXPECT_EQ(config[23], "// Smoother mouse");
  for (auto text : {fendral::ui::kSampleBatchText, fendral::ui::kSampleConfigText}) {
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), std::count(text.begin(), text.end(), '\n'));
  }
}

TEST_P(SampleWindowTest, LooksAsDesigned) {
  const SampleWindow& w = GetParam();
  EXPECT_EQ(window->objectName(), w.name);
  EXPECT_EQ(window->windowTitle(), w.title);
  EXPECT_EQ(window->size(), w.size);
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0, 64, 64));
  EXPECT_EQ(ok->text(), "OK");

  EXPECT_TRUE(box->isReadOnly());
  EXPECT_EQ(box->textInteractionFlags(), Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(box->font().family(), "Arial");
  EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 8.25);

  // The title is the one Times New Roman label; the rest of the left column is white on teal.
  int titles = 0;
  for (QLabel* label : window->findChildren<QLabel*>()) {
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    if (label->font().family() == "Times New Roman") {
      ++titles;
      EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 15.75);
      EXPECT_LT(label->x(), 20);
      EXPECT_LT(label->y(), 20);
    }
  }
  EXPECT_EQ(titles, 1);
}

TEST_P(SampleWindowTest, ShowsTheTextByteForByteAndFitsIt) {
  window->show();
  EXPECT_EQ(box->crlfText(), constant(GetParam().text));
  // No scroll bars, so every line must be in view without scrolling.
  EXPECT_LE(box->document()->size().height() * box->fontMetrics().lineSpacing(), box->viewport()->height());
  EXPECT_EQ(box->document()->blockCount(), static_cast<int>(linesOf(GetParam().text).size()) + 1);
  // Every label shows its whole text, inside the window and clear of the other controls.
  std::vector<QWidget*> controls = {box, ok};
  for (QLabel* label : window->findChildren<QLabel*>()) {
    EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->text().toStdString();
    controls.push_back(label);
  }
  for (size_t i = 0; i < controls.size(); ++i) {
    EXPECT_TRUE(window->rect().contains(controls[i]->geometry())) << controls[i]->objectName().toStdString();
    for (size_t j = i + 1; j < controls.size(); ++j) {
      EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
          << controls[i]->objectName().toStdString() << " / " << controls[j]->objectName().toStdString();
    }
  }
  window->hide();
}

TEST_P(SampleWindowTest, TypingChangesNothing) {
  window->show();
  box->setFocus();
  QGuiApplication::clipboard()->setText("pasted");
  typeText(box, "xyz");
  pressKey(box, Qt::Key_Return);
  pressKey(box, Qt::Key_A, Qt::ControlModifier);
  pressKey(box, Qt::Key_Delete);
  pressKey(box, Qt::Key_Backspace);
  pressKey(box, Qt::Key_X, Qt::ControlModifier);
  pressKey(box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box->crlfText(), constant(GetParam().text));
  window->hide();
}

TEST_P(SampleWindowTest, CtrlCCopiesTheExactBytesSelected) {
  window->show();
  QClipboard* clipboard = QGuiApplication::clipboard();

  pressKey(box, Qt::Key_A, Qt::ControlModifier);
  pressKey(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), constant(GetParam().text));

  // Two whole lines from the middle, then a part of one line.
  const auto lines = linesOf(GetParam().text);
  QTextCursor cursor(box->document()->findBlockByNumber(2));
  cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 2);
  box->setTextCursor(cursor);
  pressKey(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), constant(lines[2]) + "\r\n" + constant(lines[3]) + "\r\n");

  cursor = QTextCursor(box->document()->findBlockByNumber(1));
  cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 2);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  box->setTextCursor(cursor);
  pressKey(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), constant(lines[1].substr(2)));
  window->hide();
}

TEST_P(SampleWindowTest, IsApplicationModalUntilOkHidesIt) {
  QWidget mainWindow;
  mainWindow.setObjectName("frmMain");
  mainWindow.setGeometry(300, 200, 361, 336);
  mainWindow.show();
  for (int round = 0; round < 2; ++round) {
    bool timedOut = false;
    execWith(
        *window,
        [&] {
          EXPECT_EQ(QApplication::activeModalWidget(), window.get());
          EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
          EXPECT_EQ(window->focusWidget()->objectName(), GetParam().focusOnOpen);
          EXPECT_NEAR(window->geometry().center().x(), mainWindow.geometry().center().x(), 2);
          EXPECT_NEAR(window->geometry().center().y(), mainWindow.geometry().center().y(), 2);
          // The focus moves away, and must come back to its place when the window reopens.
          (round == 0 ? ok : static_cast<QWidget*>(box))->setFocus();
          clickOn(ok);
        },
        &timedOut);
    EXPECT_FALSE(timedOut) << "OK did not end the modal showing";
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }

  bool timedOut = false;
  execWith(
      *window, [&] { pressKey(box, Qt::Key_Escape); }, &timedOut);
  EXPECT_FALSE(timedOut) << "Escape did not end the modal showing";
  execWith(
      *window, [&] { window->close(); }, &timedOut);
  EXPECT_FALSE(timedOut) << "closing did not end the modal showing";
  EXPECT_EQ(box->crlfText(), constant(GetParam().text));
}

TEST_P(SampleWindowTest, Picture) {
  window->show();
  EXPECT_TRUE(savePicture(*window, GetParam().name));
  window->hide();
}

INSTANTIATE_TEST_SUITE_P(BothSamples, SampleWindowTest, ::testing::ValuesIn(kWindows),
                         [](const auto& info) { return std::string(info.param.name); });
