#pragma once

#include <QDialog>

namespace fendral::ui {

// Placeholder until the window is built.
class frmSampleConfig : public QDialog {
  Q_OBJECT
 public:
  explicit frmSampleConfig(QWidget* parent = nullptr);
};

}  // namespace fendral::ui
