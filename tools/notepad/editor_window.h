#pragma once

#include <QMainWindow>

#include "text_file.h"

class QPlainTextEdit;

namespace fendral::notepad {

// One document in one window: Ctrl+S saves, closing with unsaved text asks first.
class EditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  // An empty path gives an untitled document, which asks for a name on its first save.
  explicit EditorWindow(const QString& path, QWidget* parent = nullptr);

  bool save();
  bool saveAs();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void updateTitle();

  TextFile file_;
  QPlainTextEdit* edit_;
};

}  // namespace fendral::notepad
