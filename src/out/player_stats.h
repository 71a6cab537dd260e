// One statistics block per team player, red column and blue column.
#pragma once

class PageWriter;
struct GameResult;

void htmlDrawPlayerStatTable(PageWriter& w, const GameResult& game);
