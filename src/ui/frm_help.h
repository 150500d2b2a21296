#pragma once

#include "ui/fixed_text_dialog.h"

class QLabel;
class QPushButton;

namespace fendral::ui {

class TwoRowTabPanel;

// The help window: six tabs of fixed text. It is created once and kept, so it reopens on the
// tab the user last chose.
class frmHelp : public FixedTextDialog {
  Q_OBJECT
 public:
  explicit frmHelp(QWidget* parent = nullptr);

 public slots:
  void cmdQuitHelp_Click();

 private:
  QLabel* lblHelpTitle_;
  TwoRowTabPanel* tabHelp_;
  QPushButton* cmdQuitHelp_;
};

}  // namespace fendral::ui
