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
#include <tuple>
#include <variant>

#include <gtest/gtest.h>

#include "editor_window.h"
#include "support/scratch_folder.h"

namespace fendral::notepad {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Answer = std::variant<QMessageBox::StandardButton, QString>;  // a button, or a file name to choose

// Answers the editor's modal dialogs in turn and keeps what each said ("in FOLDER" for the file
// dialog). One nobody expected is recorded and closed, so a test fails instead of waiting for ever.
class Dialogs {
 public:
  Dialogs() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog == nullptr || !dialog->isVisible()) return;
      const Answer next = answers_.empty() ? Answer(QMessageBox::NoButton) : answers_.front();
      if (!answers_.empty()) answers_.pop_front();
      auto* box = qobject_cast<QMessageBox*>(dialog);
      auto* files = qobject_cast<QFileDialog*>(dialog);
      QAbstractButton* button =
          box != nullptr && next.index() == 0 ? box->button(std::get<0>(next)) : nullptr;
      if (button != nullptr) {
        seen_ << box->text();
        button->click();
      } else if (files != nullptr && next.index() == 1) {
        seen_ << "in " + files->directory().absolutePath();
        files->selectFile(std::get<1>(next));
        static_cast<QDialog*>(files)->accept();  // QFileDialog's own, which checks the name
      } else {
        seen_ << "unexpected: " + (box != nullptr ? box->text() : dialog->windowTitle());
        dialog->close();
      }
    });
    timer_.start(5);
  }
  void answer(Answer next) { answers_.push_back(std::move(next)); }
  // What the dialogs said since the last call.
  QStringList seen() { return std::exchange(seen_, {}); }

 private:
  QTimer timer_;
  std::deque<Answer> answers_;
  QStringList seen_;
};

class EditorWindowTest : public ::testing::Test {
 protected:
  // The editor on `name` with the file all in, any message at opening answered, and `typed` added.
  std::unique_ptr<EditorWindow> open(const std::string& name, const QString& typed) {
    auto window = std::make_unique<EditorWindow>(scratch.at(name));
    while (window->isLoading()) QApplication::processEvents();
    QApplication::processEvents();
    type(*window, typed);
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

void setModified(const std::string& path, const timespec& when) {
  const timespec times[] = {when, when};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Another program changes the file in its identity, size or modification time alone, or creates it
// after its name was opened: Save asks, and keeping the file on disk writes nothing. Overwrite writes
// the text, and the next save asks nothing.
TEST_F(EditorWindowTest, AFileChangedOnDiskIsNeverOverwrittenSilently) {
  const std::string path = scratch.at("config.cfg");
  const std::function<void(const struct stat&)> changes[] = {
      [&](const struct stat& was) {  // another file of the same size and time renamed over it
        scratch.put("other.cfg", std::string(was.st_size, 'r'));
        setModified(scratch.at("other.cfg"), was.st_mtim);
        fs::rename(scratch.at("other.cfg"), path);
      },
      [&](const struct stat& was) {  // grown, its time kept
        scratch.put("config.cfg", "bind a +attack\nbind g +grown\n");
        setModified(path, was.st_mtim);
      },
      [&](const struct stat& was) {  // rewritten in place to the same size, later
        scratch.put("config.cfg", std::string(was.st_size, 't'));
        setModified(path, {was.st_mtim.tv_sec + 1, was.st_mtim.tv_nsec});
      },
      [&](const struct stat&) { scratch.put("config.cfg", "bind c +created\n"); },
  };
  for (const auto& change : changes) {
    const bool created = &change == &changes[3];
    created ? void(fs::remove(path)) : scratch.put("config.cfg", "bind a +attack\n");
    const auto window = open("config.cfg", QStringLiteral("bind x +mine\n"));
    struct stat was {};
    ::stat(path.c_str(), &was);
    change(was);
    const std::string theirs = scratch.get("config.cfg");

    dialogs.answer(QMessageBox::Cancel);
    EXPECT_FALSE(window->save());
    const QStringList asked = dialogs.seen();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(created ? "was created on disk" : "was changed on disk"))
        << asked[0].toStdString();
    EXPECT_EQ(scratch.get("config.cfg"), theirs);

    dialogs.answer(QMessageBox::Save);
    EXPECT_TRUE(window->save());
    EXPECT_EQ(dialogs.seen().size(), 1);
    type(*window, QStringLiteral("bind y +again\n"));
    EXPECT_TRUE(window->save());
    EXPECT_EQ(dialogs.seen().join('|').toStdString(), "");
    EXPECT_EQ(scratch.get("config.cfg"),
              (created ? "" : "bind a +attack\n") + "bind x +mine\nbind y +again\n"s);
  }
}

// A folder's name, as "Edit or Create" gives for an empty file name (one that is not there the end-to-end
// test opens), and a file that cannot be written:
// Save leads to Save As in that folder (the nearest that exists), and the text lands where chosen.
TEST_F(EditorWindowTest, ANameThatCannotBeSavedLeadsToSaveAsInItsFolder) {
  fs::create_directory(scratch.at("quake2"));
  scratch.put("baseq2/config.cfg", "bind a +attack\n", 0444);  // read-only: never written, also by root
  // The name, the folder Save As opens in, what is said, and whether it is said at opening.
  const std::tuple<const char*, const char*, const char*, bool> cases[] = {
      {"quake2//", "quake2", "it is a folder", true},
      {"baseq2/config.cfg", "baseq2", "read-only", false},  // the reason, offering Save As
  };
  for (const auto& [name, folder, says, saidAtOpening] : cases) {
    dialogs.answer(saidAtOpening ? QMessageBox::Ok : QMessageBox::Save);
    dialogs.answer(QStringLiteral("my.cfg"));
    const auto window = open(name, QStringLiteral("bind x +mine\n"));
    EXPECT_TRUE(window->save()) << name;

    const QStringList seen = dialogs.seen();
    ASSERT_EQ(seen.size(), 2) << seen.join('|').toStdString();
    EXPECT_TRUE(seen[0].contains(says)) << seen[0].toStdString();
    EXPECT_EQ(seen[1].toStdString(),
              "in " + QDir::cleanPath(QString::fromStdString(scratch.at(folder))).toStdString());
    EXPECT_EQ(scratch.get(fs::path(folder) / "my.cfg"),
              saidAtOpening ? "bind x +mine\n" : "bind a +attack\nbind x +mine\n");
  }
  EXPECT_EQ(scratch.get("baseq2/config.cfg"), "bind a +attack\n");
}

}  // namespace
}  // namespace fendral::notepad
