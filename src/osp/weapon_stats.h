// Adds the one-line OSP accuracy records (name " accuracy statistics " row) to the players.
#pragma once

#include <string_view>

void scanWeaponStats(std::string_view line);
