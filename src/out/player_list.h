// The player list of the main page: red and blue tables with totals, or the free-for-all ranking.
#pragma once

class PageWriter;
struct GameResult;

void htmlDrawPlayerListTable(PageWriter& w, const GameResult& game);
