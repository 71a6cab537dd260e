// Reads a log the way a 510-byte fgets in binary mode would, but through one large buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "read/log_input.h"

// Size of the line buffers: a read delivers at most kLineLimit - 1 bytes.
constexpr std::size_t kLineLimit = 510;
constexpr std::size_t kLineBufferSize = 512;

// Where a piece of the log came from and what it held: enough to tell one game's lines from
// another's without keeping them.
struct LineSpan {
  std::uint64_t offset = 0;  // of the piece's first byte in the text read (a compressed log's decompressed text)
  std::uint32_t length = 0;  // bytes read, line end included
  // Of the piece's bytes without its line end ("\n" or "\r\n"), so that a copy of the log with
  // other line ends gives the same; 0 for a piece that holds nothing else.
  std::uint64_t hash = 0;
};

// The hash a LineSpan keeps of `length` bytes read at `bytes`.
std::uint64_t lineHash(const char* bytes, std::size_t length);

class LineReader {
 public:
  LineReader() = default;
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Opens `path` for binary reading; false when it cannot be opened or is not a regular file
  // (notRegularFile() then tells which). A FIFO, a directory or a device is refused without
  // waiting for a writer: such a log could not be read a second time by the pre-parser, and
  // a device may never end. A gzip-compressed file (told by its first bytes) is read as its
  // decompressed text.
  bool open(const char* path);
  // Reads from `file`, already open, and closes it with the reader (the fuzz targets read
  // their input through fmemopen). False, and nothing taken, when `file` is null.
  bool openStream(std::FILE* file);
  // True when the last open() failed because `path` is not a regular file.
  bool notRegularFile() const { return notRegular_; }
  // Why the last open() failed, in the system's words ("No such file or directory"), or why
  // a compressed log could not be read to its end.
  const char* error() const;
  // True when the text of a compressed log ended early or was corrupt: it is not the log's
  // end. A plain file's read error ends the log as its end would, as fgets gives up.
  bool failed() const { return input_.compressed() && input_.failed(); }
  void close();
  bool isOpen() const { return input_.isOpen(); }

  // Reads the next piece of the log into `buf` (kLineBufferSize bytes): up to and including
  // the next '\n', but at most kLineLimit - 1 bytes, so a longer physical line arrives as
  // several pieces. `buf` is NUL-terminated; a NUL byte inside the piece therefore ends its
  // visible text. Returns the number of bytes read (NULs included), or 0, leaving `buf`
  // alone, at end of file or when not open.
  std::size_t readLine(char* buf);
  // The same, also telling in `*plain` how many leading bytes of the piece need no
  // preparation: none of them is a NUL, a line end or a byte outside plain printable text.
  // The reader learns this in the same pass that looks for the line end.
  std::size_t readLine(char* buf, std::size_t* plain);
  // The same, also telling where the piece was and its hash.
  std::size_t readLine(char* buf, std::size_t* plain, LineSpan* span);

 private:
  bool refill();

  LogInput input_;
  char* data_ = nullptr;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::uint64_t position_ = 0;  // bytes delivered since the file was opened
  bool eof_ = false;
  bool notRegular_ = false;
  int openErrno_ = 0;
};
