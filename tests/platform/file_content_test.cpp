#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_content.h"
#include "platform/unique_fd.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"

namespace fendral::platform {
namespace {

namespace fs = std::filesystem;
using testing::becomeNobody;
using testing::inChild;
using testing::inChildWithFileSizeLimit;

constexpr std::string_view kOld = "[Main]\nOptions=+set vid_ref gl\n";
const std::string kLonger(300, 'n');

// Each test in a fresh folder; names are relative to it.
class FileContent : public ::testing::Test, protected testing::ScratchFolder {
 protected:
  FileContent() : ScratchFolder("fendral-files") {}
  FileOutcome replace(const fs::path& name, std::string_view bytes) const {
    return replaceFileContent(at(name), bytes);
  }
  struct stat info(const fs::path& name) const {
    struct stat result {};
    ::lstat(at(name).c_str(), &result);
    return result;
  }
};

TEST_F(FileContent, ReadsOnlyWholeRegularFilesAndNeverBlocks) {
  put("small", "abc");
  ASSERT_EQ(::mkfifo(at("fifo").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", at("zero"));
  fs::create_symlink("nowhere", at("dangling"));
  fs::create_directory(at("folder"));
  put("huge", "");
  fs::resize_file(at("huge"), std::uintmax_t{1} << 40);  // sparse: no disk is spent on it
  const std::tuple<const char*, std::size_t, FileError> rows[] = {
      {"small", 3, FileError::None},          {"small", 2, FileError::TooLarge},
      {"fifo", 100, FileError::NotRegular},   {"zero", 100, FileError::NotRegular},
      {"folder", 100, FileError::NotRegular}, {"huge", 16 << 20, FileError::TooLarge},
      {"missing", 100, FileError::NotFound},  {"small/x", 100, FileError::NotFound},
      {"dangling", 100, FileError::NotFound},
  };
  for (const auto& [name, limit, error] : rows) {
    const FileRead read = readFileContent(at(name), limit);
    EXPECT_EQ(read.outcome.error, error) << name;
    EXPECT_EQ(read.bytes, error == FileError::None ? "abc" : "") << name;
  }
}

TEST_F(FileContent, KeepsLinksAndPermissions) {
  put("real", kOld);
  fs::create_symlink("real", at("link"));
  fs::create_symlink("made", at("dangling"));
  fs::create_symlink("dangling", at("chain"));
  put("one", kOld);
  fs::create_hard_link(at("one"), at("two"));
  put("mode", kOld);
  fs::permissions(at("mode"), fs::perms(0604));

  ASSERT_TRUE(replace("link", "through the link"));
  ASSERT_TRUE(replace("chain", "created"));
  ASSERT_TRUE(replace("one", kLonger));
  ASSERT_TRUE(replace("mode", "m"));
  EXPECT_TRUE(fs::is_symlink(at("link")));
  EXPECT_EQ(get("real"), "through the link");
  EXPECT_TRUE(fs::is_symlink(at("dangling")) && fs::is_symlink(at("chain")));
  EXPECT_EQ(get("made"), "created");
  EXPECT_EQ(get("two"), kLonger);
  EXPECT_EQ(fs::status(at("mode")).permissions(), fs::perms(0604));
  EXPECT_EQ(names(),
            (std::set<std::string>{"chain", "dangling", "link", "made", "mode", "one", "real", "two"}));
}

// Root gives a file back to its owner; a member of the file's group keeps at least the group.
TEST_F(FileContent, KeepsOwnerAndGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can hand files to other users";
  constexpr gid_t kShared = 4242;
  fs::permissions(path(), fs::perms(0777));
  put("theirs", kOld);
  ASSERT_EQ(::chown(at("theirs").c_str(), testing::kNobody, testing::kNoGroup), 0);
  put("shared", kOld);
  ASSERT_EQ(::chown(at("shared").c_str(), 0, kShared), 0);
  fs::permissions(at("shared"), fs::perms(0664));

  // A set-group-ID folder hands its group to new files, which the old file did not have.
  fs::create_directory(at("setgid"));
  put("setgid/own", kOld);
  ASSERT_EQ(::chown(at("setgid").c_str(), 0, kShared), 0);
  fs::permissions(at("setgid"), fs::perms(02777));

  ASSERT_TRUE(replace("theirs", "new"));
  ASSERT_TRUE(replace("setgid/own", "new"));
  EXPECT_EQ(info("setgid/own").st_gid, 0u);
  EXPECT_EQ(0, inChild([&] { return becomeNobody(kShared) && replace("shared", "new") ? 0 : 1; }));
  EXPECT_EQ(info("theirs").st_uid, testing::kNobody);
  EXPECT_EQ(info("theirs").st_gid, testing::kNoGroup);
  EXPECT_EQ(info("shared").st_gid, kShared);
  EXPECT_EQ(info("shared").st_mode & 07777, 0664u);
  EXPECT_EQ(get("theirs") + get("shared"), "newnew");
}

TEST_F(FileContent, FailuresLeaveTheOldBytesWhole) {
  put("readonly", kOld);
  fs::permissions(at("readonly"), fs::perms(0444));
  ASSERT_EQ(::mkfifo(at("fifo").c_str(), 0644), 0);
  fs::create_directory(at("folder"));
  put("full", kOld);
  put("linked", kOld);
  fs::create_hard_link(at("linked"), at("other"));
  const auto before = names();

  EXPECT_EQ(replace("readonly", "x").error, FileError::ReadOnly);  // root included
  EXPECT_EQ(replace("fifo", "x").error, FileError::NotRegular);
  EXPECT_EQ(replace("folder", "x").error, FileError::NotRegular);
  EXPECT_EQ(replace("missing/file", "x").error, FileError::NotFound);
  EXPECT_EQ(replace("full/file", "x").error, FileError::NotFound);
  // A full disk, met by the temporary file and by the rewrite in place of a hard-linked file.
  const auto noSpace = [&](const char* name) {
    return inChildWithFileSizeLimit(
        kOld.size() + 10, [&] { return replace(name, kLonger).error == FileError::NoSpace ? 0 : 1; });
  };
  EXPECT_EQ(noSpace("full"), 0);
  EXPECT_EQ(noSpace("linked"), 0);
  for (const char* name : {"readonly", "full", "linked", "other"}) EXPECT_EQ(get(name), kOld) << name;
  EXPECT_EQ(names(), before);
}

// A folder that takes no new files, or a sticky folder and another's file: the rename is refused, but
// a file the player may write is still rewritten where it stands.
TEST_F(FileContent, RewritesInPlaceWhereARenameCannotServe) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to set up another user's file";
  fs::permissions(path(), fs::perms(0755));
  for (const auto& [sub, mode] : {std::pair{"locked", 0555}, std::pair{"sticky", 01777}}) {
    fs::create_directory(at(sub));
    put(fs::path(sub) / "file", kOld);
    fs::permissions(at(fs::path(sub) / "file"), fs::perms(0666));
    fs::permissions(at(sub), fs::perms(mode));
  }
  EXPECT_EQ(0, inChild([&] {
              return becomeNobody() && replace("locked/file", kLonger) && replace("sticky/file", "short") ? 0
                                                                                                          : 1;
            }));
  EXPECT_EQ(get("locked/file"), kLonger);
  EXPECT_EQ(get("sticky/file"), "short");
  EXPECT_EQ(info("sticky/file").st_uid, 0u);
  EXPECT_EQ(names("sticky"), std::set<std::string>{"file"});
}

// What each flush of a replacement of "f" makes durable: the new file's bytes, then the folder with
// the new file under the name.
std::vector<std::string> flushed;
void recordFlush(int fd) {
  struct stat info {};
  ::fstat(fd, &info);
  const UniqueFd named(S_ISDIR(info.st_mode) ? ::openat(fd, "f", O_RDONLY | O_CLOEXEC) : ::dup(fd));
  std::string bytes(64, '\0');
  bytes.resize(
      static_cast<std::size_t>(std::max<ssize_t>(0, ::pread(named.get(), bytes.data(), bytes.size(), 0))));
  flushed.push_back((S_ISDIR(info.st_mode) ? "folder, f holding " : "file holding ") + bytes);
}

TEST_F(FileContent, FlushesTheNewFileThenItsFolderWithTheFileInPlace) {
  put("f", kOld);
  const FlushWatcher before = watchFlushes(recordFlush);
  EXPECT_TRUE(replace("f", "new"));
  watchFlushes(before);
  EXPECT_EQ(flushed, (std::vector<std::string>{"file holding new", "folder, f holding new"}));
}

TEST_F(FileContent, RemovesTemporariesOfAKilledSave) {
  put("f", kOld);
  // Killed by the file-size limit halfway through writing its temporary file.
  EXPECT_EQ(-1, inChildWithFileSizeLimit(
                    100, [&] { return replace("f", kLonger) ? 0 : 1; }, true));
  ASSERT_EQ(names().size(), 2u);
  put(".f.fendral-inuse1", "a save in progress");
  UniqueFd inUse(::open(at(".f.fendral-inuse1").c_str(), O_RDONLY));
  ASSERT_EQ(::flock(inUse.get(), LOCK_EX), 0);
  put(".f.fendral-toolong", "not ours");
  put(".g.fendral-abcdef", "another file's");

  ASSERT_TRUE(replace("f", "new"));
  EXPECT_EQ(get("f"), "new");
  EXPECT_EQ(names(),
            (std::set<std::string>{".f.fendral-inuse1", ".f.fendral-toolong", ".g.fendral-abcdef", "f"}));
}

}  // namespace
}  // namespace fendral::platform
