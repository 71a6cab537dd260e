// The weapon statistics page.
#include "html/weapon_page.h"

const char* getWeaponName(int /*weapon*/) { return ""; }
void htmlPrintWeaponStat(int /*weapon*/, int /*value*/) {}
// Not written yet: the main page gets no link and no weapon page is created.
void htmlDrawWeaponTable() {}
