// The working directory's run lock: a second run in the same directory waits for the first.
#include "run/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/console.h"

namespace {

void warnUnlocked(int error) {
  consolef("WARNING: could not lock the working directory (%s): a run started here meanwhile could "
              "mix its files with this one's\n",
              std::strerror(error));
}

}  // namespace

void lockWorkingDirectory() {
  // The directory itself is locked, not a lock file in it: nothing is left behind, and no
  // run can lock a file that the run before it has just removed.
  const int fd = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    warnUnlocked(errno);
    return;
  }
  // The descriptor stays open: the lock lasts until the process ends, whichever way it ends.
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return;
  if (errno != EWOULDBLOCK) {
    warnUnlocked(errno);
    ::close(fd);
    return;
  }
  // Waiting is what a cron user wants: a run started while the last one is still busy (a long
  // log, a slow disk) would otherwise have to drop its log's games, and nothing reads that log
  // again. Runs started together work through their logs one after the other.
  consolef("Another run is working in this directory: waiting for it to finish...\n");
  flushConsole();
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      warnUnlocked(errno);
      ::close(fd);
      return;
    }
  }
}
