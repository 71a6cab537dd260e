// Keeps one chat line per player as the quote shown on the player's statistics block.
#pragma once

#include "read/text_scan.h"

class PlayerTable;

// Offered every line that validLine() rejected. A chat line is name + "^7: " + message; when
// the name is a current player's rawName, the colour-stripped message may become that
// player's quote. Seeds the C library's generator with the line length on every call.
void scanForQuotes(PlayerTable& players, const ScannedText& line);
