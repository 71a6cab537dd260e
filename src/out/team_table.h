// The team statistics banner at the top of the main page, and the team sums it shows.
#pragma once

// Sum of one integer field over one side, chosen by key ("caps_red", "kills_noteam", ...);
// 0 for an unknown key.
int getStats(const char* key);
// Sum of skill or combat over one side ("kalimo_blue", "combat_red", "kalimo" for all); 0.0
// for an unknown key.
double getStatsDouble(const char* key);

void htmlDrawTeamStatTable();
