#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <functional>

// Runs `open` (something that shows a window modally and returns once it is closed) and, from
// within the modal loop, `inside` with the window that is modal then. A watchdog closes the
// window when `inside` left it open; the result is false then, so a broken close fails a test
// instead of hanging it.
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

// Plain synthetic input, delivered as non-spontaneous events: Qt still offers key presses to
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
