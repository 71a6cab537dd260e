// Counts capture-the-flag events and tracks who carries a flag.
#pragma once

#include <string_view>

// Applies the first matching flag event of the line to the player named first in it.
void updateCTFStats(std::string_view line);

// No player of `team` carries a flag any more (nor the cut-name twin of any long name).
void resetHaveFlag(int team);
