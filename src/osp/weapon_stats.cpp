// OSP one-line accuracy records.
#include "osp/weapon_stats.h"

// Not read yet.
void scanWeaponStats(std::string_view /*line*/) {}
