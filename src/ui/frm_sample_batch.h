#pragma once

#include <QDialog>

namespace fendral::ui {

// Placeholder until the window is built.
class frmSampleBatch : public QDialog {
  Q_OBJECT
 public:
  explicit frmSampleBatch(QWidget* parent = nullptr);
};

}  // namespace fendral::ui
