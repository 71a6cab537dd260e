// Writes one family of a player's awards as icons into the current page.
#pragma once

// `family` is "weapons", "accuracy" or "player"; any other name writes nothing.
void htmlPrintAwards(const int awards[], const char* family);
