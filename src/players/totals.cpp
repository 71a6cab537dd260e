// Game totals (placeholder).
#include "players/totals.h"
void addUpTables() {}
int weaponUsed(int) { return 0; }
int getWorstEnemy(int slot) { return slot; }
int getEasiestPrey(int slot) { return slot; }
