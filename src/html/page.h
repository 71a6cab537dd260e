// Assembles the main statistics page of one game, and the fragments both pages share.
#pragma once

// Writes the main page (and the weapon page) of the current game. False when a page could
// not be created (the error is printed): the run must stop.
bool makeHtml();
void htmlTitleTable();
void htmlPrintMapImage();
void htmlDrawCreditsTable();
