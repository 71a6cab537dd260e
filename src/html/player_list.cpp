// Player list (placeholder).
#include "html/player_list.h"
void htmlDrawPlayerListTable() {}
