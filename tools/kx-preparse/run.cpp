// The pre-parser as a program: its command line, the two passes over the log, the output file.
#include "run.h"

#include <cstring>

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
  if (argc != 3) {
    std::fprintf(stderr, "usage: kx-preparse <server-log> <output>\n");
    return kExitUsage;
  }
  const char* inPath = argv[1];
  const char* outPath = argv[2];

  // First pass: which games log their flag events in lines of their own.
  FlagLineGames flagGames;
  {
    std::FILE* in = std::fopen(inPath, "rb");
    if (in == nullptr) {
      complain("cannot read", inPath);
      return kExitFileError;
    }
    LogLines lines(in);
    const char* text = nullptr;
    std::size_t length = 0;
    while (lines.next(text, length)) flagGames.scanLine(std::string_view(text, length));
    const bool readError = std::ferror(in) != 0;
    std::fclose(in);
    if (readError) {
      complain("cannot read", inPath);
      return kExitFileError;
    }
  }

  std::FILE* in = std::fopen(inPath, "rb");
  if (in == nullptr) {
    complain("cannot read", inPath);
    return kExitFileError;
  }
  std::FILE* out = std::fopen(outPath, "wb");
  if (out == nullptr) {
    std::fclose(in);
    complain("cannot write", outPath);
    return kExitFileError;
  }
  FileSink sink(out);
  Converter converter(sink, &flagGames);
  LogLines lines(in);
  const char* text = nullptr;
  std::size_t length = 0;
  while (lines.next(text, length)) converter.feed(std::string_view(text, length));
  converter.finish();
  const bool readError = std::ferror(in) != 0;
  std::fclose(in);
  const bool closeFailed = std::fclose(out) != 0;
  const bool writeError = sink.failed() || closeFailed;
  if (readError) {
    complain("cannot read", inPath);
    return kExitFileError;
  }
  if (writeError) {
    complain("cannot write", outPath);
    return kExitFileError;
  }
  printSummary(converter, sink.lines());
  return kExitDone;
}
