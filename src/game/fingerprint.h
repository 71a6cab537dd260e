// A game's place in its log and the fingerprint of its lines, gathered line by line.
#pragma once

#include <cstdint>

#include "read/line_reader.h"

// Fed every line of one game in log order (the line that ends it and the report after it
// included). The fingerprint depends only on the lines' text: the same game read again, from a
// copy of the log, or from a log with other line ends, has the same; a changed, added, dropped
// or reordered line gives another. Lines that hold nothing but a line end are left out.
class GameFingerprint {
 public:
  void reset() { *this = GameFingerprint(); }
  void add(const LineSpan& span);

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
  std::uint64_t a_ = 0x243F6A8885A308D3ull;
  std::uint64_t b_ = 0x13198A2E03707344ull;
};
