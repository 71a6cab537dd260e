// First pass over a server log: which games report their flag events in lines of their own.
#include "flag_scan.h"

#include "server_line.h"

void FlagLineGames::scanLine(std::string_view line) {
  ServerLine s;
  if (!readServerLine(line, s)) return;
  if (s.kind == "InitGame") {
    ++game_;
    flagLines_.push_back(false);
  } else if (s.kind == "Flag_Pickup" || s.kind == "Flag_Capture" || s.kind == "Flag_Return") {
    flagLines_[static_cast<std::size_t>(game_)] = true;
  } else if (s.kind == "TeamScore") {
    teamScores_ = true;
  }
}

bool FlagLineGames::usesFlagLines(int game) const {
  if (game < 0 || static_cast<std::size_t>(game) >= flagLines_.size()) return false;
  return flagLines_[static_cast<std::size_t>(game)];
}
