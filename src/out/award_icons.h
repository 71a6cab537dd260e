// Writes one family of a player's awards as icons into a page.
#pragma once

#include <functional>

class PageWriter;

// `family` is "weapons", "accuracy" or "player"; any other name writes nothing.
void htmlPrintAwards(PageWriter& w, const int awards[], const char* family);

// Calls `title` with the title of every award the flags hold, family by family as the pages
// list them (player, weapons, accuracy), in each family's order.
void forEachAwardTitle(const int awards[], const std::function<void(const char*)>& title);
