// Finds, in one pass over a string, every text of the program's fixed vocabulary that it holds.
#pragma once

#include <cstdint>
#include <string_view>

#include "read/vocabulary.h"

// Room for every distinct text of the tables and the loose texts (checked when the
// vocabulary is built).
constexpr int kMaxTexts = 384;

// What one scan found: for every text, whether it occurs and where first and last; for every
// table, its first entry in table order that occurs. Plain data, reused from line to line.
class TextScan {
 public:
  // True when the loose text `text` occurs anywhere in the scanned string.
  bool has(TextId text) const { return found(text); }
  // Index of the first occurrence of `text`, or -1.
  int pos(TextId text) const { return found(text) ? first_[text] : -1; }
  // Index of the first entry of `table`, in table order, that occurs in the string, or -1.
  // Only the table order decides, never the position in the string.
  int first(TableId table) const { return tableFirst_[table]; }
  // Where that entry first occurs, or -1.
  int firstPos(TableId table) const { return tableFirstPos_[table]; }
  // As first(), but for the part of the string from byte `from` on: an entry counts when it
  // occurs there (its last occurrence starts at or after `from`).
  int firstFrom(TableId table, int from) const;
  // True when entry `index` of `table` occurs.
  bool hasEntry(TableId table, int index) const;
  // The texts found, in the order first met: foundText(0) .. foundText(foundCount() - 1).
  int foundCount() const { return foundCount_; }
  TextId foundText(int k) const { return static_cast<TextId>(foundIds_[k]); }
  // Becomes the scan of the same text as `other` (copying only what that scan found).
  void copyFrom(const TextScan& other);

 private:
  friend void scanText(std::string_view s, TextScan& out);
  bool found(int id) const { return (bits_[id >> 6] >> (id & 63)) & 1u; }

  uint64_t bits_[kMaxTexts / 64];
  int16_t first_[kMaxTexts];
  int16_t last_[kMaxTexts];
  int16_t tableFirst_[kTableCount];
  int16_t tableFirstPos_[kTableCount];
  int16_t foundCount_ = 0;
  uint16_t foundIds_[kMaxTexts];
};

// Scans `s` (at most 32767 bytes are looked at) into `out`.
void scanText(std::string_view s, TextScan& out);

// The scan of `s` kept together with the text it describes.
struct ScannedText {
  std::string_view text;
  TextScan scan;

  ScannedText() = default;
  explicit ScannedText(std::string_view s) { assign(s); }
  void assign(std::string_view s) {
    text = s;
    scanText(s, scan);
  }
  bool has(TextId t) const { return scan.has(t); }
};

// Index of a table entry's text for the scanner; the texts of a table as the scanner sees
// them. Exposed for tests of the vocabulary.
const char* const* tableTexts(TableId table);
