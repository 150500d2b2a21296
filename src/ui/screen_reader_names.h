#pragma once

#include <QString>

class QWidget;

namespace fendral::ui {

// Names `widget` for screen readers. Qt's own setter builds the widget's accessibility interface
// at once, whether anyone listens or not; so until a screen reader listens the name only waits on
// the widget, and it reaches Qt when one starts.
void nameForScreenReaders(QWidget* widget, const QString& name);

// Once, after the QApplication exists: hands the waiting names over when a screen reader starts.
void handOverNamesWhenListened();

}  // namespace fendral::ui
