// The pre-parser as a program: its command line, the two passes over the log, the output file.
#pragma once

#include <cstddef>
#include <cstdio>

// Exit statuses of the pre-parser.
constexpr int kExitDone = 0;
constexpr int kExitFileError = 1;  // the log cannot be read or the output cannot be written
constexpr int kExitUsage = 2;

// `kx-preparse <server-log> <output>`: converts the server log into the output file. Errors go
// to standard error (the caller sends standard output to a file); a one-line summary goes to
// standard output. The log is read twice, line by line, and never held in memory.
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
