// Decides which log lines are events worth offering to the recognisers.
#pragma once

#include <string_view>

#include "read/text_scan.h"

// 1 when the line (newline removed, bytes replaced, colour codes kept) is 2 to 500 bytes
// long and holds a text of valid_strings; when the first such text in table order is " ate ",
// the line must also mention "rocket" or "grenade". 0 otherwise.
int validLine(const ScannedText& line);
int validLine(std::string_view line);  // for a line not scanned yet
