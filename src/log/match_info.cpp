// Match information lines: the OSP announcement, map, Clan Arena rounds, connects, renames and leaves.
#include "log/match_info.h"

int g_mod = 0;

// Not followed yet: every line goes on to the other recognisers.
int updateMiscInfo(char* /*line*/, char* /*strippedLine*/) { return 0; }
