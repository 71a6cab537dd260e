// The program's run: command line, start-up, the per-line pipeline, the server-log hand-over and the summary.
#include "run/main_loop.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string_view>

#include "base/console.h"
#include "game/player_table.h"
#include "run/config.h"
#include "run/game.h"
#include "run/interrupt.h"
#include "run/line_loop.h"
#include "run/output_queue.h"
#include "run/run_lock.h"
#include "read/log_kind.h"
#include "base/program_texts.h"
#include "run/run_stamp.h"
#include "base/scratch_pool.h"
#include "base/strutil.h"


namespace {

constexpr const char kRule70[] =
    "----------------------------------------------------------------------";
constexpr const char kDefaultConfig[] = "c-default.cfg";
constexpr const char kSqlFile[] = "db_sql_gamestats.txt";
constexpr const char kHtmlDir[] = "html";
constexpr const char kTmpFile[] = "tmp-c";
constexpr const char kTempFile[] = "temp-c";
constexpr const char kPreparsedLog[] = "kalimo-c.log";
// The pre-parser's side file beside its result: the server's final scores.
constexpr const char kServerScores[] = "kalimo-c.log.scores";
// And where each of its lines came from in the log.
constexpr const char kSourceOffsets[] = "kalimo-c.log.offsets";
constexpr const char kPreparserName[] = "kx-preparse";
constexpr const char kPreparserHere[] = "./kx-preparse";
constexpr std::size_t kTimeTextSize = 512;

void copyCtime(const std::time_t* t, char* out) {
  const char* text = std::ctime(t);
  if (text == nullptr) text = "?\n";
  std::snprintf(out, kTimeTextSize, "%s", text);
}

// Creates an empty temporary file under `path` in the working directory. Whatever had the
// name goes first: a symbolic link left there is removed, never followed, so no file elsewhere
// is emptied; O_EXCL and O_NOFOLLOW refuse a link put back in between.
void touchTempFile(const char* path) {
  ::unlink(path);
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd >= 0) ::close(fd);
}

