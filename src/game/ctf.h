// Counts capture-the-flag events and tracks who carries a flag.
#pragma once

#include <string_view>

struct LineRecord;

// Applies the first matching flag event of the line to the player named first in it.
void updateCTFStats(const LineRecord& line);
void updateCTFStats(std::string_view line);  // for a line not scanned yet

// No player of `team` carries a flag any more (nor the cut-name twin of any long name).
void resetHaveFlag(int team);
