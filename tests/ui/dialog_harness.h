#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Runs `inside` from within the dialog's modal loop, then returns what exec() returned. When
// `inside` leaves the dialog open, a watchdog hides it so a broken close shows up as a test
// failure instead of a hang; `timedOut` says whether it had to.
inline int execWith(QDialog& dialog, const std::function<void()>& inside, bool* timedOut = nullptr) {
  bool watchdogFired = false;
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, &dialog, [&] {
    watchdogFired = true;
    dialog.hide();
  });
  QTimer::singleShot(0, &dialog, [&] {
    QApplication::processEvents();
    inside();
    watchdog.start(3000);
  });
  const int result = dialog.exec();
  if (timedOut) *timedOut = watchdogFired;
  return result;
}

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

// Plain synthetic input, delivered as a non-spontaneous event: Qt still offers key presses to
// shortcuts (mnemonics) first, as it does for real typing.
inline void clickOn(QWidget* widget, QPoint at = {-1, -1}) {
  if (at == QPoint(-1, -1)) at = widget->rect().center();
  const QPointF local(at);
  const QPointF global(widget->mapToGlobal(at));
  QPointer<QWidget> target(widget);
  QMouseEvent press(QEvent::MouseButtonPress, local, local, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  if (!target) return;
  QMouseEvent release(QEvent::MouseButtonRelease, local, local, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

inline void pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = {}) {
  QPointer<QWidget> target(widget);
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(widget, &press);
  if (!target) return;
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(widget, &release);
}

inline void typeText(QWidget* widget, const QString& text) {
  for (QChar c : text) pressKey(widget, c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

// Runs `open` (a handler that shows a window modally and returns when it is closed) and, from
// within the modal loop, `inside` with the window that is modal then. Returns false when the
// watchdog had to close the window.
inline bool whileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inside) {
  bool closedByWatchdog = false;
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    closedByWatchdog = true;
    if (QWidget* modal = QApplication::activeModalWidget()) modal->hide();
  });
  QTimer::singleShot(0, [&] {
    QApplication::processEvents();
    inside(QApplication::activeModalWidget());
    watchdog.start(3000);
  });
  open();
  return !closedByWatchdog;
}
