#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "support/recording_platform.h"
#include "ui/frm_main.h"

// A real main window over a recording platform whose program folder is a fresh temporary folder.
class MainWindowTest : public ::testing::Test {
 protected:
  void writeIni(const QByteArray& content) {
    QFile file(iniFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
  }
  QByteArray readIni() {
    QFile file(iniFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QString iniFile() const { return folder.filePath("fendral.ini"); }

  fendral::ui::frmMain& open() {
    window = std::make_unique<fendral::ui::frmMain>(platform, iniFile().toStdString());
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

  QTemporaryDir folder;
  RecordingPlatform platform{folder.path().toStdString()};
  std::unique_ptr<fendral::ui::frmMain> window;
};
