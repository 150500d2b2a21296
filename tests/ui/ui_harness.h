#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "support/recording_platform.h"
#include "support/scratch_folder.h"
#include "ui/frm_main.h"

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

// A real main window over a recording platform whose program folder is a fresh temporary folder.
class MainWindowTest : public ::testing::Test {
 protected:
  std::string ini() const { return scratch.at("fendral.ini"); }
  void writeIni(std::string_view content) const { scratch.put("fendral.ini", content); }
  std::string readIni() const { return scratch.get("fendral.ini"); }

  // Opens the window and clicks these buttons in it.
  template <typename... Names>
  fendral::ui::frmMain& open(const Names&... clicks) {
    window = std::make_unique<fendral::ui::frmMain>(platform, ini());
    click(clicks...);
    return *window;
  }

  template <typename T = QWidget>
  T* find(const char* name) {
    T* widget = window->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLineEdit* field(const char* name) { return find<QLineEdit>(name); }
  QAbstractButton* button(const char* name) { return find<QAbstractButton>(name); }
  QString text(const char* name) { return field(name)->text(); }
  bool shown(const char* name) { return !find(name)->isHidden(); }
  bool selected(const char* name) { return button(name)->isChecked(); }
  template <typename... Names>
  void click(const Names&... names) {
    (button(names)->click(), ...);
  }
  // Names and texts in turn.
  template <typename... Texts>
  void fill(const Texts&... namesAndTexts) {
    const char* list[] = {namesAndTexts...};
    for (size_t i = 0; i + 1 < std::size(list); i += 2) field(list[i])->setText(list[i + 1]);
  }

  fendral::testing::ScratchFolder scratch{"fendral-ui"};
  RecordingPlatform platform{scratch.path().string()};
  std::unique_ptr<fendral::ui::frmMain> window;
};
