#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs `open` (something that shows a window modally and returns once it is closed) and, from
// within the modal loop, `inside` with the window that is modal then. A watchdog closes the
// window when `inside` left it open; the result is false then, so a broken close fails a test
// instead of hanging it.
inline bool whileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inside) {
  bool stuck = false;
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    stuck = true;
    if (QWidget* modal = QApplication::activeModalWidget()) modal->hide();
  });
  QTimer::singleShot(0, [&] {
    QApplication::processEvents();
    inside(QApplication::activeModalWidget());
    watchdog.start(3000);
  });
  open();
  return !stuck;
}

// A plain key event, delivered non-spontaneously: Qt still offers it to shortcuts (mnemonics)
// first, as it does for real typing.
inline void pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = {}) {
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, key, modifiers, text);
    QApplication::sendEvent(widget, &event);
  }
}

// Shows `window` and makes it the active one, so focus changes reach its widgets as they would on
// a desktop.
inline bool showActive(QWidget* window) {
  window->show();
  window->activateWindow();
  QApplication::processEvents();
  return window->isActiveWindow();
}
