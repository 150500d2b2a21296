#include "ui/folder_completion.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QStringListModel>

#include "find/installations.h"
#include "platform/host_path.h"
#include "ui/text_conversion.h"
#include "ui/window_look.h"

namespace fendral::ui {

namespace {

// The list is a window of its own: it takes neither the field's font nor the launcher's colours by
// itself, and would show the desktop's.
QCompleter* madeFor(QLineEdit& field, QAbstractItemModel* model, QCompleter* completer) {
  completer->setModel(model);
  completer->popup()->setPalette(plainPalette());
  completer->popup()->setFont(field.font());
  field.setCompleter(completer);
  return completer;
}

}  // namespace

void completeFolders(QLineEdit& field) {
  QObject::connect(&field, &QLineEdit::textEdited, &field, [&field](const QString& text) {
    QCompleter* completer = field.completer();
    if (completer == nullptr) {
      completer = new QCompleter(&field);
      auto* folders = new QFileSystemModel(completer);
      folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
      madeFor(field, folders, completer);
    }
    // The model reads a folder once it is its root: make that the folder being typed in. It reads in
    // the background, and the completer shows the names as they arrive.
    static_cast<QFileSystemModel*>(completer->model())->setRootPath(text.left(text.lastIndexOf('/') + 1));
  });
}

void completeGameFolders(QLineEdit& field, const QLineEdit& q2Folder) {
  QObject::connect(&field, &QLineEdit::textEdited, &field, [&field, &q2Folder] {
    QCompleter* completer = field.completer();
    if (completer != nullptr && completer->property("folder") == q2Folder.text()) return;
    if (completer == nullptr) {
      completer = madeFor(field, new QStringListModel(&field), new QCompleter(&field));
    }
    QStringList names;
    for (const std::string& name : find::gameFolders(platform::absoluteHostPath(toCore(q2Folder))))
      names << fromCore(name);
    static_cast<QStringListModel*>(completer->model())->setStringList(names);
    completer->setProperty("folder", q2Folder.text());
  });
}

}  // namespace fendral::ui
