#pragma once

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace fendral::testing {

inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNoGroup = 65534;

// The exit code of `body` run in a forked child, so limits and user changes made there stay there; -1
// when the child did not exit by itself.
template <typename Body>
int inChild(Body body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// `inChild` with files that may not grow past `bytes`, as on a full disk: a write past it fails, or
// kills the child when `killed`.
template <typename Body>
int inChildWithFileSizeLimit(rlim_t bytes, Body body, bool killed = false) {
  return inChild([&] {
    std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
    const rlimit limit{bytes, bytes};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? body() : 99;
  });
}

// In a child of a test run as root: becomes the unprivileged user, also a member of `group`. False
// when the test does not run as root.
inline bool becomeNobody(gid_t group = kNoGroup) {
  const gid_t groups[] = {group};
  return ::geteuid() == 0 && ::setgroups(1, groups) == 0 && ::setgid(kNoGroup) == 0 && ::setuid(kNobody) == 0;
}

}  // namespace fendral::testing
