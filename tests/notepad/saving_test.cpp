#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "notepad_files.h"
#include "text_file.h"

namespace fendral::notepad {
namespace {

class Saving : public NotepadFiles {};

// A full disk or a read-only file (also for root): the save says it failed and every old byte stays.
TEST_F(Saving, FailedSaveSaysSoAndKeepsTheOldFile) {
  const std::string old(3000, 'o');
  scratch.put("full.cfg", old);
  const int result = inChild([&] {
    TextFile file(scratch.at("full.cfg"));
    if (!file.load()) return 1;
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    if (file.save(QString(100000, QLatin1Char('n'))) != TextFile::Saved::No) return 3;
    return file.errorString().contains(QStringLiteral("disk is full")) ? 0 : 4;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(scratch.get("full.cfg"), old);

  scratch.put("locked.cfg", old);
  ASSERT_EQ(::chmod(scratch.at("locked.cfg").c_str(), 0444), 0);
  TextFile locked(scratch.at("locked.cfg"));
  ASSERT_TRUE(locked.load());
  EXPECT_EQ(locked.save(QStringLiteral("changed")), TextFile::Saved::No);
  EXPECT_TRUE(locked.errorString().contains(QStringLiteral("read-only")));
  EXPECT_EQ(scratch.get("locked.cfg"), old);
  struct stat info {};
  ASSERT_EQ(::stat(scratch.at("locked.cfg").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0444u);
  EXPECT_EQ(scratch.names().size(), 2u);  // no temporary file left behind
}

// The name's bytes reach the system as they are, even when they are not UTF-8.
TEST_F(Saving, NonUtf8FileNameIsThatVeryFile) {
  const std::string name = "caf\xE9.cfg";
  scratch.put(name, "bind x +attack\n");
  const std::string full = scratch.at(name);
  const char* argv[] = {"fendral-notepad", full.c_str()};
  TextFile file(fileNameFromArguments(2, argv));
  ASSERT_TRUE(file.load());
  EXPECT_EQ(file.takeText(), QStringLiteral("bind x +attack\n"));
  EXPECT_EQ(file.displayName(), QStringLiteral("caf\uFFFD.cfg"));
  ASSERT_EQ(file.save(QStringLiteral("bind y +jump\n")), TextFile::Saved::Yes);
  EXPECT_EQ(scratch.get(name), "bind y +jump\n");
  EXPECT_EQ(scratch.names().size(), 1u);

  const char* words[] = {"fendral-notepad", "/q2/my", "config.cfg"};
  EXPECT_EQ(fileNameFromArguments(3, words), "/q2/my config.cfg");
}

}  // namespace
}  // namespace fendral::notepad
