// Team inference (placeholder).
#include "players/teams.h"
void assignTeam(std::string_view) {}
int getTeamTotalPlayers(int) { return 0; }
