#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
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
  const QPointF local(at == QPoint(-1, -1) ? widget->rect().center() : at);
  const QPointF global(widget->mapToGlobal(local));
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const auto buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, local, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
  }
}

inline void pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = {}) {
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, key, modifiers, text);
    QApplication::sendEvent(widget, &event);
  }
}

inline void typeText(QWidget* widget, const QString& text) {
  for (QChar c : text) pressKey(widget, c.toUpper().unicode(), Qt::NoModifier, QString(c));
}
