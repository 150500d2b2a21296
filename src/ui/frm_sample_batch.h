#pragma once

#include "ui/fixed_text_dialog.h"

class QPushButton;

namespace fendral::ui {

class CrlfTextView;

// Sample lines for a batch file that tunes a 3DFX card, to copy into the user's own.
class frmSampleBatch : public FixedTextDialog {
  Q_OBJECT
 public:
  explicit frmSampleBatch(QWidget* parent = nullptr);

 public slots:
  void cmdSampleBatchQuit_Click();

 private:
  CrlfTextView* Text1_;
  QPushButton* cmdSampleBatchQuit_;
};

}  // namespace fendral::ui
