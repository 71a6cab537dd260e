// The site's pages: names shown as text and linked to their pages, the index's page links,
// who is ranked, the unrated games' reasons, and the rating plot's geometry.
#include "kx-site/site_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kxsite {
namespace {

// The fragments occur in the page, each after the one before.
void expectInOrder(const std::string& page, const std::vector<std::string>& fragments) {
  std::size_t at = 0;
  for (const std::string& f : fragments) {
    const std::size_t found = page.find(f, at);
    ASSERT_NE(std::string::npos, found) << "missing after byte " << at << ": " << f << "\nin:\n" << page;
    at = found + f.size();
  }
}

int occurrences(const std::string& page, const std::string& fragment) {
  int n = 0;
  for (std::size_t at = page.find(fragment); at != std::string::npos; at = page.find(fragment, at + 1)) ++n;
  return n;
}

PlayerRef player(const std::string& key, const std::string& name) { return {key, name, "player_" + key + ".html"}; }

GameSummary ffaGame(int64_t id) {
  GameSummary g;
  g.id = id;
  g.processed = "2026-12-06 12:22:20";
  g.map = "q3dm6";
  g.mainPage = "kalimostats_2026_12_06_12_22_20_" + std::to_string(id) + "_FFA_PUB_main.html";
  g.others = {player("ann", "^1Ann"), player("bob", "Bob")};
  g.winners = {player("ann", "^1Ann")};
  g.redScore = 20;
  return g;
}

TEST(SitePages, LogTextIsShownAsTextAndNamesLinkToTheirPages) {
  GameSummary g = ffaGame(1);
  g.map = "<b>map";
  g.others = {{"<x>", "^1<script>\"&'", "player_-3cx-3e.html"}};
  g.winners.clear();
  const std::string page = indexPage({g}, 1, 1);
  expectInOrder(page, {"<td CLASS=\"neutral\">&lt;b&gt;map</td>",
                       "<a href=\"player_-3cx-3e.html\">&lt;script&gt;&quot;&amp;&#39;</a>"});
  EXPECT_EQ(std::string::npos, page.find("<script"));
  EXPECT_EQ(std::string::npos, page.find("^1"));
}

TEST(SitePages, IndexRowsListTypeMapPlayersScoreAndTheGamesPages) {
  GameSummary team = ffaGame(2);
  team.type = GameType::kClanArena;
  team.others.clear();
  team.winners.clear();
  team.red = {player("rex", "Rex")};
  team.blue = {player("bea", "Bea"), player("bo", "Bo")};
  team.redScore = 3;
  team.blueScore = 5;
  team.weaponPage = "kalimostats_wpn.html";
  const std::string page = indexPage({team, ffaGame(1)}, 1, 1);
  expectInOrder(page, {"<b>PROCESSED</b>", "<b>PAGES</b>",
                       // the newest first, as given
                       "2026-12-06 12:22:20", "Clan Arena", "q3dm6",
                       "<span CLASS=\"indexRed\"><a href=\"player_rex.html\">Rex</a></span> vs "
                       "<span CLASS=\"indexBlue\"><a href=\"player_bea.html\">Bea</a>, <a href=\"player_bo.html\">Bo</a>",
                       "3 : 5", "<a href=\"kalimostats_2026_12_06_12_22_20_2_FFA_PUB_main.html\">game</a>",
                       "<a href=\"kalimostats_wpn.html\">weapons</a>",
                       "free for all", "<a href=\"player_ann.html\">Ann</a>, <a href=\"player_bob.html\">Bob</a>",
                       "<a href=\"player_ann.html\">Ann</a> (20)"});
  EXPECT_EQ(std::string::npos, page.find("index_2.html"));  // a single page links to no other
}

TEST(SitePages, IndexPagesLinkToTheNewerAndOlderPages) {
  std::vector<GameSummary> many;
  for (int i = 0; i < 51; ++i) many.push_back(ffaGame(100 - i));
  const std::string first = indexPage(many, 1, 3);
  EXPECT_EQ(kGamesPerIndexPage, occurrences(first, "_FFA_PUB_main.html\">game</a>"));
  EXPECT_NE(std::string::npos, first.find("_51_FFA_PUB_main.html"));  // the 50th
  EXPECT_EQ(std::string::npos, first.find("_50_FFA_PUB_main.html"));  // the 51st is left out
  expectInOrder(first, {"<b>1</b> <a href=\"index_2.html\">2</a> <a href=\"index_3.html\">3</a> &middot; "
                        "<a href=\"index_2.html\">older &raquo;</a>"});
  EXPECT_EQ(std::string::npos, first.find("newer"));

  const std::string last = indexPage({ffaGame(1)}, 3, 3);
  expectInOrder(last, {"<a href=\"index_2.html\">&laquo; newer</a> &middot; <a href=\"index.html\">1</a> "
                       "<a href=\"index_2.html\">2</a> <b>3</b></div>"});
  EXPECT_EQ(std::string::npos, last.find("older"));

  // Far from both ends: the first, five pages on each side, the last.
  const std::string middle = indexPage({ffaGame(1)}, 9, 20);
  expectInOrder(middle, {"<a href=\"index.html\">1</a> ... <a href=\"index_4.html\">4</a>",
                         "<a href=\"index_8.html\">8</a> <b>9</b> <a href=\"index_10.html\">10</a>",
                         "<a href=\"index_14.html\">14</a> ... <a href=\"index_20.html\">20</a> &middot; "
                         "<a href=\"index_10.html\">older &raquo;</a>"});
  EXPECT_EQ(std::string::npos, middle.find("index_3.html\">"));
  EXPECT_EQ(std::string::npos, middle.find("index_15.html\">"));
}

TEST(SitePages, RankingListsFromFiveGamesAndUpToDeviation150HighestFirst) {
  const std::vector<RankingRow> rows = {
      {player("five", "Five"), 1600, 150, 5},       // exactly at both limits: listed
      {player("four", "Four"), 1900, 100, 4},       // one game short
      {player("loose", "Loose"), 1950, 150.01, 9},  // too uncertain
      {player("top", "Top"), 1712.6, 80, 30},
  };
  const std::string page = rankingPage(GameType::kTeamDeathmatch, rows);
  expectInOrder(page, {"RANKING: TEAM DEATHMATCH", "<b>RATING</b>", "<b>DEVIATION</b>", "<b>RATED GAMES</b>",
                       ">1</div>", "<a href=\"player_top.html\">Top</a>", ">1713</div>", ">80</div>", ">30</div>",
                       ">2</div>", "<a href=\"player_five.html\">Five</a>", ">1600</div>", ">150</div>", ">5</div>"});
  EXPECT_EQ(std::string::npos, page.find("player_four.html"));
  EXPECT_EQ(std::string::npos, page.find("player_loose.html"));
  EXPECT_EQ("ranking_tdm.html", rankingPageName(GameType::kTeamDeathmatch));
}

// An empty list still gets one whole row spanning the table, so the table around it stays
// well formed.
TEST(SitePages, AnEmptyListIsOneClosedRowAcrossTheTable) {
  const std::string ranking = rankingPage(GameType::kFreeForAll, {});
  expectInOrder(ranking, {"<tr><td COLSPAN=5 CLASS=\"neutral\"><div align=center>no player ranked yet</div></td></tr>\n",
                          "</table>"});
  const std::string unrated = unratedPage({});
  expectInOrder(unrated, {"><div align=center>every game is rated</div></td></tr>\n", "</table>"});
}

TEST(SitePages, UnratedGamesSayWhy) {
  UnratedGame few{ffaGame(7), UnratedReason::kFewerThanTwoPlayers, ""};
  UnratedGame none{ffaGame(8), UnratedReason::kNoKill, ""};
  UnratedGame warmUp;
  warmUp.reason = UnratedReason::kOspWarmUp;
  warmUp.where = "games<1>.log";
  const std::string page = unratedPage({few, none, warmUp});
  expectInOrder(page, {"fewer than two players", "7_FFA_PUB_main.html\">game</a>", "no kill",
                       "8_FFA_PUB_main.html\">game</a>", "OSP warm-up", "games&lt;1&gt;.log"});
  EXPECT_EQ(2, occurrences(page, "\">game</a>"));  // the warm-up has no page to link
  // Nor a known type or map: it is not said to be a free-for-all game.
  EXPECT_EQ(2, occurrences(page, ">free for all</td>"));
}

TEST(SitePages, APlayerPageShowsHisFiguresAndLinks) {
  PlayerProfile p;
  p.player = player("ann", "^1Ann");
  p.otherNames = {"Annie"};
  p.games = 12, p.wins = 5, p.losses = 6, p.draws = 1, p.kills = 40, p.deaths = 32, p.suicides = 2, p.captures = 3;
  p.weapons = {{"Railgun", 20, 80, 31}, {"Gauntlet", 3, 0, 0}};
  p.favouriteWeapon = "Railgun";
  p.maps = {{"q3dm6", 7}};
  p.awards = {{"Best Killer", 3}};
  p.nemesis = player("bob", "Bob");
  p.nemesisKills = 9;
  p.opponents = {{player("bob", "Bob"), 8, 10, 9}};
  PlayerGame recent;
  recent.game = ffaGame(42);
  recent.outcome = Outcome::kWin;
  recent.score = 20;
  p.recent = {recent};
  Rating ffa;
  ffa.rating = 1662.31, ffa.rd = 290.32, ffa.games = 1;
  ffa.history = {{42, 1662.31, 290.32}};
  p.ratings = {ffa};
  const std::string page = playerPage(p);
  expectInOrder(page, {"<title>player Ann</title>", "<b>Ann</b>", "also played as Annie",
                       // games, wins, losses, draws, kills, deaths, K/D = 40 / 32, suicides, captures
                       ">12</div>", ">5</div>", ">6</div>", ">1</div>", ">40</div>", ">32</div>", ">1.25</div>",
                       ">2</div>", ">3</div>",
                       "<a href=\"ranking_ffa.html\">free for all</a>", ">1662</div>", ">290</div>", "<svg",
                       // accuracy 31 / 80 = 38.75 %; none without shots
                       "Railgun", ">38.8%</div>", "Gauntlet", ">-</div>", "favourite weapon: Railgun",
                       "q3dm6", ">7</div>", "Best Killer", ">3</div>",
                       "nemesis", "<a href=\"player_bob.html\">Bob</a> (9 kills against him)", "favourite victim",
                       "none", "<a href=\"player_bob.html\">Bob</a>", ">8</div>", ">10</div>", ">9</div>",
                       "win", ">20</div>", "42_FFA_PUB_main.html\">game</a>"});
  p.deaths = 0;
  EXPECT_NE(std::string::npos, playerPage(p).find(">40</div></td><td CLASS=\"neutral\"><div align=center>0</div>"
                                                  "</td><td CLASS=\"neutral\"><div align=center>-</div>"));
}

TEST(RatingPlot, TwoPointsSpanTheWholeFrame) {
  // Frame 400 x 120; the drawing runs from x 44 to 392 and from y 8 (highest rating) to 112
  // (lowest). Two points: the first at the left, the second at the right; 1600 is the
  // highest, 1500 the lowest.
  const std::string svg = ratingPlot({{1, 1600, 290}, {2, 1500, 250}});
  expectInOrder(svg, {"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"120\"",
                      ">1600</text>", ">1500</text>", "points=\"44.0,8.0 392.0,112.0\"",
                      "<title>game 1: 1600, deviation 290</title>", "<title>game 2: 1500, deviation 250</title>"});
}

TEST(RatingPlot, AMiddlePointIsPlacedInProportion) {
  // 1520 of 1500..1550 lies 30 / 50 of the height below the top: 8 + 104 x 0.6 = 70.4; the
  // middle one of three points is halfway: 44 + 348 / 2 = 218.
  const std::string svg = ratingPlot({{1, 1500, 300}, {2, 1550, 250}, {3, 1520, 200}});
  EXPECT_NE(std::string::npos, svg.find("points=\"44.0,112.0 218.0,8.0 392.0,70.4\"")) << svg;
}

TEST(RatingPlot, OnePointOrEqualRatingsSitInTheMiddle) {
  // Equal ratings are drawn on a 20-point scale around them: halfway down, y 8 + 52 = 60.
  EXPECT_NE(std::string::npos, ratingPlot({{5, 1662, 290}}).find("points=\"218.0,60.0\""));
  const std::string flat = ratingPlot({{5, 1500, 290}, {6, 1500, 250}});
  expectInOrder(flat, {">1510</text>", ">1490</text>", "points=\"44.0,60.0 392.0,60.0\""});
  const std::string empty = ratingPlot({});
  expectInOrder(empty, {"width=\"400\" height=\"120\"", "no rated games", "</svg>"});
}

}  // namespace
}  // namespace kxsite
