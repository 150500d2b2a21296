#include <sys/stat.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <filesystem>
#include <tuple>

#include <gtest/gtest.h>

#include "document_text.h"
#include "editor_window.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"
#include "text_file.h"

namespace fendral::notepad {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class TextRoundTrip : public ::testing::Test {
 protected:
  // Puts the text into a text widget a few lines at a time, as the editor does with large files.
  void show(const QString& text) {
    TextLoader loader(text);
    while (loader.fill(edit_, 2)) {
    }
    newLineEnd_ = loader.newLineEnd();
  }
  TextFile open(const std::string& name) {
    TextFile file(scratch.at(name));
    EXPECT_TRUE(file.load()) << name;
    show(file.takeText());
    return file;
  }
  TextFile::Saved save(TextFile& file) { return file.save(editorText(edit_, newLineEnd_)); }

  testing::ScratchFolder scratch{"notepad"};
  QPlainTextEdit edit_;
  QString newLineEnd_;
};

// Opening and saving without an edit gives back every byte, whatever the encoding and line ends.
TEST_F(TextRoundTrip, UneditedFileIsSavedByteForByte) {
  // What the sample is, its bytes, their encoding and what the player sees (empty when not checked).
  const std::tuple<const char*, std::string, Encoding, QString> samples[] = {
      {"empty", "", Encoding::Utf8, {}},
      {"CR LF", "@echo off\r\nquake2 +exec my.cfg\r\n", Encoding::Utf8,
       "@echo off\r\nquake2 +exec my.cfg\r\n"},
      {"mixed ends, no last end", "a\r\nb\nc\rd\n\r\n\re", Encoding::Utf8, {}},
      {"UTF-8 with BOM", "\xEF\xBB\xBFname \"J\xC3\xB6rg\"\n", Encoding::Utf8WithBom, "name \"J\u00F6rg\"\n"},
      {"BOM twice", "\xEF\xBB\xBF\xEF\xBB\xBFx", Encoding::Utf8WithBom, QStringLiteral("\uFEFFx")},
      {"no-break space, separators, frame marks, NUL",
       "a\302\240b\342\200\250c\342\200\251d\357\267\220e\357\267\221f\357\277\274\0g\n"s,
       Encoding::Utf8,
       {}},
      {"Windows-1252", "name Caf\xE9\r\nsay \x80 \x81 \x8D \x8F \x90 \x9D \xA0\xFF\r", Encoding::Windows1252,
       "name Caf\u00E9\r\nsay \u20AC \u0081 \u008D \u008F \u0090 \u009D \u00A0\u00FF\r"},
      {"UTF-8 BOM then a Latin-1 byte", "\357\273\277caf\xE9", Encoding::Windows1252,
       "\u00EF\u00BB\u00BFcaf\u00E9"},
      {"overlong and surrogate UTF-8", "\xC0\xAF \xED\xA0\x80", Encoding::Windows1252, {}},
      {"UTF-16 LE", "\377\376a\0\r\0\n\0\x3D\xD8\x00\xDE\r\0"s, Encoding::Utf16LeWithBom,
       "a\r\n\U0001F600\r"},
      {"UTF-16 BE, lone surrogate", "\xFE\xFF\0a\xD8\x3D\0\n"s, Encoding::Utf16BeWithBom, {}},
      {"odd length after a UTF-16 mark", "\377\376a", Encoding::Windows1252, "\u00FF\u00FEa"},
  };
  for (const auto& [what, bytes, encoding, seen] : samples) {
    scratch.put("file.txt", bytes);
    TextFile file(scratch.at("file.txt"));
    ASSERT_TRUE(file.load()) << what;
    EXPECT_EQ(file.encoding(), encoding) << what;
    const QString text = file.takeText();
    EXPECT_EQ(seen.isEmpty() ? seen : text, seen) << what;
    show(text);
    EXPECT_EQ(save(file), TextFile::Saved::Yes) << what;
    EXPECT_EQ(scratch.get("file.txt"), bytes) << what;
  }
}

// A line the player adds ends like most lines of the file; the lines around it keep their own ends.
TEST_F(TextRoundTrip, AddedLinesTakeTheFilesMostFrequentEnd) {
  const std::pair<std::string, std::string> cases[] = {
      {"one\r\ntwo\nthree\r\n", "one\r\ntwo\nadded\r\nthree\r\n"},
      {"one\rtwo\rthree\n", "one\rtwo\radded\rthree\n"},
      {"one\ntwo\rthree\r\n", "one\ntwo\radded\nthree\r\n"},
  };
  for (const auto& [before, after] : cases) {
    scratch.put("file.cfg", before);
    TextFile file = open("file.cfg");
    QTextCursor cursor(edit_.document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral("\nadded"));
    ASSERT_EQ(save(file), TextFile::Saved::Yes);
    EXPECT_EQ(scratch.get("file.cfg"), after) << before;
  }
}

// A Windows-1252 file is not saved with characters it cannot hold; the caller may choose UTF-8.
TEST_F(TextRoundTrip, CharactersTheEncodingCannotHoldAreReportedNotLost) {
  scratch.put("names.cfg", "name Caf\xE9\n");
  TextFile file = open("names.cfg");
  edit_.moveCursor(QTextCursor::End);
  edit_.insertPlainText(QStringLiteral("name \u20AC\u0151\U0001F600\u0151\n"));
  EXPECT_EQ(save(file), TextFile::Saved::Unencodable);
  EXPECT_EQ(file.unencodable(), QStringLiteral("\u0151\U0001F600"));
  EXPECT_EQ(scratch.get("names.cfg"), "name Caf\xE9\n");

  file.setEncoding(Encoding::Utf8);
  ASSERT_EQ(save(file), TextFile::Saved::Yes);
  EXPECT_EQ(scratch.get("names.cfg"),
            "name Caf\xC3\xA9\nname \xE2\x82\xAC\xC5\x91\xF0\x9F\x98\x80\xC5\x91\n");
}

// The window takes a large file in a part at a time; saving before all of it is in would cut it short.
TEST_F(TextRoundTrip, LargeFileIsNotSavedUntilItIsAllIn) {
  std::string bytes;
  for (int i = 0; i < 25000; ++i)
    bytes += "bind k" + std::to_string(i) + (i % 3 ? " +attack\r\n" : " +jump\n");
  scratch.put("big.cfg", bytes);
  EditorWindow window(scratch.at("big.cfg"));
  ASSERT_TRUE(window.isLoading());
  EXPECT_FALSE(window.save());
  EXPECT_EQ(scratch.get("big.cfg"), bytes);
  while (window.isLoading()) QApplication::processEvents();
  EXPECT_TRUE(window.save());
  EXPECT_EQ(scratch.get("big.cfg"), bytes);
}

// Nothing but a whole regular file is read, nothing blocks, and a refused file is never written.
TEST_F(TextRoundTrip, OddFilesAreRefusedWithAReasonAndNeverWritten) {
  ASSERT_EQ(::mkfifo(scratch.at("pipe").c_str(), 0644), 0);
  fs::create_directory(scratch.at("baseq2"));
  fs::create_symlink("/dev/zero", scratch.at("zero"));
  scratch.put("huge", "");
  fs::resize_file(scratch.at("huge"), TextFile::kSizeLimit + 1);  // sparse: costs no disk
  const std::pair<const char*, const char*> cases[] = {
      {"pipe", "named pipe"}, {"baseq2", "folder"}, {"zero", "device"}, {"huge", "larger than 64 MiB"}};
  for (const auto& [name, reason] : cases) {
    TextFile file(scratch.at(name));
    EXPECT_FALSE(file.load()) << name;
    EXPECT_TRUE(file.errorString().contains(reason)) << file.errorString().toStdString();
    EXPECT_TRUE(file.takeText().isEmpty());
    EXPECT_EQ(file.save(QStringLiteral("typed")), TextFile::Saved::No) << name;
  }
}

// A full disk: the save says why, and every old byte stays (the file layer also leaves no temporary
// file, and keeps read-only files).
TEST_F(TextRoundTrip, FailedSaveSaysWhyAndKeepsTheOldFile) {
  const std::string old(3000, 'o');
  scratch.put("full.cfg", old);
  EXPECT_EQ(0, testing::inChildWithFileSizeLimit(4096, [&] {
              TextFile file(scratch.at("full.cfg"));
              return file.load() && file.save(QString(100000, QLatin1Char('n'))) == TextFile::Saved::No &&
                             file.errorString().contains(QStringLiteral("disk is full"))
                         ? 0
                         : 1;
            }));
  EXPECT_EQ(scratch.get("full.cfg"), old);
}

// A missing name is an empty new document that the first save creates; the name's bytes reach the
// system as they are, even when they are not UTF-8.
TEST_F(TextRoundTrip, OpensAndCreatesTheVeryFileNamed) {
  const std::string name = "caf\xE9 my.cfg";
  const std::string full = scratch.at(name);
  const char* argv[] = {"fendral-notepad", full.c_str()};
  TextFile file(fileNameFromArguments(2, argv));
  EXPECT_TRUE(file.load() && !file.existed() && file.takeText().isEmpty());
  EXPECT_TRUE(scratch.names().empty());  // opening alone creates nothing
  EXPECT_EQ(file.displayName(), QStringLiteral("caf\uFFFD my.cfg"));
  ASSERT_EQ(file.save(QStringLiteral("bind x +attack\n")), TextFile::Saved::Yes);
  EXPECT_EQ(scratch.names(), std::set<std::string>{name});
  TextFile again(full);
  ASSERT_TRUE(again.load() && again.existed());
  EXPECT_EQ(again.takeText(), QStringLiteral("bind x +attack\n"));

  const char* words[] = {"fendral-notepad", "/q2/my", "config.cfg"};
  EXPECT_EQ(fileNameFromArguments(3, words), "/q2/my config.cfg");
}

}  // namespace
}  // namespace fendral::notepad
