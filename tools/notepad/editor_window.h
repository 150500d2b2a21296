#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "document_text.h"
#include "text_file.h"

class QLabel;
class QPlainTextEdit;

namespace fendral::notepad {

// One document in one window: Ctrl+S saves, closing with unsaved text asks first.
class EditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  // An empty path gives an untitled document, which asks for a name on its first save. A file that
  // cannot be opened is reported once the window shows, and is never written.
  explicit EditorWindow(std::string path, QWidget* parent = nullptr);

  // Ctrl+S. A name that cannot be saved, such as a folder's, leads to Save As.
  bool save();
  // Asks for a name in the folder of the current one, until the text is saved or the player gives up.
  bool saveAs();
  // A large file goes in a part at a time; it is read-only and cannot be saved until it is all in.
  bool isLoading() const { return loader_ != nullptr; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  enum class Stored { Yes, Declined, Failed };
  // Writes the text under the current name, asking first about a file changed on disk and characters
  // the encoding cannot hold. Failed leaves the reason in the file's errorString().
  Stored store();
  // Asks before writing over a file another program changed or created.
  bool allowOverwrite();
  // Asks before changing a Windows-1252 file to UTF-8 for characters it cannot hold.
  bool allowUtf8Instead();
  // Says why the text was not saved and offers Save As.
  bool offerSaveAs(const QString& why);
  bool stillLoading();
  void loadMore();
  void updateTitle();

  TextFile file_;
  QPlainTextEdit* edit_;
  QLabel* format_;
  QString newLineEnd_;
  std::unique_ptr<TextLoader> loader_;
};

}  // namespace fendral::notepad
