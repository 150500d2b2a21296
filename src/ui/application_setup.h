#pragma once

namespace fendral::ui {

// What every window of the application shares, set once after the QApplication exists: the
// window icon and what screen readers are told about Fendral's own kinds of widget.
void prepareApplication();

}  // namespace fendral::ui
