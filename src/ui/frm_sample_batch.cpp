#include "ui/frm_sample_batch.h"

#include <QLabel>
#include <QPushButton>

#include "ui/crlf_text_view.h"
#include "ui/sample_texts.h"

namespace fendral::ui {

frmSampleBatch::frmSampleBatch(QWidget* parent)
    : FixedTextDialog(parent, QStringLiteral("frmSampleBatch"), QStringLiteral("SampleBatch"), {423, 284}) {
  auto* title = new QLabel(QStringLiteral("Sample 3DFX Batch File"), this);
  title->setObjectName(QStringLiteral("lblSampleBatchTitle"));
  title->setFont(titleFont(15.75));
  title->setGeometry(8, 6, 215, 28);

  addLabel(QStringLiteral("lblSampleBatchIntro"),
           QStringLiteral("These lines can go into your batch file to make the game run faster with a "
                          "3DFX card. Select them and press Ctrl+C to copy, then press Ctrl+V to paste "
                          "them into your file. Please read the notes below first."),
           {8, 40, 210, 80});
  addLabel(QStringLiteral("lblSampleBatchWarning"),
           QStringLiteral("Results can vary, and some lines trade picture quality for speed. "
                          "SST_GRXCLK=57 raises the clock of the 3DFX card and could, though it is "
                          "unlikely, damage it; we have run a card at that value for a year without "
                          "trouble. We take no responsibility: use these lines at your own risk."),
           {8, 124, 210, 116});

  cmdSampleBatchQuit_ = new QPushButton(QStringLiteral("OK"), this);
  cmdSampleBatchQuit_->setObjectName(QStringLiteral("cmdSampleBatchQuit"));
  cmdSampleBatchQuit_->setGeometry(8 + (210 - 81) / 2, 248, 81, 27);
  connect(cmdSampleBatchQuit_, &QPushButton::clicked, this, &frmSampleBatch::cmdSampleBatchQuit_Click);

  Text1_ = new CrlfTextView(this);
  Text1_->setObjectName(QStringLiteral("Text1"));
  Text1_->setFont(proseFont());
  Text1_->setCrlfText(QString::fromLatin1(kSampleBatchText.data(), kSampleBatchText.size()));
  Text1_->setGeometry(226, 8, 189, 268);

  setTabOrder(Text1_, cmdSampleBatchQuit_);
  setFocusOnOpen(Text1_);
}

void frmSampleBatch::cmdSampleBatchQuit_Click() {
  hide();
}

}  // namespace fendral::ui
