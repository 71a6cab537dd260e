// Adds the one-line OSP accuracy records (name " accuracy statistics " row) to the players.
#pragma once

#include <string_view>

struct LineRecord;

void scanWeaponStats(const LineRecord& line);
void scanWeaponStats(std::string_view line);  // for a line not scanned yet
