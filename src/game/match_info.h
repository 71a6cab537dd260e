// Follows the lines that describe the match: OSP announcement, map, Clan Arena rounds, connects, renames, leaves.
#pragma once

struct Game;
struct LineRecord;

// Handles a line that passed the filter, raw and stripped lanes scanned, names cut. Both
// lanes may be rewritten (a leave line with a long name loses two bytes; the record is then
// scanned again). Returns 1 when the line is finished, 0 when the other recognisers must
// see it.
int updateMiscInfo(Game& game, LineRecord& line);
