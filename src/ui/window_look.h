#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

// The fonts and colours the windows were laid out in. They are set on each window, not on the
// application, so a desktop's font, scheme or font tool cannot cut a caption or darken a page.

namespace fendral::ui {

// Call before the QApplication exists: a point then counts as 4/3 of a pixel whatever the desktop's
// font DPI, so the style's indicators and tab paddings keep the sizes the layout was measured with.
// Scaling the whole desktop still scales the windows, as whole pictures.
void useDesignedDpi();

// The teal of every Fendral window.
inline QColor windowTeal() {
  return {0, 64, 64};
}

// The sans serif of the main window's controls, 9 pt at 96 dots per inch.
QFont controlFont();

// Times New Roman at a size in points, as the window titles use.
QFont titleFont(qreal points);

// The small sans serif of the windows' prose and sample texts.
QFont proseFont();

// The light grey of plain windows, black text, white fields.
QPalette plainPalette();

// White text on teal; fields white with black text.
QPalette tealPalette();

// Black text on the light `page` colour of a tabbed panel's pages.
QPalette pagePalette(const QColor& page);

}  // namespace fendral::ui
