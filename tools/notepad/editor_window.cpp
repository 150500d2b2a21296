#include "editor_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "document_text.h"

namespace fendral::notepad {

namespace {
const QString kAppName = QStringLiteral("Fendral Notepad");
// About a tenth of a second of work for the text widget, so the window answers while a file goes in.
constexpr int kLinesAtOnce = 10000;

QString lineEndName(const QString& end) {
  if (end == QLatin1String("\r\n")) return QStringLiteral("CR LF");
  return end == QLatin1String("\r") ? QStringLiteral("CR") : QStringLiteral("LF");
}
}  // namespace

EditorWindow::EditorWindow(std::string path, QWidget* parent)
    : QMainWindow(parent),
      file_(std::move(path)),
      edit_(new QPlainTextEdit(this)),
      format_(new QLabel(this)) {
  edit_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  setCentralWidget(edit_);
  statusBar()->addPermanentWidget(format_);

  QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  fileMenu->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, &EditorWindow::save);
  fileMenu->addAction(QStringLiteral("Save &As..."), QKeySequence::SaveAs, this, &EditorWindow::saveAs);
  fileMenu->addSeparator();
  fileMenu->addAction(QStringLiteral("&Close"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);

  if (!file_.load()) {
    const QString error = file_.errorString();
    statusBar()->showMessage(error);
    const QString next = file_.namesFolder() ? QStringLiteral("\nSave asks for a file name.")
                                             : QStringLiteral("\nThe file is left as it is.");
    QTimer::singleShot(0, this, [this, error, next] { QMessageBox::warning(this, kAppName, error + next); });
  } else if (!file_.isUntitled() && !file_.existed()) {
    statusBar()->showMessage(QStringLiteral("New file: %1").arg(file_.displayPath()));
  }
  loader_ = std::make_unique<TextLoader>(file_.takeText());
  newLineEnd_ = loader_->newLineEnd();
  edit_->setReadOnly(true);
  edit_->document()->setUndoRedoEnabled(false);
  connect(edit_->document(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
  loadMore();
  resize(640, 480);
}

void EditorWindow::loadMore() {
  if (loader_->fill(*edit_, kLinesAtOnce)) {
    QTimer::singleShot(0, this, &EditorWindow::loadMore);
  } else {
    loader_.reset();
    edit_->setReadOnly(false);
    edit_->document()->setUndoRedoEnabled(true);
    edit_->document()->setModified(false);
  }
  updateTitle();
}

bool EditorWindow::stillLoading() {
  if (isLoading()) {
    statusBar()->showMessage(QStringLiteral("%1 is still being read.").arg(file_.displayName()), 3000);
  }
  return isLoading();
}

bool EditorWindow::save() {
  if (stillLoading()) return false;
  if (file_.isUntitled() || file_.isRefused()) return saveAs();
  switch (store()) {
    case Stored::Yes:
      return true;
    case Stored::Declined:
      return false;
    case Stored::Failed:
      break;
  }
  return offerSaveAs(file_.errorString()) && saveAs();
}

EditorWindow::Stored EditorWindow::store() {
  const QString text = editorText(*edit_, newLineEnd_);
  const Encoding original = file_.encoding();
  bool overwrite = false;
  for (;;) {
    const TextFile::Saved saved = file_.save(text, overwrite);
    if (saved == TextFile::Saved::Yes) break;
    if (saved == TextFile::Saved::ChangedOnDisk && allowOverwrite()) {
      overwrite = true;
    } else if (saved == TextFile::Saved::Unencodable && allowUtf8Instead()) {
      file_.setEncoding(Encoding::Utf8);
    } else {
      file_.setEncoding(original);
      if (saved == TextFile::Saved::ChangedOnDisk) {
        statusBar()->showMessage(QStringLiteral("Not saved: %1 on disk is kept.").arg(file_.displayName()));
      }
      return saved == TextFile::Saved::No ? Stored::Failed : Stored::Declined;
    }
  }
  edit_->document()->setModified(false);
  updateTitle();
  statusBar()->showMessage(QStringLiteral("Saved %1").arg(file_.displayPath()), 3000);
  return Stored::Yes;
}

bool EditorWindow::allowOverwrite() {
  QMessageBox box(
      QMessageBox::Warning, kAppName,
      file_.errorString() + QStringLiteral("\nOverwrite it with this text, or keep the file on disk?"),
      QMessageBox::Save | QMessageBox::Cancel, this);
  box.button(QMessageBox::Save)->setText(QStringLiteral("&Overwrite"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("&Keep the File on Disk"));
  box.setDefaultButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Save;
}

bool EditorWindow::allowUtf8Instead() {
  const bool canSwitch = file_.encoding() == Encoding::Windows1252;
  QString prompt = QStringLiteral("%1 cannot hold these characters: %2")
                       .arg(encodingName(file_.encoding()), file_.unencodable());
  if (!canSwitch) {
    QMessageBox::warning(this, kAppName, prompt + QStringLiteral("\nThe file was not saved."));
    return false;
  }
  prompt += QStringLiteral("\nSave %1 as UTF-8 instead? Its other accented letters change bytes too.")
                .arg(file_.displayName());
  return QMessageBox::question(this, kAppName, prompt, QMessageBox::Save | QMessageBox::Cancel,
                               QMessageBox::Cancel) == QMessageBox::Save;
}

bool EditorWindow::offerSaveAs(const QString& why) {
  QMessageBox box(QMessageBox::Warning, kAppName, why + QStringLiteral("\nSave the text under another name?"),
                  QMessageBox::Save | QMessageBox::Cancel, this);
  box.button(QMessageBox::Save)->setText(QStringLiteral("Save &As..."));
  return box.exec() == QMessageBox::Save;
}

bool EditorWindow::saveAs() {
  if (stillLoading()) return false;
  QString start;
  if (!file_.isUntitled()) {
    start = QFile::decodeName(QByteArray::fromStdString(file_.nearestFolder()));
    // A file's own name is offered again, a folder's is not.
    if (!file_.namesFolder()) start = QDir(start).filePath(file_.displayName());
  }
  for (;;) {
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), start);
    if (chosen.isEmpty()) return false;
    const TextFile previous = file_;
    file_.setPath(QFile::encodeName(chosen).toStdString());
    const Stored stored = store();
    if (stored == Stored::Yes) return true;
    const QString why = file_.errorString();
    file_ = previous;
    if (stored == Stored::Declined || !offerSaveAs(why)) return false;
    start = chosen;
  }
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (!edit_->document()->isModified()) {
    event->accept();
    return;
  }
  const auto answer = QMessageBox::question(
      this, kAppName, QStringLiteral("Save the changes to %1?").arg(file_.displayName()),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Discard || (answer == QMessageBox::Save && save())) {
    event->accept();
  } else {
    event->ignore();
  }
}

void EditorWindow::updateTitle() {
  const QString loading =
      isLoading() ? QStringLiteral(" (reading, %1%)").arg(loader_->percentDone()) : QString();
  setWindowTitle(QStringLiteral("%1%2[*] - %3").arg(file_.displayName(), loading, kAppName));
  setWindowFilePath(file_.displayPath());
  setWindowModified(edit_->document()->isModified());
  format_->setText(QStringLiteral("%1  %2").arg(encodingName(file_.encoding()), lineEndName(newLineEnd_)));
}

}  // namespace fendral::notepad
