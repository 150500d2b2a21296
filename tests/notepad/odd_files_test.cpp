#include <sys/stat.h>

#include "notepad_files.h"
#include "text_file.h"

namespace fendral::notepad {
namespace {

class OddFiles : public NotepadFiles {};

// Nothing but a whole regular file is read, nothing blocks, and a refused file is never written.
TEST_F(OddFiles, AreRefusedWithAReasonAndNeverWritten) {
  ASSERT_EQ(::mkfifo(scratch.at("pipe").c_str(), 0644), 0);
  std::filesystem::create_directory(scratch.at("baseq2"));
  std::filesystem::create_symlink("/dev/zero", scratch.at("zero"));
  scratch.put("huge", "");
  std::filesystem::resize_file(scratch.at("huge"), TextFile::kSizeLimit + 1);  // sparse: costs no disk
  const struct {
    const char* name;
    const char* reason;
  } cases[] = {
      {"pipe", "named pipe"}, {"baseq2", "folder"}, {"zero", "device"}, {"huge", "larger than 64 MiB"}};
  for (const auto& c : cases) {
    TextFile file(scratch.at(c.name));
    EXPECT_FALSE(file.load()) << c.name;
    EXPECT_TRUE(file.errorString().contains(QString::fromUtf8(c.reason))) << file.errorString().toStdString();
    EXPECT_TRUE(file.takeText().isEmpty());
    EXPECT_EQ(file.save(QStringLiteral("typed")), TextFile::Saved::No) << c.name;
    EXPECT_TRUE(file.isRefused());
  }
  EXPECT_EQ(std::filesystem::file_size(scratch.at("huge")), TextFile::kSizeLimit + 1);
  EXPECT_TRUE(std::filesystem::is_fifo(scratch.at("pipe")));
  EXPECT_EQ(scratch.names().size(), 4u);  // nothing left behind
  EXPECT_EQ(scratch.names("baseq2").size(), 0u);
}

// A missing name is an empty new document; the first save creates it, through a dangling link too.
TEST_F(OddFiles, MissingFileIsCreatedOnTheFirstSave) {
  std::filesystem::create_symlink("target.cfg", scratch.at("link.cfg"));
  for (const char* name : {"my config.cfg", "link.cfg"}) {
    TextFile file(scratch.at(name));
    EXPECT_TRUE(file.load() && !file.existed() && file.takeText().isEmpty()) << name;
    EXPECT_EQ(scratch.names().size(), name[0] == 'm' ? 1u : 2u);  // opening alone creates nothing
    ASSERT_EQ(file.save(QStringLiteral("exec autoexec.cfg\n")), TextFile::Saved::Yes);
    EXPECT_EQ(scratch.get(name), "exec autoexec.cfg\n");
  }
  EXPECT_TRUE(std::filesystem::is_symlink(scratch.at("link.cfg")));
}

}  // namespace
}  // namespace fendral::notepad
