// The site's own pages, written from the site model: the games index (50 games a page), one
// page per player, a ranking page per game type and the page of unrated games. Static HTML
// with the game pages' style sheet, readable without JavaScript, nothing fetched from the
// network. Log text (names, maps) reaches the page as text, never as markup.
#pragma once

#include <string>
#include <vector>

#include "kx-site/site_model.h"

namespace kxsite {

constexpr int kGamesPerIndexPage = 50;

// "index.html" for page 1, "index_2.html", "index_3.html", ... after it.
std::string indexPageName(int page);
// "ranking_ffa.html", "ranking_tdm.html", "ranking_ctf.html", "ranking_ca.html".
std::string rankingPageName(GameType type);
constexpr const char* kUnratedPageName = "unrated.html";
// The pages' name of a game type: "free for all", "team deathmatch", "capture the flag",
// "Clan Arena".
const char* gameTypeName(GameType type);

// Index page `page` (from 1) of `pageCount`, listing `games` (newest first, at most
// kGamesPerIndexPage), with links to the other index pages, the rankings and the unrated games.
std::string indexPage(const std::vector<GameSummary>& games, int page, int pageCount);
std::string playerPage(const PlayerProfile& profile);
// Only the rows that qualify (kRankedMinGames, kRankedMaxRd) are listed, highest rating first.
std::string rankingPage(GameType type, const std::vector<RankingRow>& rows);
std::string unratedPage(const std::vector<UnratedGame>& games);
// A player's rating history as an inline <svg> with a nonzero width and height.
std::string ratingPlot(const std::vector<RatingPoint>& history);

}  // namespace kxsite
