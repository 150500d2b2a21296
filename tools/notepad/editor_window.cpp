#include "editor_window.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace fendral::notepad {

namespace {
const QString kAppName = QStringLiteral("Fendral Notepad");
}

EditorWindow::EditorWindow(const QString& path, QWidget* parent)
    : QMainWindow(parent), file_(path), edit_(new QPlainTextEdit(this)) {
  edit_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  setCentralWidget(edit_);

  QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  fileMenu->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, &EditorWindow::save);
  fileMenu->addAction(QStringLiteral("Save &As..."), QKeySequence::SaveAs, this, &EditorWindow::saveAs);
  fileMenu->addSeparator();
  fileMenu->addAction(QStringLiteral("&Close"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);

  // A failed read keeps an empty document: the user still gets a window, and saving reports why.
  if (!file_.load()) {
    statusBar()->showMessage(file_.errorString());
  } else if (!file_.isUntitled() && !file_.existed()) {
    statusBar()->showMessage(QStringLiteral("New file: %1").arg(file_.path()));
  }
  edit_->setPlainText(file_.text());
  edit_->document()->setModified(false);
  connect(edit_->document(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
  updateTitle();
  resize(640, 480);
}

bool EditorWindow::save() {
  if (file_.isUntitled()) return saveAs();
  if (!file_.save(edit_->toPlainText())) {
    QMessageBox::warning(this, kAppName, file_.errorString());
    return false;
  }
  edit_->document()->setModified(false);
  statusBar()->showMessage(QStringLiteral("Saved %1").arg(file_.path()), 3000);
  return true;
}

bool EditorWindow::saveAs() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), file_.path());
  if (path.isEmpty()) return false;
  const QString previous = file_.path();
  file_.setPath(path);
  if (!save()) {
    file_.setPath(previous);
    return false;
  }
  updateTitle();
  return true;
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
  setWindowTitle(QStringLiteral("%1[*] - %2").arg(file_.displayName(), kAppName));
  setWindowFilePath(file_.path());
  setWindowModified(edit_->document()->isModified());
}

}  // namespace fendral::notepad
