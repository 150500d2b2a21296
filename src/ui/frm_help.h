#pragma once

#include <QDialog>

namespace fendral::ui {

// Placeholder until the window is built.
class frmHelp : public QDialog {
  Q_OBJECT
 public:
  explicit frmHelp(QWidget* parent = nullptr);
};

}  // namespace fendral::ui
