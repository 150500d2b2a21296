#include "ui/frm_sample_batch.h"

#include <QLabel>
#include <QPushButton>

#include "ui/crlf_text_view.h"
#include "ui/sample_texts.h"
#include "ui/screen_reader_names.h"

namespace fendral::ui {

frmSampleBatch::frmSampleBatch(QWidget* parent)
    : FixedTextDialog(parent, QStringLiteral("frmSampleBatch"), QStringLiteral("SampleBatch"), {423, 284}) {
  auto* title = new QLabel(QStringLiteral("Sample 3DFX Batch File"), this);
  title->setObjectName(QStringLiteral("lblSampleBatchTitle"));
  title->setFont(titleFont(15.75));
  title->setGeometry(8, 6, 300, 28);

  const QLabel* intro = addLabel(
      QStringLiteral("lblSampleBatchIntro"),
      QStringLiteral("These lines can go into your batch file to speed up the game with a 3DFX card. "
                     "Select them, copy with Ctrl+C and paste with Ctrl+V. Read the notes below "
                     "first."),
      8, 38, 167);
  addLabel(QStringLiteral("lblSampleBatchWarning"),
           QStringLiteral("Results vary; some lines trade picture quality for speed. SST_GRXCLK=57 "
                          "raises the clock of the 3DFX card and could, though it is unlikely, damage "
                          "it; we have run a card at that value for a year. We take no "
                          "responsibility: use these lines at your own risk."),
           8, intro->geometry().bottom() + 8, 167);

  cmdSampleBatchQuit_ = new QPushButton(QStringLiteral("OK"), this);
  cmdSampleBatchQuit_->setObjectName(QStringLiteral("cmdSampleBatchQuit"));
  cmdSampleBatchQuit_->setGeometry(8 + (167 - 81) / 2, 250, 81, 27);
  connect(cmdSampleBatchQuit_, &QPushButton::clicked, this, &frmSampleBatch::cmdSampleBatchQuit_Click);

  Text1_ = new CrlfTextView(this);
  Text1_->setObjectName(QStringLiteral("Text1"));
  nameForScreenReaders(Text1_, title->text());
  Text1_->setFont(proseFont());
  Text1_->setCrlfText(QString::fromLatin1(kSampleBatchText.data(), kSampleBatchText.size()));
  // Wide enough that no line wraps; the title runs above it.
  Text1_->setGeometry(183, 40, 232, 236);

  setTabOrder(Text1_, cmdSampleBatchQuit_);
  setFocusOnOpen(Text1_);
}

void frmSampleBatch::cmdSampleBatchQuit_Click() {
  hide();
}

}  // namespace fendral::ui
