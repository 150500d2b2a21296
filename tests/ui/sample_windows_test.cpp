#include <gtest/gtest.h>

#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "dialog_harness.h"
#include "pictures.h"
#include "ui/crlf_text_view.h"
#include "ui/frm_sample_batch.h"
#include "ui/frm_sample_config.h"
#include "ui/sample_texts.h"

using fendral::ui::CrlfTextView;
using fendral::ui::kSampleBatchText;
using fendral::ui::kSampleConfigText;

namespace {

struct SampleWindow {
  const char* name;
  std::function<std::unique_ptr<QDialog>()> make;
  const char* textBox;
  const char* okButton;
  std::string_view text;
};

void PrintTo(const SampleWindow& window, std::ostream* out) {
  *out << window.name;
}

const SampleWindow kWindows[] = {
    {"frmSampleBatch", [] { return std::make_unique<fendral::ui::frmSampleBatch>(); }, "Text1",
     "cmdSampleBatchQuit", kSampleBatchText},
    {"frmSampleConfig", [] { return std::make_unique<fendral::ui::frmSampleConfig>(); }, "txtSampleConfig",
     "cmdSampleConfigQuit", kSampleConfigText},
};

QString qs(std::string_view text) {
  return QString::fromLatin1(text.data(), text.size());
}

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t end = std::min(text.find("\r\n", at), text.size());
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

class SampleWindowTest : public ::testing::TestWithParam<SampleWindow> {
 protected:
  void SetUp() override {
    window = GetParam().make();
    box = window->findChild<CrlfTextView*>(GetParam().textBox);
    ok = window->findChild<QPushButton*>(GetParam().okButton);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(ok, nullptr);
    window->show();
  }

  std::unique_ptr<QDialog> window;
  CrlfTextView* box = nullptr;
  QPushButton* ok = nullptr;
};

}  // namespace

// These are lines the user copies into real files: a stray edit or trimmed blank must not slip in.
TEST(SampleTexts, KeepTheirOddBlanksAndEndEveryLineInCrlf) {
  const auto batch = linesOf(kSampleBatchText);
  const auto config = linesOf(kSampleConfigText);
  ASSERT_EQ(batch.size(), 14u);
  ASSERT_EQ(config.size(), 26u);
  EXPECT_TRUE(kSampleBatchText.ends_with("REM Sets gamma correction\r\n"));
  EXPECT_TRUE(kSampleConfigText.ends_with("//  Turns off cd-audio\r\n"));
  EXPECT_EQ(batch[0], "SET SST_SCREENREFRESH=75 ");
  EXPECT_EQ(config[5], "//  Weapons  without particles ");
  EXPECT_EQ(config[23], "// Smoother mouse");
  for (auto text : {kSampleBatchText, kSampleConfigText}) {
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), std::count(text.begin(), text.end(), '\n'));
  }
}

TEST_P(SampleWindowTest, ShowsTheWholeTextByteForByteWithNothingCutOff) {
  EXPECT_EQ(box->crlfText(), qs(GetParam().text));
  // No scroll bars, so every line must be in view whole. The plain text layout measures the
  // document in lines, wrapped ones counted, so one line per block means nothing wraps.
  const int blocks = static_cast<int>(linesOf(GetParam().text).size()) + 1;
  EXPECT_EQ(box->document()->size().height(), blocks);
  EXPECT_LE(blocks * box->fontMetrics().lineSpacing() + 2 * box->document()->documentMargin(),
            box->viewport()->height());

  // Every label shows its whole text, inside the window and clear of the other controls.
  std::vector<QWidget*> controls = {box, ok};
  for (QLabel* label : window->findChildren<QLabel*>()) {
    EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->text().toStdString();
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    controls.push_back(label);
  }
  for (size_t i = 0; i < controls.size(); ++i) {
    EXPECT_TRUE(window->rect().contains(controls[i]->geometry())) << controls[i]->objectName().toStdString();
    for (size_t j = i + 1; j < controls.size(); ++j) {
      EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
          << controls[i]->objectName().toStdString() << " / " << controls[j]->objectName().toStdString();
    }
  }
}

TEST_P(SampleWindowTest, TypingChangesNothingAndCtrlCCopiesTheExactBytes) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText("pasted");
  typeText(box, "xyz");
  for (int key : {Qt::Key_Return, Qt::Key_Delete, Qt::Key_Backspace}) pressKey(box, key);
  pressKey(box, Qt::Key_A, Qt::ControlModifier);
  for (int key : {Qt::Key_X, Qt::Key_V, Qt::Key_Z}) pressKey(box, key, Qt::ControlModifier);
  EXPECT_EQ(box->crlfText(), qs(GetParam().text));

  pressKey(box, Qt::Key_A, Qt::ControlModifier);
  pressKey(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), qs(GetParam().text));

  // Two whole lines from the middle.
  const auto lines = linesOf(GetParam().text);
  QTextCursor cursor(box->document()->findBlockByNumber(2));
  cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 2);
  box->setTextCursor(cursor);
  pressKey(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), qs(lines[2]) + "\r\n" + qs(lines[3]) + "\r\n");
}

TEST_P(SampleWindowTest, Picture) {
  EXPECT_TRUE(savePicture(*window, GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(BothSamples, SampleWindowTest, ::testing::ValuesIn(kWindows),
                         [](const auto& info) { return std::string(info.param.name); });
