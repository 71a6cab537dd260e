// The pre-parser as a program: its command line, the two passes over the log, the output file.
#include "run.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "client_log.h"
#include "converter.h"
#include "flag_scan.h"
#include "read/log_input.h"

namespace {

class FileSink : public LineSink {
 public:
  explicit FileSink(std::FILE* file) : file_(file) {}
  void writeLine(std::string_view text) override {
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fputc('\n', file_) == EOF) {
      failed_ = true;
    }
    ++lines_;
  }
  bool failed() const { return failed_; }
  long lines() const { return lines_; }

 private:
  std::FILE* file_;
  bool failed_ = false;
  long lines_ = 0;
};

// Released together with kalimostats-c, under its version number.
constexpr const char kVersionLine[] = "kx-preparse (kalimo stats) 1.0\n";
constexpr const char kUsage[] = "usage: kx-preparse [--client] <log> <output>\n";
constexpr const char kHelp[] =
    "usage: kx-preparse <server-log> <output>\n"
    "       kx-preparse --client <client-log> <output>\n"
    "       kx-preparse --help | -h | --version\n"
    "Converts a Quake III dedicated server's log (or its console log), or with --client an Excessive\n"
    "Plus client console log, into the client console form kalimostats-c reads. kalimostats-c runs it\n"
    "by itself; run it by hand to look at a conversion. A gzip-compressed log is read as its text.\n"
    "A summary goes to standard output, errors to standard error.\n"
    "Exit status: 0 when done, 1 when the log cannot be read or the output cannot be written,\n"
    "2 for a wrong command line.\n";

// `what "path"`, then the reason when there is one.
void complain(const char* what, const char* path, const std::string& reason = {}) {
  std::fprintf(stderr, "kx-preparse: %s \"", what);
  std::fwrite(path, 1, std::strlen(path), stderr);
  std::fputc('"', stderr);
  if (!reason.empty()) {
    std::fputs(": ", stderr);
    std::fwrite(reason.data(), 1, reason.size(), stderr);
  }
  std::fputc('\n', stderr);
}

// The run's figures on standard output: the caller sends it to a file of its own, apart from
// the converted log.
void printSummary(const Converter& converter, long linesWritten) {
  std::printf("kx-preparse: %ld lines read, %d server games, %d games handed on, %d warm-ups dropped, "
              "%d deaths written (%d with names from the line), %d players back after leaving, "
              "%ld lines written\n",
              converter.linesRead(), converter.serverGames(), converter.gamesHandedOn(),
              converter.warmupsDropped(), converter.deathsWritten(), converter.deathsOfUnknownClients(),
              converter.reconnects(), linesWritten);
  if (converter.scoresMadeUp() > 0 || converter.scoresLeft() > 0) {
    std::printf("kx-preparse: %d capture-the-flag scores made up to the server's (%ld points), %d left as "
                "counted\n",
                converter.scoresMadeUp(), converter.pointsMadeUp(), converter.scoresLeft());
  }
  for (int r = 0; r < static_cast<int>(Skip::kCount); ++r) {
    const Skip reason = static_cast<Skip>(r);
    if (converter.skipped(reason) == 0) continue;
    std::printf("kx-preparse: skipped %ld %s\n", converter.skipped(reason), skipName(reason));
  }
}

void printClientSummary(const ClientLogConverter& converter, const ClientMatchPlan& plan, long linesWritten) {
  std::printf("kx-preparse: %ld lines read, %d matches ended, %ld capture lines added from the scoreboards "
              "(%ld captures credited to nobody), %ld lines written\n",
              converter.linesRead(), converter.matchesEnded(), plan.capturesAdded(), plan.capturesUncredited(),
              linesWritten);
  for (int r = 0; r < static_cast<int>(ClientSkip::kCount); ++r) {
    const ClientSkip reason = static_cast<ClientSkip>(r);
    if (converter.skipped(reason) == 0) continue;
    std::printf("kx-preparse: skipped %ld %s\n", converter.skipped(reason), clientSkipName(reason));
  }
}

// Reads the log at `path` line by line, handing each line to `each`; false, with the message
// printed, when it cannot be read.
template <class Each>
bool readLog(const char* path, Each each) {
  LogInput in;
  if (in.open(path)) {
    std::string_view line;
    while (in.readLine(line)) each(line);
  }
  if (in.failed()) complain("cannot read", path, in.error());
  return !in.failed();
}

// The second pass: `convert(sink)` reads the log and writes the output file through `sink`.
// Returns the exit status; `written` is the number of lines written.
template <class Convert>
int writeOutput(const char* outPath, long& written, Convert convert) {
  std::FILE* out = std::fopen(outPath, "wb");
  if (out == nullptr) {
    complain("cannot write", outPath);
    return kExitFileError;
  }
  FileSink sink(out);
  const bool read = convert(sink);
  const bool closeFailed = std::fclose(out) != 0;
  written = sink.lines();
  if (!read) return kExitFileError;
  if (sink.failed() || closeFailed) {
    complain("cannot write", outPath);
    return kExitFileError;
  }
  return kExitDone;
}

int convertServerLog(const char* inPath, const char* outPath) {
  // First pass: which games log their flag events in lines of their own.
  FlagLineGames flagGames;
  if (!readLog(inPath, [&](std::string_view line) { flagGames.scanLine(line); })) return kExitFileError;
  long written = 0;
  return writeOutput(outPath, written, [&](LineSink& sink) {
    Converter converter(sink, &flagGames);
    const bool read = readLog(inPath, [&](std::string_view line) { converter.feed(line); });
    converter.finish();
    if (read) printSummary(converter, static_cast<const FileSink&>(sink).lines());
    return read;
  });
}

int convertClientLog(const char* inPath, const char* outPath) {
  // First pass: the maps and the scoreboards, which the mod prints only after each match.
  ClientMatchPlan plan;
  if (!readLog(inPath, [&](std::string_view line) { plan.scanLine(line); })) return kExitFileError;
  plan.finish();
  long written = 0;
  return writeOutput(outPath, written, [&](LineSink& sink) {
    ClientLogConverter converter(sink, &plan);
    const bool read = readLog(inPath, [&](std::string_view line) { converter.feed(line); });
    if (read) printClientSummary(converter, plan, static_cast<const FileSink&>(sink).lines());
    return read;
  });
}

}  // namespace

int runPreparse(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kHelp, stdout);
    return kExitDone;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::fputs(kVersionLine, stdout);
    return kExitDone;
  }
  if (argc == 4 && std::strcmp(argv[1], "--client") == 0) return convertClientLog(argv[2], argv[3]);
  if (argc != 3) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  return convertServerLog(argv[1], argv[2]);
}
