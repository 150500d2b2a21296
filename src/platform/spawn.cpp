#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/host_platform.h"
#include "platform/unique_fd.h"

namespace fendral::platform {

namespace {

// Between fork and exec only async-signal-safe calls: the launcher may have other threads (the
// toolkit's), whose locks a forked child would inherit held.

[[noreturn]] void reportFailure(int errorPipe) {
  const int error = errno;
  [[maybe_unused]] const ssize_t written = ::write(errorPipe, &error, sizeof error);
  ::_exit(127);
}

// Every descriptor above 2 closes at the exec, the error pipe's included, so the program inherits none.
void closeOnExecAbove2() {
  if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0) return;
  struct rlimit limit {};
  const rlim_t last =
      ::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < 65536 ? limit.rlim_cur : 65536;
  for (int fd = 3; static_cast<rlim_t>(fd) < last; ++fd) {
    const int flags = ::fcntl(fd, F_GETFD);
    if (flags >= 0) ::fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
  }
}

[[noreturn]] void execProgram(char* const* argv, const char* folder, int readEnd, int errorPipe) {
  ::close(readEnd);
  if (folder != nullptr && ::chdir(folder) != 0) reportFailure(errorPipe);
  const int devNull = ::open("/dev/null", O_RDONLY);
  if (devNull < 0 || ::dup2(devNull, STDIN_FILENO) < 0) reportFailure(errorPipe);
  if (devNull != STDIN_FILENO) ::close(devNull);
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  closeOnExecAbove2();
  // The pipe is close-on-exec: a successful exec closes it without a word.
  ::execv(argv[0], argv);
  reportFailure(errorPipe);
}

// The middle process gives the program a session of its own and leaves at once, so the program is
// adopted by init and never lingers as the launcher's zombie.
[[noreturn]] void detach(char* const* argv, const char* folder, int readEnd, int errorPipe) {
  if (::setsid() < 0) reportFailure(errorPipe);
  const pid_t program = ::fork();
  if (program < 0) reportFailure(errorPipe);
  if (program == 0) execProgram(argv, folder, readEnd, errorPipe);
  ::_exit(0);
}

}  // namespace

bool spawnDetached(const Command& argv, const std::string& workingFolder) {
  if (argv.empty()) return false;
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return false;
  UniqueFd readEnd(ends[0]);
  UniqueFd writeEnd(ends[1]);

  const pid_t middle = ::fork();
  if (middle < 0) return false;
  if (middle == 0)
    detach(args.data(), workingFolder.empty() ? nullptr : workingFolder.c_str(), readEnd.get(),
           writeEnd.get());

  // Only the program may hold the write end now, so the read below ends at its exec or its failure.
  writeEnd.reset();
  int status = 0;
  while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }

  int error = 0;
  std::size_t got = 0;
  while (got < sizeof error) {
    const ssize_t n = ::read(readEnd.get(), reinterpret_cast<char*>(&error) + got, sizeof error - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  return got == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace fendral::platform
