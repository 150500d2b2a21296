#include <fcntl.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "editor_window.h"
#include "support/scratch_folder.h"

namespace fendral::notepad {
namespace {

namespace fs = std::filesystem;

// Answers the modal dialogs the editor opens, in turn, and keeps what each said. A dialog nobody
// expected is recorded and closed, so a test fails instead of waiting for ever.
class Dialogs {
 public:
  using Answer = std::function<QString(QWidget&)>;

  Dialogs() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog == nullptr || !dialog->isVisible()) return;
      if (answers_.empty()) {
        seen_.push_back("unexpected: " + dialog->windowTitle());
        dialog->close();
        return;
      }
      const Answer answer = std::move(answers_.front());
      answers_.pop_front();
      seen_.push_back(answer(*dialog));
    });
    timer_.start();
  }

  // A message box, answered with `button`; it is seen as its text.
  void press(QMessageBox::StandardButton button) {
    answers_.push_back([button](QWidget& dialog) {
      auto* box = qobject_cast<QMessageBox*>(&dialog);
      if (box == nullptr || box->button(button) == nullptr) return QStringLiteral("not that message box");
      box->button(button)->click();
      return box->text();
    });
  }
  // The file dialog, answered with `name` in the folder it shows; it is seen as "in FOLDER".
  void choose(const QString& name) {
    answers_.push_back([name](QWidget& dialog) {
      auto* files = qobject_cast<QFileDialog*>(&dialog);
      if (files == nullptr) return QStringLiteral("not the file dialog");
      const QString folder = files->directory().absolutePath();
      files->selectFile(name);
      static_cast<QDialog*>(files)->accept();  // QFileDialog::accept, which checks the name
      return "in " + folder;
    });
  }

  // What the dialogs said since the last call, once every answer has been used.
  QStringList seen() {
    for (int i = 0; i < 200 && !answers_.empty(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 5);
    return std::exchange(seen_, {});
  }

 private:
  QTimer timer_;
  std::deque<Answer> answers_;
  QStringList seen_;
};

class EditorWindowTest : public ::testing::Test {
 protected:
  // The editor on `name`, with the file all in and any message at opening answered.
  std::unique_ptr<EditorWindow> open(const std::string& name) {
    auto window = std::make_unique<EditorWindow>(scratch.at(name));
    while (window->isLoading()) QApplication::processEvents();
    QApplication::processEvents();
    return window;
  }
  static void type(EditorWindow& window, const QString& text) {
    auto* edit = window.findChild<QPlainTextEdit*>();
    edit->moveCursor(QTextCursor::End);
    edit->insertPlainText(text);
  }

  testing::ScratchFolder scratch{"notepad"};
  Dialogs dialogs;
};

// Sets the modification time of `path` to `when`, as another program's write would.
void setModified(const std::string& path, const timespec& when) {
  const timespec times[] = {when, when};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Another program changes the file, differing in one of identity, size or modification time only, or
// creates it after the editor opened the name: Save asks, and keeping the file on disk writes nothing.
// Overwrite writes the text, and the next save asks nothing.
TEST_F(EditorWindowTest, AFileChangedOnDiskIsNeverOverwrittenSilently) {
  const std::string path = scratch.at("config.cfg");
  const std::function<void()> changes[] = {
      [&] {  // another file of the same size and time renamed over it
        struct stat before {};
        ::stat(path.c_str(), &before);
        scratch.put("other.cfg", std::string(before.st_size, 'r'));
        setModified(scratch.at("other.cfg"), before.st_mtim);
        fs::rename(scratch.at("other.cfg"), path);
      },
      [&] {  // grown, its time kept
        struct stat before {};
        ::stat(path.c_str(), &before);
        scratch.put("config.cfg", scratch.get("config.cfg") + "bind g +grown\n");
        setModified(path, before.st_mtim);
      },
      [&] {  // rewritten in place to the same size, later
        struct stat before {};
        ::stat(path.c_str(), &before);
        scratch.put("config.cfg", std::string(before.st_size, 't'));
        setModified(path, {before.st_mtim.tv_sec + 1, before.st_mtim.tv_nsec});
      },
      [&] { scratch.put("config.cfg", "bind c +created\n"); },  // it did not exist when opened
  };
  for (const auto& change : changes) {
    const bool created = &change == &changes[3];
    created ? void(fs::remove(path)) : scratch.put("config.cfg", "bind a +attack\n");
    const auto window = open("config.cfg");
    change();
    const std::string theirs = scratch.get("config.cfg");
    type(*window, QStringLiteral("bind x +mine\n"));

    dialogs.press(QMessageBox::Cancel);
    EXPECT_FALSE(window->save());
    const QStringList asked = dialogs.seen();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(created ? "was created on disk" : "was changed on disk"))
        << asked[0].toStdString();
    EXPECT_EQ(scratch.get("config.cfg"), theirs);
    EXPECT_TRUE(window->isWindowModified());

    dialogs.press(QMessageBox::Save);
    EXPECT_TRUE(window->save());
    EXPECT_EQ(dialogs.seen().size(), 1);
    const std::string mine = (created ? "" : "bind a +attack\n") + std::string("bind x +mine\n");
    EXPECT_EQ(scratch.get("config.cfg"), mine);
    type(*window, QStringLiteral("bind y +again\n"));
    EXPECT_TRUE(window->save());
    EXPECT_EQ(dialogs.seen().join('|').toStdString(), "");
    EXPECT_EQ(scratch.get("config.cfg"), mine + "bind y +again\n");
  }
}

// A folder's name, as "Edit or Create" gives for an empty file name, and a file that cannot be written:
// Save offers Save As in that folder (the nearest that exists), and the text lands where chosen.
TEST_F(EditorWindowTest, ANameThatCannotBeSavedLeadsToSaveAsInItsFolder) {
  fs::create_directory(scratch.at("quake2"));
  scratch.put("baseq2/config.cfg", "bind a +attack\n", 0444);  // read-only: never written, also by root
  const struct {
    const char* name;
    const char* folder;
    const char* openingSays;  // nothing when the editor opens without a word
  } cases[] = {
      {"quake2//", "quake2", "it is a folder"},
      {"nothing/baseq2/", "", "it names a folder"},
      {"baseq2/config.cfg", "baseq2", nullptr},
  };
  for (const auto& c : cases) {
    if (c.openingSays != nullptr) dialogs.press(QMessageBox::Ok);
    const auto window = open(c.name);
    type(*window, QStringLiteral("bind x +mine\n"));
    if (c.openingSays == nullptr) dialogs.press(QMessageBox::Save);  // the reason, with Save As
    dialogs.choose(QStringLiteral("my.cfg"));
    EXPECT_TRUE(window->save()) << c.name;

    const QStringList seen = dialogs.seen();
    ASSERT_EQ(seen.size(), 2) << seen.join('|').toStdString();
    EXPECT_TRUE(seen[0].contains(c.openingSays != nullptr ? c.openingSays : "read-only"))
        << seen[0].toStdString();
    EXPECT_EQ(seen[1].toStdString(),
              "in " + QDir::cleanPath(QString::fromStdString(scratch.at(c.folder))).toStdString());
    const fs::path saved = fs::path(c.folder) / "my.cfg";
    EXPECT_EQ(scratch.get(saved),
              c.openingSays != nullptr ? "bind x +mine\n" : "bind a +attack\nbind x +mine\n");
    fs::remove(scratch.at(saved));
  }
  EXPECT_EQ(scratch.get("baseq2/config.cfg"), "bind a +attack\n");
}

}  // namespace
}  // namespace fendral::notepad
