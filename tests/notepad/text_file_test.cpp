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

  static void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }
  static QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
  }

  QTemporaryDir dir_;
};

TEST_F(TextFileTest, LineEndingsSurviveARoundTrip) {
  write(path("3DFX.BAT"), "@echo off\r\nset FX_GLIDE=1\r\n");
  TextFile dos(path("3DFX.BAT"));
  ASSERT_TRUE(dos.load());
  EXPECT_TRUE(dos.usesCrLf());
  EXPECT_EQ(dos.text(), QStringLiteral("@echo off\nset FX_GLIDE=1\n"));
  ASSERT_TRUE(dos.save(dos.text() + QStringLiteral("quake2\n")));
  EXPECT_EQ(read(path("3DFX.BAT")), QByteArray("@echo off\r\nset FX_GLIDE=1\r\nquake2\r\n"));

  write(path("unix.cfg"), "bind x +attack\n");
  TextFile unix(path("unix.cfg"));
  ASSERT_TRUE(unix.load());
  EXPECT_FALSE(unix.usesCrLf());
  ASSERT_TRUE(unix.save(QStringLiteral("a\nb\n")));
  EXPECT_EQ(read(path("unix.cfg")), QByteArray("a\nb\n"));
}

TEST_F(TextFileTest, TextIsUtf8BothWays) {
  write(path("name.cfg"), "name \"J\xc3\xb6rg\"\n");
  TextFile file(path("name.cfg"));
  ASSERT_TRUE(file.load());
  EXPECT_EQ(file.text(), QStringLiteral("name \"J\u00f6rg\"\n"));
  ASSERT_TRUE(file.save(file.text()));
  EXPECT_EQ(read(path("name.cfg")), QByteArray("name \"J\xc3\xb6rg\"\n"));
}

TEST_F(TextFileTest, MissingFileIsANewDocumentThatTheFirstSaveCreates) {
  TextFile file(path("my config.cfg"));
  EXPECT_TRUE(file.load());
  EXPECT_FALSE(file.existed());
  EXPECT_TRUE(file.text().isEmpty());
  EXPECT_TRUE(file.errorString().isEmpty());
  EXPECT_FALSE(QFile::exists(path("my config.cfg")));  // opening alone creates nothing

  ASSERT_TRUE(file.save(QStringLiteral("exec autoexec.cfg\n")));
  EXPECT_EQ(read(path("my config.cfg")), QByteArray("exec autoexec.cfg\n"));
}

TEST_F(TextFileTest, FolderNameFailsCleanlyAndLeavesItAlone) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("baseq2")));
  write(path("baseq2/keep.cfg"), "keep");
  TextFile file(path("baseq2"));
  EXPECT_FALSE(file.load());
  EXPECT_TRUE(file.existed());
  EXPECT_TRUE(file.text().isEmpty());
  EXPECT_TRUE(file.errorString().contains(QStringLiteral("folder")));

  EXPECT_FALSE(file.save(QStringLiteral("typed text")));
  EXPECT_FALSE(file.errorString().isEmpty());
  EXPECT_EQ(read(path("baseq2/keep.cfg")), QByteArray("keep"));
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("baseq2")});  // no temporary file left behind
}

TEST_F(TextFileTest, SaveIntoAMissingFolderFails) {
  TextFile nowhere(path("no such folder/x.cfg"));
  EXPECT_TRUE(nowhere.load());
  EXPECT_FALSE(nowhere.save(QStringLiteral("lost?")));
  EXPECT_FALSE(nowhere.errorString().isEmpty());
}

TEST(TextFileName, TitleNameIsTheLastPartOfThePath) {
  EXPECT_EQ(TextFile().displayName(), QStringLiteral("Untitled"));
  EXPECT_EQ(TextFile(QStringLiteral("/q2/baseq2/TAMRO.CFG")).displayName(), QStringLiteral("TAMRO.CFG"));
  // An empty config name leaves the path ending in a separator; the title still says something.
  EXPECT_EQ(TextFile(QStringLiteral("/q2/baseq2/")).displayName(), QStringLiteral("/q2/baseq2/"));
}

}  // namespace
}  // namespace fendral::notepad
