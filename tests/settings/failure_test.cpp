#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "settings/private_profile.h"
#include "temp_folder.h"

namespace fendral::settings {
namespace {

constexpr uid_t kNobody = 65534;
constexpr std::string_view kOld = "[Main]\r\nOptions=+set vid_ref gl, a long old value\r\n; a note\r\n";

// The exit code of `body` run in a child, so limits and user changes made there stay there.
template <typename Body>
int inChild(Body body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Failing : public TempFolder {
 protected:
  void SetUp() override {
    TempFolder::SetUp();
    put(kOld);
  }
  bool write(std::string_view value) { return writeProfileString("Main", "Options", value, ini()); }
  void expectUntouched() {
    EXPECT_EQ(get(), kOld);
    EXPECT_EQ(entries(), 1u);
  }
};

TEST_F(Failing, ReadOnlyFileIsLeftAloneEvenForRoot) {
  std::filesystem::permissions(host(), std::filesystem::perms(0444));
  EXPECT_FALSE(write("changed"));
  expectUntouched();
}

TEST_F(Failing, FullDiskKeepsTheOldFileWhole) {
  EXPECT_EQ(inChild([this] {
              ::signal(SIGXFSZ, SIG_IGN);
              const rlimit limit{16, 16};
              ::setrlimit(RLIMIT_FSIZE, &limit);
              return write(std::string(200, 'x')) ? 1 : 0;
            }),
            0);
  expectUntouched();
}

TEST_F(Failing, PathsThatCannotNameAFile) {
  EXPECT_FALSE(writeProfileString("Main", "a", "1", ini("fendral.ini\\fendral.ini")));
  EXPECT_FALSE(writeProfileString("Main", "a", "1", ini("missing\\fendral.ini")));
  expectUntouched();
  std::filesystem::remove(host());
  std::filesystem::create_directory(host());
  EXPECT_FALSE(write("x"));
  EXPECT_TRUE(std::filesystem::is_empty(host()));
}

// A folder that takes no new files still lets a writable file be rewritten where it stands. Root may
// create files anywhere, so the write runs as an ordinary user.
TEST_F(Failing, LockedFolderRewritesTheFileInPlace) {
  if (::geteuid() == 0) {
    std::filesystem::permissions(folder_, std::filesystem::perms(0755));
    ASSERT_EQ(::chown(host().c_str(), kNobody, kNobody), 0);
  }
  std::filesystem::permissions(folder_, std::filesystem::perms(0555));
  const int code = inChild([this] {
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) return 77;
    if (::access(host().c_str(), W_OK) != 0) return 77;  // the folder is out of that user's reach
    return write("new") ? 0 : 1;
  });
  if (code == 77) GTEST_SKIP() << "no unprivileged user can reach the test folder";
  EXPECT_EQ(code, 0);
  EXPECT_EQ(get(), "[Main]\r\nOptions=new\r\n; a note\r\n");
}

}  // namespace
}  // namespace fendral::settings
