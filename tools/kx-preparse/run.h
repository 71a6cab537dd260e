// The pre-parser as a program: its command line, the two passes over the log, the output file.
#pragma once

#include <cstddef>
#include <cstdio>

// Exit statuses of the pre-parser.
constexpr int kExitDone = 0;
constexpr int kExitFileError = 1;  // the log cannot be read or the output cannot be written
constexpr int kExitUsage = 2;

// `kx-preparse <server-log> <output>` converts a server log (or a server's console log),
// `kx-preparse --client <client-log> <output>` a client console log with a clock before its
// lines (Excessive Plus), into the output file. Errors go to standard error; a summary (lines
// read and written, games, and the lines left out by reason) goes to standard output, which
// the caller sends to a file of its own. The log is read twice, line by line, and never held
// in memory.
int runPreparse(int argc, char** argv);

// Reads a file line by line through one fixed buffer. A line longer than the buffer is cut:
// its rest is skipped, never handed on as a line of its own. Line breaks ("\n", "\r\n") are
// removed.
class LogLines {
 public:
  explicit LogLines(std::FILE* file) : file_(file) {}
  // Longest line kept whole, line break included, plus the terminating NUL.
  static constexpr std::size_t kBufferBytes = 8192;

  // The next line, valid until the next call; false at the end of the file.
  bool next(const char*& text, std::size_t& length);

 private:
  std::FILE* file_;
  char buf_[kBufferBytes];
};
