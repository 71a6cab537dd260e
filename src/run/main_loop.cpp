// The program's run: command line, start-up, the per-line pipeline, the server-log hand-over and the summary.
#include "run/main_loop.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>

#include "log/line_filter.h"
#include "log/match_info.h"
#include "log/quotes.h"
#include "log/text_match.h"
#include "log/vocabulary.h"
#include "osp/weapon_stats.h"
#include "players/ctf.h"
#include "players/frags.h"
#include "players/obituary.h"
#include "players/player_table.h"
#include "players/teams.h"
#include "run/config.h"
#include "run/game.h"
#include "run/log_kind.h"
#include "run/program_texts.h"
#include "run/scratch_pool.h"
#include "run/strutil.h"

Text510 g_logfile;
Text510 g_config;
Text510 g_str_tmp;
Text510 g_time_now;
LineReader fp;
std::FILE* fp_sql_gamestats = nullptr;
int g_log_type = 0;
int g_game_count = kFirstGameId;
int g_int_tmp = 0;

namespace {

constexpr const char kRule70[] =
    "----------------------------------------------------------------------";
constexpr const char kDefaultConfig[] = "c-default.cfg";
constexpr const char kSqlFile[] = "db_sql_gamestats.txt";
constexpr const char kHtmlDir[] = "html";
constexpr const char kTmpFile[] = "tmp-c";
constexpr const char kTempFile[] = "temp-c";
constexpr const char kPreparsedLog[] = "kalimo-c.log";
constexpr const char kPreparserName[] = "kx-preparse";
constexpr const char kPreparserHere[] = "./kx-preparse";
constexpr std::size_t kTimeTextSize = 512;

// Set when a server log was met and no pre-parser could be run for it.
bool g_preparser_failed = false;
// Lines offered to checkIfServerLog, and whether a clocked client log was handed over.
long g_lines_checked = 0;
bool g_client_converted = false;

[[noreturn]] void failRun() {
  std::fflush(stdout);
  std::exit(1);
}

void copyCtime(const std::time_t* t, char* out) {
  const char* text = std::ctime(t);
  if (text == nullptr) text = "?\n";
  std::snprintf(out, kTimeTextSize, "%s", text);
}

// Creates (or empties) a file the way a shell redirection would.
void touchFile(const char* path) {
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd >= 0) ::close(fd);
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

// Runs the pre-parser with its standard output in "tmp-c" and waits for it. The child
// reports a failed redirection or exec through a close-on-exec pipe, so the parent can tell
// "could not be started" from "ran and failed". False when it could not be started.
bool runPreparser(const char* path, LogKind kind) {
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  const PreparserArgs args =
      preparserArgs(kind, const_cast<char*>(kPreparserHere), g_logfile.data(), const_cast<char*>(kPreparsedLog));
  char* const* argv = args.argv;
  std::fflush(stdout);
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return false;
  }
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec; never run the parent's exit path.
    const int out = ::open(kTmpFile, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return got == 0;
}

void printBanner() {
  std::printf("\n%s\n", kRule70);
  std::printf("%s\n", texts::kProgramLine);
  std::printf("%s\n\n", kRule70);
}

void checkCommandLine(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::printf("usage: kalimostats(xx)-c logfile.log <config-file.cfg>\n");
    failRun();
  }
  if (argc == 3) {
    // The extension test is case-blind: "RUN.CFG" and "site.cfg.bak" are both accepted.
    g_str_tmp.assign(argv[2]);
    toLowerCase(g_str_tmp.data());
    if (!containsText(g_str_tmp.view(), ".cfg")) {
      std::printf("ERROR: config file must have a .cfg extension\n");
      failRun();
    }
    g_config.assign(argv[2]);
  } else {
    g_config.assign(kDefaultConfig);
  }
  g_logfile.assign(argv[1]);
}

void openFiles() {
  // The statement file comes first, so even a run whose log is missing leaves it behind.
  fp_sql_gamestats = std::fopen(kSqlFile, "a");
  if (!fp.open(g_logfile.c_str())) {
    std::fputs("ERROR: could not open logfile \"", stdout);
    writeBytes(stdout, g_logfile.view());
    std::fputs("\"\n", stdout);
    failRun();
  }
  ::mkdir(kHtmlDir, 0777);  // an existing directory is fine
  touchFile(kTmpFile);
  touchFile(kTempFile);
}

// One line through every recogniser, in the order that lets a game-ending line be counted
// in the game it ends.
void processLine(char* line, char* stripped) {
  // A clocked client log is read from its converted form only, the line that betrayed it too.
  if (checkIfServerLog(line)) return;
  // Without a pre-parser the server log ends here, this line included: it gets no page.
  if (g_preparser_failed) return;
  freeMallocs();
  stripNewLineChars(line);
  replaceNonPrintableChars(line);
  std::string_view raw(line, std::strlen(line));

  if (!validLine(raw)) {
    freeMallocs();
    scanForQuotes(raw);
    return;
  }

  stripColorCodes(raw, stripped);
  freeMallocs();
  if (updateMiscInfo(line, stripped) == 1) return;
  // The match-information handler may have shortened either buffer.
  raw = std::string_view(line, std::strlen(line));
  const std::string_view strippedView(stripped, std::strlen(stripped));

  if (firstOfTable(strippedView, addPlayer_strings) >= 0) {
    freeMallocs();
    addPlayer(getVictimName(raw));
    addPlayer(getAttackerName(raw));
  }
  freeMallocs();
  assignTeam(raw);
  freeMallocs();
  updateCTFStats(raw);
  freeMallocs();
  updateTables(raw);
  freeMallocs();
  scanWeaponStats(raw);
  freeMallocs();
  checkForNewGameStart(raw);
}

