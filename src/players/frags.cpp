// Frag accounting (placeholder).
#include "players/frags.h"
float getKalimoPoints(int) { return 0.0f; }
void updateTables(std::string_view) {}
