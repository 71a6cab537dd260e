// Assembles the main statistics page of one game, and the fragments both pages share.
#pragma once

void makeHtml();
void htmlTitleTable();
void htmlPrintMapImage();
void htmlDrawCreditsTable();