void printSummary(const char* startText, const char* endText, double cpuSeconds,
                  std::time_t start, std::time_t end) {
  std::printf("\n%s\n", kRule70);
  std::printf("%s\n", texts::kProgramLine);
  std::printf("                   \" feel da jungle vibe bebe! \"\n");
  std::printf("%s\n", kRule70);
  std::printf("      max mallocs: %d\n", g_max_mallocs);
  std::printf("  games processed: %d\n", g_game_count - kFirstGameId);
  std::printf("         cpu time: %lf seconds\n", cpuSeconds);
  std::printf("       start time: %s", startText);
  std::printf("         end time: %s", endText);
  g_int_tmp = static_cast<int>(std::difftime(end, start));
  std::printf("     elapsed time: %dh", g_int_tmp / 3600);
  g_int_tmp = g_int_tmp % 3600;
  std::printf(" %dm", g_int_tmp / 60);
  g_int_tmp = g_int_tmp % 60;
  std::printf(" %ds\n", g_int_tmp);
  std::printf("%s\n\n", kRule70);
}

}  // namespace

int kalimostatsMain(int argc, char** argv) {
  checkCommandLine(argc, argv);
  printBanner();
  readConfig();

  const std::time_t start = std::time(nullptr);
  char startText[kTimeTextSize];
  copyCtime(&start, startText);
  const std::clock_t startClock = std::clock();
  g_time_now.clear();
  if (const std::tm* local = std::localtime(&start)) {
    std::strftime(g_time_now.data(), kTextSize, "%Y-%m-%d,%H-%M-%S", local);
    g_time_now.syncLength();
  }

  openFiles();

  std::printf("\n%s\n", kRule70);
  std::printf("                   Generating Stats, Please wait...\n");
  std::printf("%s\n\n", kRule70);

  initPlayers();
  initGlobals();

  char line[kLineBufferSize];
  char stripped[kLineBufferSize];
  // `fp` is asked afresh for every line: the server-log hand-over may have switched it to the
  // pre-parsed file, or closed it for good when the pre-parser could not run.
  while (fp.readLine(line)) processLine(line, stripped);

  // A game still running here had no recognised end: it gets no page.
  if (g_game_count == kFirstGameId) std::printf("No games were detected in the log file.\n");
  cleanUpTempFiles();

  const std::clock_t endClock = std::clock();
  const double cpuSeconds = static_cast<double>(endClock - startClock) / 1000000.0;
  const std::time_t end = std::time(nullptr);
  char endText[kTimeTextSize];
  copyCtime(&end, endText);
  printSummary(startText, endText, cpuSeconds, start, end);

  fp.close();
  fpclose(fp_sql_gamestats);
  fp_sql_gamestats = nullptr;
  std::fflush(stdout);
  return 0;
}

bool checkIfServerLog(const char* line) {
  if (g_log_type != 0 || g_client_converted) return false;
  // Not a message of the vocabulary: a plain search keeps it out of the matcher's line cache.
  const LogKind kind = logKindOf(line, ++g_lines_checked);
  if (kind == LogKind::kClientConsole) return false;
  if (kind == LogKind::kServer) {
    g_log_type = 1;
    std::printf("\nServer log detected ----------< pre-parsing >-----\n");
  } else {
    g_client_converted = true;
    std::printf("\nClocked client log detected ---< pre-parsing >-----\n");
  }
  std::printf(" - this may take a while...\n");
  fp.close();

  // Kept as the command a shell would have run; it is only ever executed with an argv.
  g_str_tmp.assign("./kx-preparse \"");
  g_str_tmp.append(g_logfile.view());
  g_str_tmp.append("\" \"kalimo-c.log\" > tmp-c");

  char path[4096];
  if (!findPreparser(path, sizeof path) || !runPreparser(path, kind)) {
    // With `fp` closed the line loop ends: the run finishes without the rest of the log.
    std::printf(" - the pre-parser kx-preparse could not be run; the rest of the log is skipped\n");
    g_preparser_failed = true;
    return kind == LogKind::kClockedClient;
  }
  // A missing result leaves `fp` closed, which ends the line loop like the end of the log.
  fp.open(kPreparsedLog);
  std::printf("-----------------------------------<done>---------\n");
  return kind == LogKind::kClockedClient;
}

void cleanUpTempFiles() {
  std::remove(kTmpFile);
  std::remove(kTempFile);
  std::remove(kPreparsedLog);
}
