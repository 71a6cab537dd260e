// The team statistics banner at the top of the main page.
#pragma once

class PageWriter;
struct GameResult;

// The banner of a capture-the-flag, team deathmatch, Clan Arena or free-for-all game; any
// other type writes nothing. Its figures are the game's team sums (GameResult::getStats).
void htmlDrawTeamStatTable(PageWriter& w, const GameResult& game);
