// Reads players' teams off team joins, team-coloured entries and capture-the-flag announcements.
#pragma once

#include <string_view>

struct LineRecord;

// Sets the team of the player named first in the line, from " is on team RED/BLUE", the
// team-coloured "entered the game" lines or any CTF announcement (which also makes the game
// capture the flag). A name not in the table lands in the sink slot.
void assignTeam(const LineRecord& line);
void assignTeam(std::string_view line);  // for a line not scanned yet

// Number of current players whose team equals `team` (0 counts those without a team).
int getTeamTotalPlayers(int team);