bool isRegularFile(const char* path) {
  struct stat st;
  return ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

bool isRunnable(const char* path) {
  struct stat st;
  return ::stat(path, &st) == 0 && S_ISREG(st.st_mode) && ::access(path, X_OK) == 0;
}

// The pre-parser in the working directory wins; otherwise the one installed beside this
// binary. False when neither exists.
bool findPreparser(char* path, std::size_t size) {
  if (isRunnable(kPreparserHere)) {
    std::snprintf(path, size, "%s", kPreparserHere);
    return true;
  }
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return false;
  self[n] = '\0';
  char* slash = std::strrchr(self, '/');
  if (slash == nullptr) return false;
  slash[1] = '\0';
  const int written = std::snprintf(path, size, "%s%s", self, kPreparserName);
  if (written < 0 || static_cast<std::size_t>(written) >= size) return false;
  return isRunnable(path);
}

enum class PreparserRun { kNotStarted, kFailed, kDone };

// Runs the pre-parser with its standard output in "tmp-c" and waits for it. The child
// reports a failed redirection or exec through a close-on-exec pipe, so the parent can tell
// "could not be started" from "ran and failed"; `*status` is the wait status of a run.
PreparserRun runPreparser(const RunState& run, const char* path, LogKind kind, int* status) {
  // Both output files exist as fresh regular files before the child opens them by name.
  touchTempFile(kTmpFile);
  touchTempFile(kPreparsedLog);
  touchTempFile(kServerScores);
  touchTempFile(kSourceOffsets);
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return PreparserRun::kNotStarted;
  const PreparserArgs args = preparserArgs(kind, const_cast<char*>(kPreparserHere), const_cast<char*>(run.g_logfile.c_str()),
                                           const_cast<char*>(kPreparsedLog));
  char* const* argv = args.argv;
  // Everything said so far is on the console before the wait.
  flushConsole();
  OutputQueue::drain();
  const pid_t pid = forkPreparser();
  if (pid < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return PreparserRun::kNotStarted;
  }
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec; never run the parent's exit path.
    unblockInterruptsInChild();
    const int out = ::open(kTmpFile, O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
    if (out >= 0 && ::dup2(out, STDOUT_FILENO) >= 0) ::execv(path, argv);
    const int err = errno;
    ssize_t ignored = ::write(report[1], &err, sizeof err);
    (void)ignored;
    ::_exit(127);
  }
  ::close(report[1]);
  int childErr = 0;
  ssize_t got;
  do {
    got = ::read(report[0], &childErr, sizeof childErr);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  preparserEnded(pid, status);
  if (got != 0) return PreparserRun::kNotStarted;
  return WIFEXITED(*status) && WEXITSTATUS(*status) == 0 ? PreparserRun::kDone : PreparserRun::kFailed;
}

// Closes what a failed run opened and gives its exit status.
int finishFailedRun(RunState& run) {
  OutputQueue::stop();
  run.fp.close();
  fpclose(run.fp_sql_gamestats);
  run.fp_sql_gamestats = nullptr;
  flushConsole();
  return 1;
}

void printBanner() {
  consolef("\n%s\n", kRule70);
  consolef("%s\n", texts::kProgramLine);
  consolef("%s\n\n", kRule70);
}

enum class CommandLine {
  kRun,      // a log (and perhaps a configuration) to read
  kAnswered, // --help or --version: printed, nothing else to do
  kRefused,  // the usage line or the error is printed
};

bool isOption(const char* arg, const char* option) { return std::strcmp(arg, option) == 0; }

CommandLine checkCommandLine(int argc, char** argv, RunState& run) {
  if (argc == 2 && (isOption(argv[1], "--help") || isOption(argv[1], "-h"))) {
    consoleWrite(texts::kHelp);
    return CommandLine::kAnswered;
  }
  if (argc == 2 && isOption(argv[1], "--version")) {
    consolef("kalimostats-c (%s) %s\n", texts::kProgramName, texts::kVersion);
    return CommandLine::kAnswered;
  }
  if (argc != 2 && argc != 3) {
    consolef("usage: kalimostats(xx)-c logfile.log <config-file.cfg>\n");
    return CommandLine::kRefused;
  }
  if (argc == 3) {
    // The extension test is case-blind: "RUN.CFG" and "site.cfg.bak" are both accepted.
    Text510 lowered(argv[2]);
    toLowerCase(lowered.data());
    if (!containsText(lowered.view(), ".cfg")) {
      consolef("ERROR: config file must have a .cfg extension\n");
      // Most often a second log: "kalimostats-c *.log" with two of them.
      if (isRegularFile(argv[2])) consoleWrite(texts::kOneLogHint);
      return CommandLine::kRefused;
    }
    run.g_config.assign(argv[2]);
  } else {
    run.g_config.assign(kDefaultConfig);
  }
  run.g_logfile.assign(argv[1]);
  return CommandLine::kRun;
}

// False (after the error and its reason) when the log cannot be opened.
bool openFiles(RunState& run) {
  // The statement file comes first, so even a run whose log is missing leaves it behind.
  run.fp_sql_gamestats = std::fopen(kSqlFile, "a");
  if (!run.fp.open(run.g_logfile.c_str())) {
    consoleWrite("ERROR: could not open logfile \"");
    consoleWrite(run.g_logfile.view());
    consoleWrite("\"\n");
    consoleWrite(run.fp.error());
    consoleWrite("\n");
    return false;
  }
  ::mkdir(kHtmlDir, 0777);  // an existing directory is fine
  touchTempFile(kTmpFile);
  touchTempFile(kTempFile);
  return true;
}

void printSummary(int gameCount, const char* startText, const char* endText, double cpuSeconds,
                  std::time_t start, std::time_t end) {
  consolef("\n%s\n", kRule70);
  consolef("%s\n", texts::kProgramLine);
  consolef("                   \" feel da jungle vibe bebe! \"\n");
  consolef("%s\n", kRule70);
  consolef("      max mallocs: %d\n", g_max_mallocs);
  consolef("  games processed: %d\n", gameCount - kFirstGameId);
  consolef("         cpu time: %lf seconds\n", cpuSeconds);
  consolef("       start time: %s", startText);
  consolef("         end time: %s", endText);
  int elapsed = static_cast<int>(std::difftime(end, start));
  consolef("     elapsed time: %dh", elapsed / 3600);
  elapsed = elapsed % 3600;
  consolef(" %dm", elapsed / 60);
  elapsed = elapsed % 60;
  consolef(" %ds\n", elapsed);
  consolef("%s\n\n", kRule70);
}

}  // namespace

int kalimostatsMain(int argc, char** argv) {
  // The reader's buffers make the run's state large: it lives on the heap, for the whole run.
  const auto state = std::make_unique<RunState>();
  RunState& run = *state;
  // Past a file size limit a write fails (EFBIG) instead of killing the run: the failure then
  // takes the one-line, status-1 way of every write error. The pre-parser inherits this.
  std::signal(SIGXFSZ, SIG_IGN);
  // A failed start leaves everything as it was at that point: no summary, no clean-up.
  const CommandLine commandLine = checkCommandLine(argc, argv, run);
  if (commandLine == CommandLine::kAnswered) return flushConsole() ? 0 : 1;
  if (commandLine == CommandLine::kRefused) return finishFailedRun(run);
  watchInterrupts();
  printBanner();
  if (!readConfig(run.g_config, argc == 3, &run.config)) return finishFailedRun(run);
  // Before the time stamp is chosen: the one a run in this directory has just taken is then
  // seen in html/ and passed over.
  lockWorkingDirectory();
  ownTempFiles();

  const std::time_t start = freeRunStartTime(kHtmlDir);
  char startText[kTimeTextSize];
  copyCtime(&start, startText);
  const std::clock_t startClock = std::clock();
  run.g_time_now.clear();
  if (const std::tm* local = std::localtime(&start)) {
    std::strftime(run.g_time_now.data(), kTextSize, "%Y-%m-%d,%H-%M-%S", local);
    run.g_time_now.syncLength();
  }

  if (!openFiles(run)) return finishFailedRun(run);
  removeStaleTemporaryPages();

  consolef("\n%s\n", kRule70);
  consolef("                   Generating Stats, Please wait...\n");
  consolef("%s\n\n", kRule70);

  // From here on the pages are written on the second core. Without a thread, everything is
  // written directly, as it comes.
  OutputQueue::start(run.fp_sql_gamestats);

  // Lines are read and prepared ahead on a thread of their own while this one runs the
  // recognisers. Not with weapon pages: building and writing them keeps both cores busy, and
  // a third thread only takes turns with them (measured: no faster, often slower).
  auto tracker = std::make_unique<Tracker>(run.g_logfile.view(), run.g_time_now.view());
  GameOutputs outputs(run.config.pageOptions());
  if (readLog(run, !run.config.weaponPages(), true, *tracker, outputs) == LoopEnd::kFailed) {
    return finishFailedRun(run);
  }

  // A game still running here had no recognised end: it gets no page.
  if (tracker->gameCount() == kFirstGameId) consolef("No games were detected in the log file.\n");
  // The last pages must be in place before the run counts as complete.
  if (!OutputQueue::drain()) return finishFailedRun(run);
  cleanUpTempFiles();

  const std::clock_t endClock = std::clock();
  const double cpuSeconds = static_cast<double>(endClock - startClock) / 1000000.0;
  const std::time_t end = std::time(nullptr);
  char endText[kTimeTextSize];
  copyCtime(&end, endText);
  printSummary(tracker->gameCount(), startText, endText, cpuSeconds, start, end);

  const bool written = OutputQueue::stop();
  run.fp.close();
  fpclose(run.fp_sql_gamestats);
  run.fp_sql_gamestats = nullptr;
  if (!flushConsole() && written) {
    std::fprintf(stderr, "kalimostats-c: could not write the console output: %s\n", std::strerror(errno));
    return 1;
  }
  return written ? 0 : 1;
}

HandOver handOverToPreparser(RunState& run, LogKind kind, ServerScores& scores, SourceOffsets& offsets) {
  if (kind == LogKind::kServer) {
    consolef("\nServer log detected ----------< pre-parsing >-----\n");
  } else {
    consolef("\nClocked client log detected ---< pre-parsing >-----\n");
  }
  consolef(" - this may take a while...\n");
  run.fp.close();

  // The pre-parser opens the log again by name: if the name no longer leads to a regular file
  // (replaced by a FIFO, say), it could wait for ever, so the rest of the log is skipped.
  if (!isRegularFile(run.g_logfile.c_str())) {
    consolef(" - the log is no longer a regular file; the rest of the log is skipped\n");
    return HandOver::kStop;
  }
  char path[4096];
  int status = 0;
  const PreparserRun conversion = findPreparser(path, sizeof path) ? runPreparser(run, path, kind, &status)
                                                                   : PreparserRun::kNotStarted;
  if (conversion == PreparserRun::kNotStarted) {
    // With `fp` closed the line loop ends: the run finishes without the rest of the log.
    consolef(" - the pre-parser kx-preparse could not be run; the rest of the log is skipped\n");
    return HandOver::kStop;
  }
  if (conversion == PreparserRun::kFailed) {
    // It could not read the log (a corrupt compressed one) or write its result: what it left
    // would be part of the log taken for all of it. Its own message is on standard error.
    if (WIFEXITED(status)) {
      consolef("ERROR: kx-preparse could not convert the log (exit status %d)\n", WEXITSTATUS(status));
    } else {
      consolef("ERROR: kx-preparse could not convert the log (killed by signal %d)\n", WTERMSIG(status));
    }
    return HandOver::kFailed;
  }
  // A missing result leaves `fp` closed, which ends the line loop like the end of the log.
  run.fp.open(kPreparsedLog);
  // Scores that are missing or not the pre-parser's leave the scores the events give.
  if (kind == LogKind::kServer) scores = ServerScores::fromFile(kServerScores);
  offsets.open(kSourceOffsets);
  consolef("-----------------------------------<done>---------\n");
  return kind == LogKind::kClockedClient ? HandOver::kSkipLine : HandOver::kReadOn;
}

void cleanUpTempFiles() {
  std::remove(kTmpFile);
  std::remove(kTempFile);
  std::remove(kPreparsedLog);
  std::remove(kServerScores);
  std::remove(kSourceOffsets);
}
