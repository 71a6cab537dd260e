// Means of death: which weapon (or world death) an obituary names.
#pragma once

#include <string_view>

#include "read/text_scan.h"
#include "read/weapons.h"

// Means-of-death code 0..12 of an obituary, 14 when nothing is recognised. The tests run in
// the order of the weapon table's obituary rules: the first that holds decides.
int getWeapon(const ScannedText& line);
int getWeapon(std::string_view line);  // for a line not scanned yet
