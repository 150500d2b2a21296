#include <gtest/gtest.h>

#include <QClipboard>
#include <map>

#include "dialog_harness.h"
#include "ui/crlf_text_view.h"
#include "ui/frm_sample_batch.h"
#include "ui/frm_sample_config.h"
#include "ui/sample_texts.h"

namespace {

// Shows the text byte for byte, lets it be copied exactly and nothing else.
void checkSample(QDialog& window, const char* boxName, std::string_view bytes,
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

}  // namespace

// These are lines the user copies into real files: a stray edit or trimmed blank must not slip in.
TEST(SampleWindows, ShowTheExactTextAndOnlyLetItBeCopied) {
  fendral::ui::frmSampleBatch batch;
  checkSample(batch, "Text1", fendral::ui::kSampleBatchText,
              {{0, "SET SST_SCREENREFRESH=75 "}, {13, "REM Sets gamma correction"}, {14, ""}});
  fendral::ui::frmSampleConfig config;
  checkSample(config, "txtSampleConfig", fendral::ui::kSampleConfigText,
              {{5, "//  Weapons  without particles "},
               {23, "// Smoother mouse"},
               {25, "//  Turns off cd-audio"},
               {26, ""}});
}
