// One log line, prepared and scanned once: the record every recogniser reads instead of the raw text.
#pragma once

#include <cstddef>
#include <string_view>

#include "log/text_scan.h"
#include "players/obituary.h"
#include "run/line_reader.h"

// Which recognisers a line can concern, from the texts it holds. A recogniser whose bit is
// clear would find nothing to do in the line, so it is not offered the line.
enum Handler : unsigned {
  kHandleMatchInfo = 1u << 0,
  kHandleTeams = 1u << 1,
  kHandleCtf = 1u << 2,
  kHandleFrags = 1u << 3,
  kHandleAccuracy = 1u << 4,
  kHandleBoundary = 1u << 5,
};

struct LineRecord {
  // The raw line (newline removed, unwanted bytes replaced, colour codes kept) and the same
  // without colour codes; both NUL-terminated. A leave line with a long name loses two bytes.
  char rawBuffer[kLineBufferSize];
  char strippedBuffer[kLineBufferSize];
  ScannedText raw;
  ScannedText stripped;
  // The recognisers the line concerns (Handler bits), set once the line's players are known.
  unsigned handlers = 0;

  // Which message the line is: the first text of valid_strings in table order that it holds
  // (the line filter's verdict decides whether it is read at all), or -1.
  int message() const { return raw.scan.first(kValidStrings); }

  // Names cut once from the raw line, and their slots as resolved after registration.
  NameCut victimCut;
  NameCut attackerCut;
  int victim = 0;
  int attacker = 0;

  // The cut names, counted in the scratch pool as a cutter call would count them.
  std::string_view victimName() const;
  std::string_view attackerName() const;
  // The resolved slots, counted likewise (a resolver call cuts the name first).
  int victimSlot() const;
  int attackerSlot() const;

  // Scans the raw line as it now stands in rawBuffer (`length` bytes).
  void scanRaw(std::size_t length);
  // Cuts the victim and attacker names out of the scanned raw line.
  void cutNames();
  // Strips the colour codes into strippedBuffer (counted in the scratch pool) and scans the
  // result.
  void stripAndScan();
  // Looks up both cut names in the player table.
  void resolveSlots();

  // For tests and rare paths: the whole record of `text` (cut to the buffer), players resolved.
  void setText(std::string_view text);
};
