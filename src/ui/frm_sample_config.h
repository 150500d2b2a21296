#pragma once

#include "ui/fixed_text_dialog.h"

class QPushButton;

namespace fendral::ui {

class CrlfTextView;

// Sample config commands for a 3DFX card, to copy into the user's own config file.
class frmSampleConfig : public FixedTextDialog {
  Q_OBJECT
 public:
  explicit frmSampleConfig(QWidget* parent = nullptr);

 public slots:
  void cmdSampleConfigQuit_Click();

 private:
  CrlfTextView* txtSampleConfig_;
  QPushButton* cmdSampleConfigQuit_;
};

}  // namespace fendral::ui
