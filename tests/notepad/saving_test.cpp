#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "notepad_files.h"
#include "text_file.h"

namespace fendral::notepad {
namespace {

class Saving : public NotepadFiles {
 protected:
  struct stat statOf(const std::string& name) const {
    struct stat info {};
    ::stat(path(name).c_str(), &info);
    return info;
  }
};

// A full disk: the save fails, says so, and the file keeps every old byte.
TEST_F(Saving, FullDiskLeavesTheOldFileWhole) {
  const std::string old(3000, 'o');
  write("autoexec.cfg", old);
  const int result = inChild([&] {
    TextFile file(path("autoexec.cfg"));
    if (!file.load()) return 1;
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    return file.save(QString(100000, QLatin1Char('n'))) == TextFile::Saved::No ? 0 : 3;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(read("autoexec.cfg"), old);
  EXPECT_EQ(entries(), 1u);
}

// Read-only stays read-only, also for root; a saved file keeps its mode, owner and group.
TEST_F(Saving, KeepsPermissionsAndOwners) {
  write("locked.cfg", "keep");
  ASSERT_EQ(::chmod(path("locked.cfg").c_str(), 0444), 0);
  TextFile locked(path("locked.cfg"));
  ASSERT_TRUE(locked.load());
  EXPECT_EQ(locked.save(QStringLiteral("changed")), TextFile::Saved::No);
  EXPECT_FALSE(locked.errorString().isEmpty());
  EXPECT_EQ(read("locked.cfg"), "keep");
  EXPECT_EQ(statOf("locked.cfg").st_mode & 07777, 0444u);

  write("shared.cfg", "old");
  ASSERT_EQ(::chmod(path("shared.cfg").c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path("shared.cfg").c_str(), kNobody, 100), 0);
  }
  TextFile shared(path("shared.cfg"));
  ASSERT_TRUE(shared.load());
  ASSERT_EQ(shared.save(QStringLiteral("new")), TextFile::Saved::Yes);
  EXPECT_EQ(read("shared.cfg"), "new");
  EXPECT_EQ(statOf("shared.cfg").st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(statOf("shared.cfg").st_uid, kNobody);
    EXPECT_EQ(statOf("shared.cfg").st_gid, 100u);
  }
}

// The player may write the file but not the folder: the file is rewritten where it is.
TEST_F(Saving, WritableFileInAFolderThatRefusesNewFiles) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0755), 0);
  write("player.cfg", "old\n");
  ASSERT_EQ(::chown(path("player.cfg").c_str(), kNobody, kNobody), 0);
  const int result = inChild(
      [&] {
        TextFile file(path("player.cfg"));
        if (!file.load()) return 1;
        return file.save(QStringLiteral("new\n")) == TextFile::Saved::Yes ? 0 : 2;
      },
      true);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(read("player.cfg"), "new\n");
  EXPECT_EQ(entries(), 1u);
}

// The name's bytes reach the system as they are, even when they are not UTF-8.
TEST_F(Saving, NonUtf8FileNameIsThatVeryFile) {
  const std::string name = "caf\xE9.cfg";
  write(name, "bind x +attack\n");
  const std::string full = path(name);
  const char* argv[] = {"fendral-notepad", full.c_str()};
  TextFile file(fileNameFromArguments(2, argv));
  ASSERT_TRUE(file.load());
  EXPECT_EQ(file.takeText(), QStringLiteral("bind x +attack\n"));
  EXPECT_EQ(file.displayName(), QStringLiteral("caf\uFFFD.cfg"));
  ASSERT_EQ(file.save(QStringLiteral("bind y +jump\n")), TextFile::Saved::Yes);
  EXPECT_EQ(read(name), "bind y +jump\n");
  EXPECT_EQ(entries(), 1u);

  const char* words[] = {"fendral-notepad", "/q2/my", "config.cfg"};
  EXPECT_EQ(fileNameFromArguments(3, words), "/q2/my config.cfg");
}

}  // namespace
}  // namespace fendral::notepad
