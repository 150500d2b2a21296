#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <gtest/gtest.h>

#include "platform/file_lock.h"
#include "support/scratch_folder.h"

namespace fendral::platform {
namespace {

// Another process holding the lock keeps it for the whole wait; killed, it leaves no lock behind. A
// folder in the lock file's place leaves no lock to take at all.
TEST(FileLock, WaitsForItsHolderWhichLeavesNothingBehindWhenKilled) {
  const fendral::testing::ScratchFolder scratch;
  const std::string path = scratch.at(".fendral.ini.lock");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    const FileLock lock = FileLock::acquire(path, 0);
    if (::write(ready[1], "x", 1) == 1 && lock.state() == FileLock::State::Held) ::pause();
    ::_exit(1);
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  EXPECT_EQ(FileLock::acquire(path, 50).state(), FileLock::State::Busy);
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_EQ(FileLock::acquire(path, 0).state(), FileLock::State::Held);
  EXPECT_EQ(FileLock::acquire(scratch.path().string(), 0).state(), FileLock::State::Unavailable);
  ::close(ready[0]);
  ::close(ready[1]);
}

}  // namespace
}  // namespace fendral::platform
