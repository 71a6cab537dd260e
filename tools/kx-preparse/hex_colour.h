// Excessive Plus colour codes "^xRRGGBB" written as the nearest of the game's eight colours.
#pragma once

#include <cstddef>
#include <string_view>

// True when `text` holds a code "^x" (or "^X") followed by six hexadecimal digits.
bool hasHexColour(std::string_view text);

// Writes `text` into `out`, which has room for `room` bytes, with every "^xRRGGBB" replaced by
// "^N", N the game colour nearest to RRGGBB (0 black, 1 red, 2 green, 3 yellow, 4 blue, 5 cyan,
// 6 magenta, 7 white), so that our reader renders it as a colour instead of showing "eeff55"
// as part of a name. Anything else is copied as it is; a text longer than the room is cut.
// Returns the text written.
std::string_view toGameColours(std::string_view text, char* out, std::size_t room);
