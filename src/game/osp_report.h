// The OSP end-of-match report: a state of the game's tracker, fed the lines after the end of a match.
#pragma once

#include "read/line_record.h"
#include "read/text_scan.h"

struct Game;

// While active, every line of the log is a line of the report and reaches nothing else: the
// map line, the players' accuracy headers and their weapon and damage rows are read into the
// players' records. The report ends with (and takes) a line that enters a player, completes
// the match or shuts the client down, or with the log.
class OspReport {
 public:
  // Starts a report (prints its heading).
  void begin();
  bool active() const { return active_; }
  // The log ended inside the report: what was read stays, and the report is over.
  void cutShort() { active_ = false; }
  // Reads one line of the report; true when it was the report's last.
  bool feed(Game& game, const LineRecord& line);

 private:
  bool active_ = false;
  int player_ = 0;                // whose rows follow (NO_PLAYER before any header)
  ScannedText raw_;
  ScannedText strippedText_;
};
