// Follows the lines that describe the match: OSP announcement, map, Clan Arena rounds, connects, renames, leaves.
#pragma once

struct Game;
struct LineRecord;

// What became of a line: finished here, or still to be seen by the other recognisers.
enum class LineUse { kHandled, kPassedOn };

// Handles a line that passed the filter, raw and stripped lanes scanned, names cut. Both
// lanes may be rewritten (a leave line with a long name loses two bytes; the record is then
// scanned again).
LineUse updateMiscInfo(Game& game, LineRecord& line);
