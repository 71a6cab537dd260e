// Assembles the main statistics page of one game, and the fragments both pages share.
#pragma once

#include <cstddef>

class PageWriter;
struct GameResult;

// Writes the main page of `game` through `w`. With a weapon page, the main page links to it
// where the weapon page has always been begun; the result is how much of the main page was
// written up to then (the whole page without a weapon page): a weapon page that cannot be
// created leaves the main page that far.
std::size_t writeMainPage(PageWriter& w, const GameResult& game);
void htmlTitleTable(PageWriter& w);
void htmlPrintMapImage(PageWriter& w, const GameResult& game);
void htmlDrawCreditsTable(PageWriter& w);
