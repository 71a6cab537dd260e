// Interrupts of a run: a thread takes SIGINT and SIGTERM as they come and clears up after the run.
#include "run/interrupt.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <mutex>
#include <thread>

#include "run/main_loop.h"

namespace {

// Where the pages are written, and the prefix of a page's temporary name there: ".kx-", the
// writing process's id, "-", a sequence number (see src/out/page_files.cpp).
constexpr char kPageDirectory[] = "html";
constexpr char kTemporaryPrefix[] = ".kx-";

struct Watch {
  sigset_t signals;  // the ones waited for
  std::mutex mutex;  // over `preparser` and the clearing up
  pid_t preparser = 0;
  bool ownsTempFiles = false;
};

Watch& watch() {
  static Watch* w = new Watch();  // never destroyed: the watching thread outlives main()
  return *w;
}

// The process id a temporary page's name carries, or 0 when `name` is no such name.
long temporaryPageOwner(const char* name) {
  if (std::strncmp(name, kTemporaryPrefix, sizeof kTemporaryPrefix - 1) != 0) return 0;
  const char* digits = name + sizeof kTemporaryPrefix - 1;
  char* end = nullptr;
  errno = 0;
  const long pid = std::strtol(digits, &end, 10);
  if (end == digits || *end != '-' || errno != 0 || pid <= 0) return 0;
  return pid;
}

// Removes the temporary pages in html/ whose owner `remove` picks.
template <class Pick>
void removeTemporaryPages(Pick remove) {
  DIR* dir = ::opendir(kPageDirectory);
  if (dir == nullptr) return;
  const int fd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const long owner = temporaryPageOwner(entry->d_name);
    if (owner != 0 && remove(owner)) ::unlinkat(fd, entry->d_name, 0);
  }
  ::closedir(dir);
}

[[noreturn]] void endBy(int signo) {
  Watch& w = watch();
  std::lock_guard<std::mutex> lock(w.mutex);
  if (w.preparser != 0) {
    // Killed outright, then waited for (not reaped: the run's own wait does that), so that it
    // can write no file after the ones below are removed.
    ::kill(w.preparser, SIGKILL);
    siginfo_t info;
    while (::waitid(P_PID, static_cast<id_t>(w.preparser), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
  }
  const long self = static_cast<long>(::getpid());
  removeTemporaryPages([self](long owner) { return owner == self; });
  if (w.ownsTempFiles) cleanUpTempFiles();
  // The process ends by the signal itself, so that whoever started it sees why.
  std::signal(signo, SIG_DFL);
  sigset_t just;
  sigemptyset(&just);
  sigaddset(&just, signo);
  ::pthread_sigmask(SIG_UNBLOCK, &just, nullptr);
  ::raise(signo);
  std::_Exit(128 + signo);
}

bool ignoredAtStart(int signo) {
  struct sigaction current {};
  return ::sigaction(signo, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

void watchInterrupts() {
  // No handler runs inside the interrupted code: the signals stay blocked everywhere but in
  // sigwait, so the clearing up is ordinary code on a thread of its own. It works the same
  // whether the run is reading, writing a page, waiting for the pre-parser or for the lock.
  Watch& w = watch();
  sigemptyset(&w.signals);
  for (const int signo : {SIGINT, SIGTERM}) {
    if (!ignoredAtStart(signo)) sigaddset(&w.signals, signo);
  }
  if (::pthread_sigmask(SIG_BLOCK, &w.signals, nullptr) != 0) return;
  try {
    std::thread([&w] {
      int signo = 0;
      while (::sigwait(&w.signals, &signo) != 0) {
      }
      endBy(signo);
    }).detach();
  } catch (const std::exception&) {
    // Without the thread the signals end the run as they always did.
    ::pthread_sigmask(SIG_UNBLOCK, &w.signals, nullptr);
  }
}

void ownTempFiles() {
  std::lock_guard<std::mutex> lock(watch().mutex);
  watch().ownsTempFiles = true;
}

pid_t forkPreparser() {
  // Under the lock, so that no interrupt comes between the fork and the child's id noted.
  std::unique_lock<std::mutex> lock(watch().mutex);
  const pid_t pid = ::fork();
  if (pid == 0) {
    // The child has only this thread: it neither unlocks nor touches the lock again.
    lock.release();
    return 0;
  }
  if (pid > 0) watch().preparser = pid;
  return pid;
}

void preparserEnded(pid_t pid, int* status) {
  siginfo_t info;
  while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
  }
  {
    // Forgotten before it is reaped: its id cannot have gone to another process while an
    // interrupt may still kill it.
    std::lock_guard<std::mutex> lock(watch().mutex);
    watch().preparser = 0;
  }
  while (::waitpid(pid, status, 0) < 0 && errno == EINTR) {
  }
}

void unblockInterruptsInChild() { ::pthread_sigmask(SIG_UNBLOCK, &watch().signals, nullptr); }

void removeStaleTemporaryPages() {
  // A process that exists (EPERM: someone else's) may be a run still writing its pages.
  removeTemporaryPages([](long owner) { return ::kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH; });
}
