// A game's place in its log and the fingerprint of its lines, gathered line by line.
#pragma once

#include <cstdint>

#include "read/line_reader.h"

// Fed every line of one game in log order (the line that ends it and the report after it
// included). The fingerprint depends only on the lines' text: the same game read again, from a
// copy of the log, or from a log with other line ends, has the same; a changed, added, dropped
// or reordered line gives another. Lines that hold nothing but a line end are left out.
// A converted log's line is fed as the log's lines it stands for, taken together by the
// pre-parser, so that both the span and the fingerprint are the log's own.
class GameFingerprint {
 public:
  void reset() { *this = GameFingerprint(); }
  void add(const LineSpan& span);
  // Lines of the log from byte `first` to byte `last`, `hash` over their text (0: nothing but
  // line ends).
  void add(std::uint64_t first, std::uint64_t last, std::uint64_t hash);
  // Some line was fed with offsets in a converted log, not in the log itself.
  void markNotInLog() { notInLog_ = true; }
  // The span is the log's own: every line came with its place in the log, and there was one.
  bool inLog() const { return spanned_ && !notInLog_; }

  bool empty() const { return !spanned_; }
  // Offsets in the file read of the first byte of the first line and the last byte (its line
  // end included) of the last line; both 0 while empty.
  std::uint64_t firstByte() const { return first_; }
  std::uint64_t lastByte() const { return last_; }
  // 32 lower-case hexadecimal digits and a NUL.
  void hex(char out[33]) const;

 private:
  std::uint64_t first_ = 0;
  std::uint64_t last_ = 0;
  std::uint64_t lines_ = 0;
  bool spanned_ = false;
  bool notInLog_ = false;
  std::uint64_t a_ = 0x243F6A8885A308D3ull;
  std::uint64_t b_ = 0x13198A2E03707344ull;
};
