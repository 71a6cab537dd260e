// Reads a log file as text, plain or gzip-compressed: the file's first bytes tell, never its name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

struct z_stream_s;

// One log file, read from its start to its end, as bytes or as lines; the main program's line
// reader and the pre-parser both read through it. A file that starts with the gzip signature
// (1f 8b) is read as its decompressed text, every member of it in turn; any other file as it
// is. Compressed data that is corrupt or ends before its last member does is a read error,
// like a failing disk: reading stops, failed() is true and error() says why.
class LogInput {
 public:
  // Longest line kept whole, line break included, plus one: a longer line is cut and the
  // rest of it skipped, never handed on as a line of its own.
  static constexpr std::size_t kLineBytes = 8192;

  LogInput();
  ~LogInput();
  LogInput(const LogInput&) = delete;
  LogInput& operator=(const LogInput&) = delete;

  // Opens the file at `path`. False, closed, with error() set to the system's reason ("No such
  // file or directory"), when it cannot be opened or its first bytes cannot be read.
  bool open(const char* path);
  // The same for a file already open, which the input closes when done with it.
  bool openStream(std::FILE* file);
  // Closes the file; the input can be opened again.
  void close();

  // Up to `size` bytes of the text into `buffer`; 0 at the end of the text or on an error.
  std::size_t read(char* buffer, std::size_t size);

  // The next line, without its line break ("\n" or "\r\n") and cut at its first NUL byte,
  // valid until the next call. False at the end of the text or on an error. A last line
  // without a line break is a line.
  bool readLine(std::string_view& line);
  // Where the text read by readLine() stands: the offset, in the (decompressed) text, of the
  // byte after the last line's line break, the parts of a long line that were cut included.
  std::uint64_t linesEnd() const { return linesEnd_; }

  bool isOpen() const { return file_ != nullptr; }
  bool compressed() const { return zip_ != nullptr; }
  bool failed() const { return !error_.empty(); }
  // What went wrong, for a message; empty while nothing did.
  const std::string& error() const { return error_; }

 private:
  bool fail(std::string reason);  // closes, keeps `reason`, returns false
  std::size_t readRaw(char* buffer, std::size_t size);
  std::size_t inflateInto(char* buffer, std::size_t size);
  bool fillLineBuffer();

  std::FILE* file_ = nullptr;
  std::unique_ptr<z_stream_s> zip_;
  bool zipEnded_ = false;  // the last member ended and the file holds no other
  std::unique_ptr<unsigned char[]> packed_;  // compressed bytes read ahead of the inflater
  std::string error_;
  // Text read ahead of the line reader.
  std::unique_ptr<char[]> text_;
  std::size_t textBegin_ = 0;
  std::size_t textEnd_ = 0;
  bool textEnded_ = false;
  std::uint64_t linesEnd_ = 0;
  char line_[kLineBytes];
};
