// Team table (placeholder).
#include "html/team_table.h"
int getStats(const char*) { return 0; }
double getStatsDouble(const char*) { return 0.0; }
void htmlDrawTeamStatTable() {}
