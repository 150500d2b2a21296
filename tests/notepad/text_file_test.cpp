#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/scratch_folder.h"
#include "text_file.h"

namespace fendral::notepad {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
 protected:
  testing::ScratchFolder scratch{"notepad"};
};

// Nothing but a whole regular file is read, nothing blocks, and a refused file is never written.
TEST_F(TextFileTest, OddFilesAreRefusedWithAReasonAndNeverWritten) {
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
  EXPECT_EQ(fs::file_size(scratch.at("huge")), TextFile::kSizeLimit + 1);
  EXPECT_TRUE(fs::is_fifo(scratch.at("pipe")));
  EXPECT_EQ(scratch.names().size(), 4u);  // nothing left behind
  EXPECT_TRUE(fs::is_empty(scratch.at("baseq2")));
}

// A full disk: the save says why, and every old byte stays (the file layer keeps read-only files too).
TEST_F(TextFileTest, FailedSaveSaysWhyAndKeepsTheOldFile) {
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
  EXPECT_EQ(scratch.names().size(), 1u);  // no temporary file left behind
}

// A missing name is an empty new document that the first save creates; the name's bytes reach the
// system as they are, even when they are not UTF-8.
TEST_F(TextFileTest, OpensAndCreatesTheVeryFileNamed) {
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
