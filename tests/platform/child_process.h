// Runs a check in a child process, optionally as an ordinary user, for tests of behaviour that
// root would not see (permissions) or that must not disturb the test process (resource limits).
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace tavrin::testing_support {

inline constexpr int kChildCouldNotDropRoot = 125;

enum class ChildUser { Same, Nobody };

// The child's wait status (see waitpid), or -1 when it could not be started or waited for.
inline int RunInChildWaitStatus(ChildUser user, const std::function<int()>& check) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (user == ChildUser::Nobody && geteuid() == 0) {
      const uid_t nobody = 65534;
      if (setgid(nobody) != 0 || setuid(nobody) != 0) _exit(kChildCouldNotDropRoot);
    }
    _exit(check());
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return -1;
  return status;
}

// The child's exit status: `check`'s result, or kChildCouldNotDropRoot, or -1 when the child
// did not exit normally. The test processes here have one thread, so the child may do anything
// the test could.
inline int RunInChild(ChildUser user, const std::function<int()>& check) {
  const int status = RunInChildWaitStatus(user, check);
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tavrin::testing_support
