// The pre-parser as a program: its command line, the two passes over the log, the output file.
#include "run.h"

#include <cstring>

#include "client_log.h"
#include "converter.h"
#include "flag_scan.h"

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

void complain(const char* what, const char* path) {
  std::fprintf(stderr, "kx-preparse: %s \"", what);
  std::fwrite(path, 1, std::strlen(path), stderr);
  std::fprintf(stderr, "\"\n");
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
  std::FILE* in = std::fopen(path, "rb");
  if (in == nullptr) {
    complain("cannot read", path);
    return false;
  }
  LogLines lines(in);
  const char* text = nullptr;
  std::size_t length = 0;
  while (lines.next(text, length)) each(std::string_view(text, length));
  const bool readError = std::ferror(in) != 0;
  std::fclose(in);
  if (readError) complain("cannot read", path);
  return !readError;
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

bool LogLines::next(const char*& text, std::size_t& length) {
  if (std::fgets(buf_, sizeof buf_, file_) == nullptr) return false;
  std::size_t n = std::strlen(buf_);
  if (n > 0 && buf_[n - 1] == '\n') {
    --n;
  } else if (n + 1 == sizeof buf_) {
    int c;
    while ((c = std::fgetc(file_)) != EOF && c != '\n') {
    }
  }
  if (n > 0 && buf_[n - 1] == '\r') --n;
  text = buf_;
  length = n;
  return true;
}

int runPreparse(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--client") == 0) return convertClientLog(argv[2], argv[3]);
  if (argc != 3) {
    std::fprintf(stderr, "usage: kx-preparse [--client] <log> <output>\n");
    return kExitUsage;
  }
  return convertServerLog(argv[1], argv[2]);
}
