// Where each line of the converted log came from in the log itself: the pre-parser's side file of offsets, read as the lines come.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

// The pre-parser's side file holds one line "CONVERTED FIRST LAST HASH" per converted line that
// stands for lines of the log: where that line starts in the converted log, the offsets in the
// log of the first and the last byte of the log's lines it stands for, and 16 hexadecimal digits
// over their text. The entries follow the converted log and cover the log's lines without a gap
// or an overlap, so the file is read as the converted lines come, a few entries at a time,
// however long the log.
class SourceOffsets {
 public:
  // The log's lines one converted line stands for.
  struct Lines {
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    std::uint64_t hash = 0;
  };

  // Reads the file at `path`; false, and none known, when it cannot be opened.
  bool open(const char* path);
  // True while the file is open and everything read from it made sense: the lines read so far
  // have their place in the log.
  bool known() const { return file_ != nullptr && !broken_; }
  // The log's lines the converted line starting at `converted` stands for; false when it stands
  // for none (or nothing is known). Asked with rising offsets.
  bool take(std::uint64_t converted, Lines& lines);

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  // Reads the next entry into next_; false at the end of the file or on a line that is no
  // entry (then broken_).
  bool readEntry();

  std::unique_ptr<std::FILE, Closer> file_;
  bool broken_ = false;
  bool ahead_ = false;  // next_ holds an entry not taken yet
  std::uint64_t nextConverted_ = 0;
  Lines next_;
  std::uint64_t expectedFirst_ = 0;  // where the next entry's lines must start
};
