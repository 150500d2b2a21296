#include <gtest/gtest.h>

#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <map>

#include "dialog_harness.h"
#include "ui/crlf_text_view.h"
#include "ui/frm_sample_batch.h"
#include "ui/frm_sample_config.h"
#include "ui/sample_texts.h"

namespace {

// Shows the text whole and byte for byte, lets it be copied exactly and nothing else.
void checkSample(QDialog& window, const char* boxName, const char* okName, std::string_view bytes,
                 const std::map<int, QString>& oddLines) {
  const QString text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const QStringList lines = text.split("\r\n");  // the last one empty: every line ends in CRLF
  EXPECT_EQ(lines.size(), oddLines.rbegin()->first + 1);
  for (const auto& [index, line] : oddLines) EXPECT_EQ(lines.value(index), line);
  EXPECT_EQ(text.count('\r'), text.count('\n'));

  window.show();
  auto* box = window.findChild<fendral::ui::CrlfTextView*>(boxName);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->crlfText(), text);
  // No scroll bars, so every line must be in view whole. The plain text layout measures the
  // document in lines, wrapped ones counted, so one line per block means nothing wraps.
  EXPECT_EQ(box->document()->size().height(), lines.size());
  EXPECT_LE(lines.size() * box->fontMetrics().lineSpacing() + 2 * box->document()->documentMargin(),
            box->viewport()->height());
  // Every label shows its whole text, inside the window and clear of the other controls.
  std::vector<QWidget*> controls = {box, window.findChild<QPushButton*>(okName)};
  for (QLabel* label : window.findChildren<QLabel*>()) {
    EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->text().toStdString();
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    controls.push_back(label);
  }
  for (size_t i = 0; i < controls.size(); ++i) {
    EXPECT_TRUE(window.rect().contains(controls[i]->geometry())) << i;
    for (size_t j = i + 1; j < controls.size(); ++j)
      EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry())) << i << " / " << j;
  }

  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText("pasted");
  typeText(box, "xyz");
  for (int key : {Qt::Key_Return, Qt::Key_Delete, Qt::Key_Backspace}) pressKey(box, key);
  for (int key : {Qt::Key_A, Qt::Key_X, Qt::Key_V, Qt::Key_Z}) pressKey(box, key, Qt::ControlModifier);
  EXPECT_EQ(box->crlfText(), text);
  pressKey(box, Qt::Key_A, Qt::ControlModifier);
  pressKey(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), text);
  QTextCursor cursor(box->document()->findBlockByNumber(2));  // two whole lines from the middle
  cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 2);
  box->setTextCursor(cursor);
  pressKey(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), lines[2] + "\r\n" + lines[3] + "\r\n");
}

}  // namespace

// These are lines the user copies into real files: a stray edit or trimmed blank must not slip in.
TEST(SampleWindows, ShowTheExactTextWholeAndOnlyLetItBeCopied) {
  fendral::ui::frmSampleBatch batch;
  checkSample(batch, "Text1", "cmdSampleBatchQuit", fendral::ui::kSampleBatchText,
              {{0, "SET SST_SCREENREFRESH=75 "}, {13, "REM Sets gamma correction"}, {14, ""}});
  fendral::ui::frmSampleConfig config;
  checkSample(config, "txtSampleConfig", "cmdSampleConfigQuit", fendral::ui::kSampleConfigText,
              {{5, "//  Weapons  without particles "},
               {23, "// Smoother mouse"},
               {25, "//  Turns off cd-audio"},
               {26, ""}});
}
