#pragma once

#include <QPushButton>

namespace fendral::ui {

// A button that shows only its picture on a faint, rounded pane of its own, lighter under the
// mouse, darker while pressed and edged in white while it has the focus. Painted by hand: a
// style sheet per button would cost every start a style of its own for each.
class PictureButton : public QPushButton {
  Q_OBJECT
 public:
  explicit PictureButton(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace fendral::ui
