#pragma once

class QWidget;

namespace fendral::ui {

// Lets Return and keypad Enter press the focused button anywhere in `window`, as Space does.
// Push buttons outside a dialog ignore Enter on their own; the key then travels up to the window,
// where this catches it.
void pressFocusedButtonOnEnter(QWidget* window);

}  // namespace fendral::ui
