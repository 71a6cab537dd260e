// Assembles the main statistics page of one game, and the fragments both pages share.
#pragma once

// Writes the main page (and the weapon page) of the current game. False when a page could
// not be written (the error is printed): the run must stop. With the output queue running
// the files are written later, and a failure stops the run from there.
struct GameResult;
// `withRecord`: the game record is written beside the pages.
bool makeHtml(const GameResult& game, bool withRecord);
void htmlTitleTable();
void htmlPrintMapImage();
void htmlDrawCreditsTable();
