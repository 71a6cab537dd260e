// One log line, prepared and scanned once: the record every recogniser reads instead of the raw text.
#pragma once

#include <cstddef>
#include <string_view>

#include "read/text_scan.h"
#include "read/means_of_death.h"
#include "read/names.h"
#include "read/line_reader.h"

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

// The preparation of a line as read: its visible text ends at the first NUL; a line end
// among the last five bytes is cut; unwanted bytes become '_'. Returns the new length.
// `plain`: how many leading bytes the reader found to be plain printable text (0: unknown).
std::size_t prepareLine(char* buf, std::size_t readLength, std::size_t plain = 0);

struct LineRecord {
  // The raw line (newline removed, unwanted bytes replaced, colour codes kept) and the same
  // without colour codes; both NUL-terminated. A leave line with a long name loses two bytes.
  char rawBuffer[kLineBufferSize];
  char strippedBuffer[kLineBufferSize];
  ScannedText raw;
  ScannedText stripped;
  // Where the line was read and its hash, for the fingerprint of the game it belongs to.
  LineSpan span;

  // Which message the line is: the first text of valid_strings in table order that it holds
  // (the line filter's verdict decides whether it is read at all), or -1.
  int message() const { return raw.scan.first(kValidStrings); }

  // Names cut once from the raw line.
  NameCut victimCut;
  NameCut attackerCut;
  // The means of death the line names (a weapon row), for a line the filter lets through.
  int weapon = WP_UNKNOWN;

  // The cut names, counted in the scratch pool as a cutter call would count them.
  std::string_view victimName() const;
  std::string_view attackerName() const;

  // Everything about the line that depends on its text alone, done where the line is read
  // (ahead of the recognisers, on the reading thread when there is one): the preparation of
  // the `readLength` bytes the reader left in rawBuffer, the raw scan and, for a line the
  // filter lets through, the stripped lane and the name cut.
  void prepare(std::size_t readLength, std::size_t plain = 0);
  // Set by prepare(): whether the line filter lets the line through, and the scratch strings
  // its stripping costs (counted when the line is processed, where the strip used to run).
  bool passesFilter = false;
  int stripScratch = 0;

  // Scans the raw line as it now stands in rawBuffer (`length` bytes).
  void scanRaw(std::size_t length);
  // Cuts the victim and attacker names out of the scanned raw line.
  void cutNames();
  // Strips the colour codes of the raw line as it now stands into strippedBuffer (counted in
  // the scratch pool), scans the result and reads the weapon again: for a line changed after
  // it was prepared.
  void stripAndScan();

  // The stripped lane of a line that passed the filter, from prepare(): its scratch strings counted.
  void countStrip() const;

  // For tests and rare paths: the whole record of `text` (cut to the buffer).
  void setText(std::string_view text);

 private:
  void stripLane(int* scratch);
};
