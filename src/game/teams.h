// Reads players' teams off team joins, team-coloured entries and capture-the-flag announcements.
#pragma once

struct Game;
struct LinePlayers;
struct LineRecord;
class PlayerTable;

// Sets the team of the player named first in the line, from " is on team RED/BLUE", the
// team-coloured "entered the game" lines or any CTF announcement (which also makes the game
// capture the flag). A name not in the table lands in the sink slot.
void assignTeam(Game& game, const LineRecord& line, const LinePlayers& who);

// Number of current players whose team equals `team` (0 counts those without a team).
int getTeamTotalPlayers(const PlayerTable& players, int team);
