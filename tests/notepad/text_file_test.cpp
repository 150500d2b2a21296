#include "text_file.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace fendral::notepad {
namespace {

class TextFileTest : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return dir_.filePath(name); }
  QByteArray read(const QString& name) const {
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
  }
  void write(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  }

  QTemporaryDir dir_;
};

// Each file keeps the line endings it was found with, and its text is UTF-8 both ways.
TEST_F(TextFileTest, LineEndingsAndUtf8SurviveARoundTrip) {
  write("3DFX.BAT", "@echo off\r\nname \"J\xc3\xb6rg\"\r\n");
  TextFile dos(path("3DFX.BAT"));
  ASSERT_TRUE(dos.load());
  EXPECT_EQ(dos.text(), QStringLiteral("@echo off\nname \"J\u00f6rg\"\n"));
  ASSERT_TRUE(dos.save(dos.text() + QStringLiteral("quake2\n")));
  EXPECT_EQ(read("3DFX.BAT"), QByteArray("@echo off\r\nname \"J\xc3\xb6rg\"\r\nquake2\r\n"));

  write("unix.cfg", "bind x +attack\n");
  TextFile unix(path("unix.cfg"));
  ASSERT_TRUE(unix.load() && unix.save(QStringLiteral("a\nb\n")));
  EXPECT_EQ(read("unix.cfg"), QByteArray("a\nb\n"));
}

TEST_F(TextFileTest, MissingFileIsANewDocumentThatTheFirstSaveCreates) {
  TextFile file(path("my config.cfg"));
  EXPECT_TRUE(file.load() && file.text().isEmpty() && file.errorString().isEmpty());
  EXPECT_FALSE(QFile::exists(path("my config.cfg")));  // opening alone creates nothing
  ASSERT_TRUE(file.save(QStringLiteral("exec autoexec.cfg\n")));
  EXPECT_EQ(read("my config.cfg"), QByteArray("exec autoexec.cfg\n"));
}

TEST_F(TextFileTest, FolderNameFailsCleanlyAndLeavesItAlone) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("baseq2")));
  write("baseq2/keep.cfg", "keep");
  TextFile file(path("baseq2"));
  EXPECT_FALSE(file.load());
  EXPECT_TRUE(file.errorString().contains(QStringLiteral("folder")));
  EXPECT_FALSE(file.save(QStringLiteral("typed text")));
  EXPECT_EQ(read("baseq2/keep.cfg"), QByteArray("keep"));
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("baseq2")});  // no temporary file left behind
}

// An empty config name leaves the path ending in a separator; the title still says something.
TEST(TextFileName, TitleNameIsTheLastPartOfThePath) {
  EXPECT_EQ(TextFile().displayName(), QStringLiteral("Untitled"));
  EXPECT_EQ(TextFile(QStringLiteral("/q2/baseq2/TAMRO.CFG")).displayName(), QStringLiteral("TAMRO.CFG"));
  EXPECT_EQ(TextFile(QStringLiteral("/q2/baseq2/")).displayName(), QStringLiteral("/q2/baseq2/"));
}

}  // namespace
}  // namespace fendral::notepad
