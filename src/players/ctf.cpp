// Capture-the-flag event accounting.
#include "players/ctf.h"

// Flag events are not counted yet.
void updateCTFStats(std::string_view /*line*/) {}
void resetHaveFlag(int /*team*/) {}
