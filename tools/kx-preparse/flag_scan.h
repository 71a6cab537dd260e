// First pass over a server log: which games report their flag events in lines of their own.
#pragma once

#include <string_view>
#include <vector>

// Some mods (Excessive Plus among them) log every flag event as a line of its own
// ("Flag_Pickup: 1", "Flag_Capture: 1 21.650", ...) besides the plain "Item: 1 team_CTF_redflag"
// touch. Such a game must take its flag events from those lines alone, or a capture would
// count twice; a stock server logs only the touches. The converter learns which kind a game
// is from this scan, made over the whole log before the conversion.
//
// Games are numbered as the converter numbers them: 0 for the lines before the first
// "InitGame:", then 1, 2, ... for each "InitGame:" line.
class FlagLineGames {
 public:
  // Takes the next line of the log (line break removed).
  void scanLine(std::string_view line);

  // True when game `game` holds a Flag_Pickup, Flag_Capture or Flag_Return line.
  bool usesFlagLines(int game) const;

  // True when the log holds TeamScore lines (Excessive Plus): the server's own record of
  // which captures scored.
  bool logsTeamScores() const { return teamScores_; }

 private:
  int game_ = 0;
  bool teamScores_ = false;
  std::vector<bool> flagLines_ = std::vector<bool>(1, false);
};
