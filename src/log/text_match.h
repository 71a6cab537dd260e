// Fast "does this line contain that message" queries over the program's fixed vocabulary.
#pragma once

#include <string_view>

// Handle of a registered text. Registering is cheap and idempotent; every text that is
// searched for on the per-line path is registered once and then found by one pass of a
// multi-pattern automaton over the searched string, whatever the number of texts.
using TextId = int;

// Returns the handle of `text`, registering it on first use. The text must outlive the run
// (string literals and the message tables).
TextId textId(std::string_view text);

// The handle of a literal, looked up once per call site.
#define KX_TEXT(literal) ([]() -> TextId { static const TextId kId = textId(literal); return kId; }())

// True when `text` occurs anywhere in `s` (plain, case-sensitive substring search).
bool hasText(std::string_view s, TextId text);

// Index in `s` of the first occurrence of `text`, or -1.
int textPos(std::string_view s, TextId text);

// Index of the first entry of the null-terminated `table`, in table order, that occurs in
// `s`; -1 when none does. Only the table order decides, never the position in `s`.
int firstOfTable(std::string_view s, const char* const* table);

// As above, and stores the index in `s` of that entry's first occurrence in `*pos`.
int firstOfTable(std::string_view s, const char* const* table, int* pos);
