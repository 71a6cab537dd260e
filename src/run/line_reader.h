// Reads a log the way a 510-byte fgets in binary mode would, but through one large buffer.
#pragma once

#include <cstddef>
#include <cstdio>

// Size of the line buffers: a read delivers at most kLineLimit - 1 bytes.
constexpr std::size_t kLineLimit = 510;
constexpr std::size_t kLineBufferSize = 512;

class LineReader {
 public:
  LineReader() = default;
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Opens `path` for binary reading; false when it cannot be opened.
  bool open(const char* path);
  void close();
  bool isOpen() const { return file_ != nullptr; }

  // Reads the next piece of the log into `buf` (kLineBufferSize bytes): up to and including
  // the next '\n', but at most kLineLimit - 1 bytes, so a longer physical line arrives as
  // several pieces. `buf` is NUL-terminated; a NUL byte inside the piece therefore ends its
  // visible text. Returns the number of bytes read (NULs included), or 0, leaving `buf`
  // alone, at end of file or when not open.
  std::size_t readLine(char* buf);

 private:
  bool refill();

  std::FILE* file_ = nullptr;
  char* data_ = nullptr;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
};
