// Cuts player names out of obituaries and other player events.
#pragma once

#include <string_view>

#include "read/text_scan.h"

// Stands for a missing name: what the name cutters return when a line names nobody in the
// asked role, and the quote of a player who said nothing.
extern const char SENTINEL_NAME[];
constexpr std::string_view kSentinelName =
    "poiwsdkghghpoidertrtdsfkbnmcvdawhbpwqgdhomawqasdhgftvbn";

// A name cut out of a line, with the number of scratch strings the cut costs (the pool
// counts them where the name is asked for).
struct NameCut {
  std::string_view name;
  int scratch = 0;
};

// The name standing before the line's one-name message (self_strings, first in table
// order) or, failing that, before its two-name message (dual_strings); with one trailing
// colour code trimmed. kSentinelName (and no scratch string) when the line holds neither.
NameCut cutVictimName(const ScannedText& line);
// The name after the line's two-name message, less a trailing possessive such as "'s rocket"
// and one trailing colour code; for a self-inflicted death the victim's name; otherwise
// kSentinelName. A " ate " line without "rocket" or "grenade" has no two-name message.
NameCut cutAttackerName(const ScannedText& line);

// The cuts above, counted in the scratch pool. A non-sentinel result is a view into the line.
std::string_view getVictimName(const ScannedText& line);
std::string_view getAttackerName(const ScannedText& line);

// For a line not scanned yet (tests and rare paths).
std::string_view getVictimName(std::string_view line);
std::string_view getAttackerName(std::string_view line);
