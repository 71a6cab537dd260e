// Follows the lines that describe the match: OSP announcement, map, Clan Arena rounds, connects, renames, leaves.
#pragma once

extern int g_mod;  // 1 while the OSP modification is announced as loaded; survives game resets

// Handles a line that passed the filter. `line` is the raw line, `strippedLine` the same
// without colour codes; both are kLineBufferSize buffers and may be rewritten (a leave line
// with a long name loses two bytes). Returns 1 when the line is finished, 0 when the other
// recognisers must see it.
int updateMiscInfo(char* line, char* strippedLine);
