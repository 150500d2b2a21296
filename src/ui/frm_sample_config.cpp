#include "ui/frm_sample_config.h"

#include <QLabel>
#include <QPushButton>

#include "ui/crlf_text_view.h"
#include "ui/sample_texts.h"
#include "ui/screen_reader_names.h"

namespace fendral::ui {

frmSampleConfig::frmSampleConfig(QWidget* parent)
    : FixedTextDialog(parent, QStringLiteral("frmSampleConfig"), QStringLiteral("SampleConfig"), {302, 414}) {
  // A narrow box, so the title wraps over several lines.
  auto* title = new QLabel(QStringLiteral("Sample 3DFX Config File"), this);
  title->setObjectName(QStringLiteral("lblSampleConfigTitle"));
  title->setFont(titleFont(15.75));
  title->setWordWrap(true);
  title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  title->setGeometry(6, 6, 104, 76);

  const QLabel* intro =
      addLabel(QStringLiteral("lblSampleConfigIntro"),
               QStringLiteral("These lines can go into your config file to make the game run faster with a "
                              "3DFX card. Select them and copy with Ctrl+C, then paste them into your file "
                              "with Ctrl+V. Read the notes below first."),
               6, 84, 104);
  addLabel(QStringLiteral("lblSampleConfigNote"),
           QStringLiteral("Each command changes some part of the game: some changes are welcome, "
                          "some remove features. The description of each command is on the line "
                          "below it and can stay in the config file as it is."),
           6, intro->geometry().bottom() + 10, 104);

  txtSampleConfig_ = new CrlfTextView(this);
  txtSampleConfig_->setObjectName(QStringLiteral("txtSampleConfig"));
  nameForScreenReaders(txtSampleConfig_, title->text());
  txtSampleConfig_->setFont(proseFont());
  txtSampleConfig_->setCrlfText(QString::fromLatin1(kSampleConfigText.data(), kSampleConfigText.size()));
  // Wide enough that no line wraps.
  txtSampleConfig_->setGeometry(116, 4, 182, 406);

  cmdSampleConfigQuit_ = new QPushButton(QStringLiteral("OK"), this);
  cmdSampleConfigQuit_->setObjectName(QStringLiteral("cmdSampleConfigQuit"));
  cmdSampleConfigQuit_->setGeometry(6, 380, 81, 27);
  connect(cmdSampleConfigQuit_, &QPushButton::clicked, this, &frmSampleConfig::cmdSampleConfigQuit_Click);

  setTabOrder(cmdSampleConfigQuit_, txtSampleConfig_);
  setFocusOnOpen(cmdSampleConfigQuit_);
}

void frmSampleConfig::cmdSampleConfigQuit_Click() {
  hide();
}

}  // namespace fendral::ui
