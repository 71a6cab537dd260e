// The pre-parser as a program: its command line, the two passes over the log, the output file.
#include "run.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "client_log.h"
#include "converter.h"
#include "flag_scan.h"
#include "read/log_input.h"
#include "source_offsets.h"

namespace {

// The converted log, its side file of offsets in the log (see SourceOffsetsWriter) and, for a
// server log, its side file of the server's final scores: one line "OFFSET SCORE NAME" per
// player per match, OFFSET the byte offset in the converted log of the match's end line. Only
// the offset ties a score to a match, so no text of the log (a chat line, a name) can pass for
// one.
class FileSink : public LineSink {
 public:
  FileSink(std::FILE* file, std::FILE* scores, SourceOffsetsWriter& offsets)
      : file_(file), scores_(scores), offsets_(offsets) {}
  void writeLine(std::string_view text) override {
    offsets_.convertedLine(offset_);
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fputc('\n', file_) == EOF) {
      failed_ = true;
    }
    offset_ += text.size() + 1;
    ++lines_;
  }
  void serverScore(std::string_view name, int score) override {
    if (scores_ == nullptr) return;
    if (std::fprintf(scores_, "%llu %d ", static_cast<unsigned long long>(offset_), score) < 0 ||
        std::fwrite(name.data(), 1, name.size(), scores_) != name.size() || std::fputc('\n', scores_) == EOF) {
      scoresFailed_ = true;
    }
  }
  bool failed() const { return failed_; }
  bool scoresFailed() const { return scoresFailed_; }
  SourceOffsetsWriter& offsets() { return offsets_; }
  long lines() const { return lines_; }

 private:
  std::FILE* file_;
  std::FILE* scores_;
  SourceOffsetsWriter& offsets_;
  std::uint64_t offset_ = 0;  // bytes written to the converted log
  bool failed_ = false;
  bool scoresFailed_ = false;
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
    "A server log's final scores go to <output>.scores, one line \"OFFSET SCORE NAME\" per player.\n"
    "Where each written line came from goes to <output>.offsets, one line \"CONVERTED FIRST LAST HASH\"\n"
    "per written line that stands for lines of the log: byte offsets in the output and in the log.\n"
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
  if (converter.serverScores() > 0) {
    std::printf("kx-preparse: %d server scores written to the side file\n", converter.serverScores());
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

// Reads the log at `path` line by line, handing each line to `each` with the offsets of its
// first and last byte (its line break included); false, with the message printed, when it
// cannot be read.
template <class Each>
bool readLog(const char* path, Each each) {
  LogInput in;
  if (in.open(path)) {
    std::string_view line;
    std::uint64_t first = in.linesEnd();
    while (in.readLine(line)) {
      each(line, first, in.linesEnd() - 1);
      first = in.linesEnd();
    }
  }
  if (in.failed()) complain("cannot read", path, in.error());
  return !in.failed();
}

// The second pass: `convert(sink)` reads the log and writes the output file through `sink`, the
// side file of offsets beside it, and with `withScores` the side file of the server's final
// scores. Returns the exit status; `written` is the number of lines written.
template <class Convert>
int writeOutput(const char* outPath, bool withScores, long& written, Convert convert) {
  const std::string scoresPath = std::string(outPath) + kScoresSuffix;
  const std::string offsetsPath = std::string(outPath) + kOffsetsSuffix;
  std::FILE* out = std::fopen(outPath, "wb");
  if (out == nullptr) {
    complain("cannot write", outPath);
    return kExitFileError;
  }
  std::FILE* offsetsFile = std::fopen(offsetsPath.c_str(), "wb");
  if (offsetsFile == nullptr) {
    complain("cannot write", offsetsPath.c_str());
    std::fclose(out);
    return kExitFileError;
  }
  std::FILE* scores = nullptr;
  if (withScores) {
    scores = std::fopen(scoresPath.c_str(), "wb");
    if (scores == nullptr) {
      complain("cannot write", scoresPath.c_str());
      std::fclose(offsetsFile);
      std::fclose(out);
      return kExitFileError;
    }
  }
  SourceOffsetsWriter offsets(offsetsFile);
  FileSink sink(out, scores, offsets);
  const bool read = convert(sink);
  offsets.finish();
  const bool closeFailed = std::fclose(out) != 0;
  const bool scoresCloseFailed = scores != nullptr && std::fclose(scores) != 0;
  const bool offsetsCloseFailed = std::fclose(offsetsFile) != 0;
  written = sink.lines();
  if (!read) return kExitFileError;
  if (sink.failed() || closeFailed) {
    complain("cannot write", outPath);
    return kExitFileError;
  }
  if (sink.scoresFailed() || scoresCloseFailed) {
    complain("cannot write", scoresPath.c_str());
    return kExitFileError;
  }
  if (offsets.failed() || offsetsCloseFailed) {
    complain("cannot write", offsetsPath.c_str());
    return kExitFileError;
  }
  return kExitDone;
}

int convertServerLog(const char* inPath, const char* outPath) {
  // First pass: which games log their flag events in lines of their own.
  FlagLineGames flagGames;
  const bool scanned = readLog(inPath, [&](std::string_view line, std::uint64_t, std::uint64_t) {
    flagGames.scanLine(line);
  });
  if (!scanned) return kExitFileError;
  long written = 0;
  return writeOutput(outPath, true, written, [&](FileSink& sink) {
    Converter converter(sink, &flagGames);
    const bool read = readLog(inPath, [&](std::string_view line, std::uint64_t first, std::uint64_t last) {
      sink.offsets().sourceLine(first, last, line);
      converter.feed(line);
    });
    sink.offsets().endOfLog();
    converter.finish();
    if (read) printSummary(converter, sink.lines());
    return read;
  });
}

int convertClientLog(const char* inPath, const char* outPath) {
  // First pass: the maps and the scoreboards, which the mod prints only after each match.
  ClientMatchPlan plan;
  const bool scanned = readLog(inPath, [&](std::string_view line, std::uint64_t, std::uint64_t) {
    plan.scanLine(line);
  });
  if (!scanned) return kExitFileError;
  plan.finish();
  long written = 0;
  return writeOutput(outPath, false, written, [&](FileSink& sink) {
    ClientLogConverter converter(sink, &plan);
    const bool read = readLog(inPath, [&](std::string_view line, std::uint64_t first, std::uint64_t last) {
      sink.offsets().sourceLine(first, last, line);
      converter.feed(line);
    });
    sink.offsets().endOfLog();
    if (read) printClientSummary(converter, plan, sink.lines());
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
