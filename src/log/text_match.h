// Fast "does this line contain that message" queries over the program's fixed vocabulary.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Handle of a registered text. Registering is cheap and idempotent; every text that is
// searched for on the per-line path is registered once and then found by one pass of a
// multi-pattern automaton over the searched string, whatever the number of texts.
using TextId = int;

// Returns the handle of `text`, registering it on first use. The text must outlive the run
// (string literals and the message tables).
TextId textId(std::string_view text);

// Registers every text of a null-terminated table (the vocabulary tables are registered
// from the start).
void registerTable(const char* const* table);

// The handle of a literal, looked up once per call site.
#define KX_TEXT(literal) ([]() -> TextId { static const TextId kId = textId(literal); return kId; }())

// Which registered texts occur in one scanned string, and where each first occurs.
class TextScan {
 public:
  // True when `text` occurs anywhere in the string (plain, case-sensitive).
  bool has(TextId text) const {
    return static_cast<std::size_t>(text) < stamp_.size() && stamp_[text] == generation_;
  }
  // Index of the first occurrence of `text`, or -1.
  int pos(TextId text) const { return has(text) ? pos_[text] : -1; }
  // Index of the first entry of the null-terminated `table`, in table order, that occurs in
  // the string, or -1; `*at` (when given) receives that entry's position in the string, or -1.
  // Only the table order decides, never the position in the string. The table must be one of
  // the vocabulary tables or have been registered (registerTable) before the scan.
  int firstOf(const char* const* table, int* at = nullptr) const;

 private:
  friend struct TextScanner;
  uint32_t generation_ = 0;
  std::vector<int32_t> pos_;      // per text: first occurrence, valid where stamp_ matches
  std::vector<uint32_t> stamp_;   // per text: generation of the scan that found it
  std::vector<TextId> found_;     // the texts found, in the order the scan met them
};

// The scan of `s`. Scans of recent strings are kept, so asking about the same line again is
// cheap. The result stays valid until the next call of scanTexts or of the functions below.
const TextScan& scanTexts(std::string_view s);

// Shorthands for a single question about `s`.
bool hasText(std::string_view s, TextId text);
int textPos(std::string_view s, TextId text);
int firstOfTable(std::string_view s, const char* const* table);
int firstOfTable(std::string_view s, const char* const* table, int* pos);
