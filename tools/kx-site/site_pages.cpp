// Writes the site's own pages (games index, player pages, rankings, unrated games) from the site model.
#include "kx-site/site_pages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "base/strutil.h"

namespace kxsite {

namespace {

constexpr char kStyleSheet[] = "c-kalimo.css";
constexpr int kColumnsOfGameRows = 6;
// Index pages linked on each side of the current one; the first and the last are always linked.
constexpr int kPageLinksAround = 5;

struct GameTypeNames {
  GameType type;
  const char* key;    // as in the game record and the ranking page's name
  const char* shown;
};

const GameTypeNames kGameTypes[kGameTypeCount] = {
    {GameType::kFreeForAll, "ffa", "free for all"},
    {GameType::kTeamDeathmatch, "tdm", "team deathmatch"},
    {GameType::kCaptureTheFlag, "ctf", "capture the flag"},
    {GameType::kClanArena, "ca", "Clan Arena"},
};

const GameTypeNames& namesOf(GameType type) {
  for (const GameTypeNames& t : kGameTypes) {
    if (t.type == type) return t;
  }
  return kGameTypes[0];
}

// The plot's frame, in pixels: the drawing area leaves room on the left for the rating labels.
constexpr int kPlotWidth = 400;
constexpr int kPlotHeight = 120;
constexpr double kPlotLeft = 44, kPlotRight = 392, kPlotTop = 8, kPlotBottom = 112;
// Ratings closer than this are drawn on a scale this tall around their middle, so equal
// ratings make a flat line in the middle instead of a division by zero.
constexpr double kPlotMinSpan = 20;

// Log text and names as element content or inside a double-quoted attribute. Unlike the game
// pages' log text, names here also come from the aliases file, where '&' and '"' are not
// replaced beforehand.
void appendEscaped(std::string_view s, std::string* out) {
  for (char c : s) {
    switch (c) {
      case '&': *out += "&amp;"; break;
      case '<': *out += "&lt;"; break;
      case '>': *out += "&gt;"; break;
      case '"': *out += "&quot;"; break;
      case '\'': *out += "&#39;"; break;
      default: *out += c;
    }
  }
}

std::string fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// A name as the site shows it: without its colour codes, as the games index shows names.
std::string plainName(const std::string& loggedName) {
  std::string plain(loggedName.size() + 1, '\0');
  int scratch = 0;
  plain.resize(stripColorCodesUncounted(loggedName, plain.data(), &scratch));
  return plain;
}

void appendName(const std::string& loggedName, std::string* out) {
  const std::string plain = plainName(loggedName);
  if (plain.empty()) {
    *out += "<i>(blank name)</i>";
    return;
  }
  appendEscaped(plain, out);
}

// A link whose text is our own markup.
void appendLinkMarkup(const std::string& href, const char* markup, std::string* out) {
  *out += "<a href=\"";
  appendEscaped(href, out);
  *out += "\">";
  *out += markup;
  *out += "</a>";
}

void appendLink(const std::string& href, const std::string& text, std::string* out) {
  *out += "<a href=\"";
  appendEscaped(href, out);
  *out += "\">";
  appendEscaped(text, out);
  *out += "</a>";
}

void appendPlayer(const PlayerRef& p, std::string* out) {
  if (p.page.empty()) {
    appendName(p.name, out);
    return;
  }
  *out += "<a href=\"";
  appendEscaped(p.page, out);
  *out += "\">";
  appendName(p.name, out);
  *out += "</a>";
}

void appendPlayers(const std::vector<PlayerRef>& players, std::string* out) {
  for (std::size_t i = 0; i < players.size(); ++i) {
    if (i > 0) *out += ", ";
    appendPlayer(players[i], out);
  }
}

void appendHead(const std::string& title, std::string* out) {
  *out += "<html>\n<head><title>";
  appendEscaped(title, out);
  *out += "</title>\n<LINK REL=stylesheet HREF=\"";
  *out += kStyleSheet;
  *out += "\" TYPE=\"text/css\">\n</head>\n<body>\n<center>\n";
  // Every page leads to the others: the recent games, the four rankings, the unrated games.
  *out += "<table BORDER=0 CELLSPACING=1 CELLPADDING=3 WIDTH=100% CLASS=\"neutralHighlight\">\n"
          "<tr><td CLASS=\"neutral\"><div align=center>";
  appendLink(indexPageName(1), "recent games", out);
  *out += " &middot; rankings: ";
  for (const GameTypeNames& t : kGameTypes) {
    if (t.type != kGameTypes[0].type) *out += ", ";
    appendLink(rankingPageName(t.type), t.shown, out);
  }
  *out += " &middot; ";
  appendLink(kUnratedPageName, "unrated games", out);
  *out += "</div></td></tr>\n</table><br>\n";
}

void appendEnd(std::string* out) { *out += "</center>\n</body>\n</html>\n"; }

// A table with a title row over `columns` heads (none when all are empty); rows follow.
void openTable(const std::string& title, const std::vector<const char*>& columns, std::string* out) {
  *out += "<table BORDER=0 CELLSPACING=1 CELLPADDING=3 WIDTH=100% CLASS=\"neutralHighlight gamesIndex\">\n";
  *out += "<tr><td COLSPAN=" + std::to_string(columns.size()) +
          " CLASS=\"neutralHighlight\"><div align=center><b>";
  *out += title;
  *out += "</b></div></td></tr>\n";
  if (std::all_of(columns.begin(), columns.end(), [](const char* c) { return *c == '\0'; })) return;
  *out += "<tr>\n";
  for (const char* c : columns) {
    *out += "<td CLASS=\"neutralHighlight\"><b>";
    *out += c;
    *out += "</b></td>";
  }
  *out += "\n</tr>\n";
}

void closeTable(std::string* out) { *out += "</table><br>\n"; }

// The class of the `number`th row from the top (1 for the first): rows alternate in colour.
const char* rowClass(int number) { return number % 2 ? "neutral" : "neutralLowlight"; }

void openCell(const char* cls, std::string* out) {
  *out += "<td CLASS=\"";
  *out += cls;
  *out += "\">";
}

void textCell(const char* cls, const std::string& text, std::string* out) {
  openCell(cls, out);
  appendEscaped(text, out);
  *out += "</td>";
}

void numberCell(const char* cls, const std::string& number, std::string* out) {
  openCell(cls, out);
  *out += "<div align=center>";
  *out += number;
  *out += "</div></td>";
}

void emptyRow(int columns, const char* text, std::string* out) {
  *out += "<tr><td COLSPAN=" + std::to_string(columns) + " CLASS=\"neutral\"><div align=center>";
  *out += text;
  *out += "</div></td></tr>\n";
}

void mapCell(const char* cls, const std::string& map, std::string* out) {
  textCell(cls, map.empty() ? "?" : map, out);
}

void teamsCell(const char* cls, const GameSummary& g, std::string* out) {
  openCell(cls, out);
  if (g.type != GameType::kFreeForAll) {
    *out += "<span CLASS=\"indexRed\">";
    appendPlayers(g.red, out);
    *out += "</span> vs <span CLASS=\"indexBlue\">";
    appendPlayers(g.blue, out);
    *out += "</span>";
    if (!g.others.empty()) {
      *out += "; also ";
      appendPlayers(g.others, out);
    }
  } else {
    appendPlayers(g.others, out);
  }
  *out += "</td>";
}

void scoreCell(const char* cls, const GameSummary& g, std::string* out) {
  openCell(cls, out);
  *out += "<div align=center>";
  if (g.type != GameType::kFreeForAll) {
    *out += std::to_string(g.redScore) + " : " + std::to_string(g.blueScore);
  } else if (!g.winners.empty()) {
    appendPlayers(g.winners, out);
    *out += " (" + std::to_string(g.redScore) + ")";
  } else {
    *out += "?";
  }
  *out += "</div></td>";
}

void pagesCell(const char* cls, const GameSummary& g, std::string* out) {
  openCell(cls, out);
  appendLink(g.mainPage, "game", out);
  if (!g.weaponPage.empty()) {
    *out += " &middot; ";
    appendLink(g.weaponPage, "weapons", out);
  }
  *out += "</td>";
}

void appendPageLinks(int page, int pageCount, std::string* out) {
  if (pageCount <= 1) return;
  *out += "<tr><td COLSPAN=" + std::to_string(kColumnsOfGameRows) +
          " CLASS=\"neutralHighlight\"><div align=center>";
  if (page > 1) {
    appendLinkMarkup(indexPageName(page - 1), "&laquo; newer", out);
    *out += " &middot; ";
  }
  bool gap = false;
  for (int p = 1; p <= pageCount; ++p) {
    if (p != 1 && p != pageCount && std::abs(p - page) > kPageLinksAround) {
      gap = true;
      continue;
    }
    if (gap) *out += " ...";
    gap = false;
    if (p > 1) *out += " ";
    if (p == page) {
      *out += "<b>" + std::to_string(p) + "</b>";
    } else {
      appendLink(indexPageName(p), std::to_string(p), out);
    }
  }
  if (page < pageCount) {
    *out += " &middot; ";
    appendLinkMarkup(indexPageName(page + 1), "older &raquo;", out);
  }
  *out += "</div></td></tr>\n";
}

const char* outcomeText(Outcome o) {
  switch (o) {
    case Outcome::kWin: return "win";
    case Outcome::kLoss: return "loss";
    case Outcome::kDraw: return "draw";
  }
  return "";
}

const char* reasonText(UnratedReason r) {
  switch (r) {
    case UnratedReason::kFewerThanTwoPlayers: return "fewer than two players";
    case UnratedReason::kOspWarmUp: return "OSP warm-up";
    case UnratedReason::kNoKill: return "no kill";
  }
  return "";
}

bool ranked(const RankingRow& r) { return r.games >= kRankedMinGames && r.rd <= kRankedMaxRd; }

// Player page sections.

void appendTotals(const PlayerProfile& p, std::string* out) {
  openTable("TOTALS", {"GAMES", "WINS", "LOSSES", "DRAWS", "KILLS", "DEATHS", "K/D", "SUICIDES", "CAPTURES"},
            out);
  const char* cls = rowClass(1);
  *out += "<tr>";
  for (int64_t n : {p.games, p.wins, p.losses, p.draws, p.kills, p.deaths}) numberCell(cls, std::to_string(n), out);
  numberCell(cls, p.deaths > 0 ? fixed(static_cast<double>(p.kills) / static_cast<double>(p.deaths), 2) : "-", out);
  numberCell(cls, std::to_string(p.suicides), out);
  numberCell(cls, std::to_string(p.captures), out);
  *out += "</tr>\n";
  closeTable(out);
}

void appendRatings(const PlayerProfile& p, std::string* out) {
  openTable("RATINGS", {"GAME TYPE", "RATING", "DEVIATION", "RATED GAMES", "HISTORY"}, out);
  int number = 0;
  for (const Rating& r : p.ratings) {
    const char* cls = rowClass(++number);
    *out += "<tr>";
    openCell(cls, out);
    appendLink(rankingPageName(r.type), namesOf(r.type).shown, out);
    *out += "</td>";
    numberCell(cls, fixed(r.rating, 0), out);
    numberCell(cls, fixed(r.rd, 0), out);
    numberCell(cls, std::to_string(r.games), out);
    openCell(cls, out);
    *out += ratingPlot(r.history);
    *out += "</td></tr>\n";
  }
  if (number == 0) emptyRow(5, "no rated games", out);
  closeTable(out);
}

void appendWeapons(const PlayerProfile& p, std::string* out) {
  openTable("WEAPONS", {"WEAPON", "KILLS", "SHOTS", "HITS", "ACCURACY"}, out);
  int number = 0;
  for (const WeaponFigures& w : p.weapons) {
    const char* cls = rowClass(++number);
    *out += "<tr>";
    textCell(cls, w.weapon, out);
    numberCell(cls, std::to_string(w.kills), out);
    numberCell(cls, std::to_string(w.shots), out);
    numberCell(cls, std::to_string(w.hits), out);
    numberCell(cls,
               w.shots > 0 ? fixed(100.0 * static_cast<double>(w.hits) / static_cast<double>(w.shots), 1) + "%" : "-",
               out);
    *out += "</tr>\n";
  }
  if (number == 0) emptyRow(5, "no weapon figures", out);
  *out += "<tr><td COLSPAN=5 CLASS=\"neutralHighlight\">favourite weapon: ";
  if (p.favouriteWeapon.empty()) {
    *out += "none";
  } else {
    appendEscaped(p.favouriteWeapon, out);
  }
  *out += "</td></tr>\n";
  closeTable(out);
}

void appendCounts(const char* title, const char* column, const char* countColumn, const char* none,
                  const std::vector<std::pair<std::string, int64_t>>& counts, std::string* out) {
  openTable(title, {column, countColumn}, out);
  int number = 0;
  for (const auto& [name, count] : counts) {
    const char* cls = rowClass(++number);
    *out += "<tr>";
    textCell(cls, name.empty() ? "?" : name, out);
    numberCell(cls, std::to_string(count), out);
    *out += "</tr>\n";
  }
  if (number == 0) emptyRow(2, none, out);
  closeTable(out);
}

void appendRival(const char* label, const PlayerRef& rival, int64_t kills, const char* verb, std::string* out) {
  *out += "<tr><td CLASS=\"neutral\"><b>";
  *out += label;
  *out += "</b></td><td CLASS=\"neutral\">";
  if (rival.key.empty()) {
    *out += "none";
  } else {
    appendPlayer(rival, out);
    *out += " (" + std::to_string(kills) + " " + verb + ")";
  }
  *out += "</td></tr>\n";
}

void appendOpponents(const PlayerProfile& p, std::string* out) {
  openTable("RIVALS", {"", ""}, out);
  appendRival("nemesis", p.nemesis, p.nemesisKills, "kills against him", out);
  appendRival("favourite victim", p.favouriteVictim, p.favouriteVictimKills, "kills by him", out);
  closeTable(out);

  openTable("MOST FREQUENT OPPONENTS", {"OPPONENT", "GAMES", "KILLS FOR", "KILLS AGAINST"}, out);
  int number = 0;
  for (const OpponentFigures& o : p.opponents) {
    const char* cls = rowClass(++number);
    *out += "<tr>";
    openCell(cls, out);
    appendPlayer(o.opponent, out);
    *out += "</td>";
    numberCell(cls, std::to_string(o.games), out);
    numberCell(cls, std::to_string(o.killsFor), out);
    numberCell(cls, std::to_string(o.killsAgainst), out);
    *out += "</tr>\n";
  }
  if (number == 0) emptyRow(4, "no opponents", out);
  closeTable(out);
}

void appendRecent(const PlayerProfile& p, std::string* out) {
  openTable("RECENT GAMES",
            {"PROCESSED", "GAME TYPE", "MAP", "RESULT", "SCORE", "KILLS", "DEATHS", "PAGES"}, out);
  int number = 0;
  for (const PlayerGame& pg : p.recent) {
    const char* cls = rowClass(++number);
    *out += "<tr>";
    textCell(cls, pg.game.processed, out);
    textCell(cls, namesOf(pg.game.type).shown, out);
    mapCell(cls, pg.game.map, out);
    textCell(cls, outcomeText(pg.outcome), out);
    numberCell(cls, std::to_string(pg.score), out);
    numberCell(cls, std::to_string(pg.kills), out);
    numberCell(cls, std::to_string(pg.deaths), out);
    pagesCell(cls, pg.game, out);
    *out += "</tr>\n";
  }
  if (number == 0) emptyRow(8, "no games", out);
  closeTable(out);
}

}  // namespace

std::string indexPageName(int page) {
  return page <= 1 ? std::string("index.html") : "index_" + std::to_string(page) + ".html";
}

std::string rankingPageName(GameType type) { return std::string("ranking_") + namesOf(type).key + ".html"; }

const char* gameTypeName(GameType type) { return namesOf(type).shown; }

std::string indexPage(const std::vector<GameSummary>& games, int page, int pageCount) {
  page = std::max(page, 1);
  pageCount = std::max(pageCount, page);
  std::string out;
  appendHead(page == 1 ? "recent games" : "recent games, page " + std::to_string(page), &out);
  std::string title = "RECENT GAMES";
  if (pageCount > 1) title += " &middot; PAGE " + std::to_string(page) + " OF " + std::to_string(pageCount);
  openTable(title, {"PROCESSED", "GAME TYPE", "MAP", "TEAMS / PLAYERS", "SCORE", "PAGES"}, &out);
  int number = 0;
  for (const GameSummary& g : games) {
    if (number == kGamesPerIndexPage) break;
    const char* cls = rowClass(++number);
    out += "<tr>\n";
    textCell(cls, g.processed, &out);
    textCell(cls, namesOf(g.type).shown, &out);
    mapCell(cls, g.map, &out);
    teamsCell(cls, g, &out);
    scoreCell(cls, g, &out);
    pagesCell(cls, g, &out);
    out += "\n</tr>\n";
  }
  if (number == 0) emptyRow(kColumnsOfGameRows, "no games yet", &out);
  appendPageLinks(page, pageCount, &out);
  closeTable(&out);
  appendEnd(&out);
  return out;
}

std::string playerPage(const PlayerProfile& p) {
  std::string out;
  appendHead("player " + plainName(p.player.name), &out);
  out += "<table BORDER=0 CELLSPACING=1 CELLPADDING=3 WIDTH=100% CLASS=\"neutralHighlight\">\n"
         "<tr><td CLASS=\"neutralHighlight\"><div align=center><b>";
  appendName(p.player.name, &out);
  out += "</b></div></td></tr>\n";
  if (!p.otherNames.empty()) {
    out += "<tr><td CLASS=\"neutral\"><div align=center>also played as ";
    for (std::size_t i = 0; i < p.otherNames.size(); ++i) {
      if (i > 0) out += ", ";
      appendName(p.otherNames[i], &out);
    }
    out += "</div></td></tr>\n";
  }
  out += "</table><br>\n";
  appendTotals(p, &out);
  appendRatings(p, &out);
  appendWeapons(p, &out);
  appendCounts("MAPS", "MAP", "GAMES", "no maps", p.maps, &out);
  appendCounts("AWARDS", "AWARD", "TIMES", "no awards", p.awards, &out);
  appendOpponents(p, &out);
  appendRecent(p, &out);
  appendEnd(&out);
  return out;
}

std::string rankingPage(GameType type, const std::vector<RankingRow>& rows) {
  std::vector<const RankingRow*> listed;
  for (const RankingRow& r : rows) {
    if (ranked(r)) listed.push_back(&r);
  }
  // Highest rating first; the more certain rating first among equal ones, then the name, so
  // the order does not depend on the archive's.
  std::stable_sort(listed.begin(), listed.end(), [](const RankingRow* a, const RankingRow* b) {
    if (a->rating != b->rating) return a->rating > b->rating;
    if (a->rd != b->rd) return a->rd < b->rd;
    return a->player.key < b->player.key;
  });
  std::string out;
  const std::string shown = namesOf(type).shown;
  appendHead("ranking: " + shown, &out);
  std::string title = "RANKING: ";
  for (char c : shown) title += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  openTable(title, {"#", "PLAYER", "RATING", "DEVIATION", "RATED GAMES"}, &out);
  int number = 0;
  for (const RankingRow* r : listed) {
    const char* cls = rowClass(++number);
    out += "<tr>";
    numberCell(cls, std::to_string(number), &out);
    openCell(cls, &out);
    appendPlayer(r->player, &out);
    out += "</td>";
    numberCell(cls, fixed(r->rating, 0), &out);
    numberCell(cls, fixed(r->rd, 0), &out);
    numberCell(cls, std::to_string(r->games), &out);
    out += "</tr>\n";
  }
  if (number == 0) emptyRow(5, "no player ranked yet", &out);
  out += "<tr><td COLSPAN=5 CLASS=\"neutralHighlight\"><div align=center>Glicko-2 ratings; listed: at least " +
         std::to_string(kRankedMinGames) + " rated games and a deviation of at most " + fixed(kRankedMaxRd, 0) +
         "</div></td></tr>\n";
  closeTable(&out);
  appendEnd(&out);
  return out;
}

std::string unratedPage(const std::vector<UnratedGame>& games) {
  std::string out;
  appendHead("unrated games", &out);
  openTable("UNRATED GAMES", {"PROCESSED", "GAME TYPE", "MAP", "TEAMS / PLAYERS", "REASON", "PAGES"}, &out);
  int number = 0;
  for (const UnratedGame& u : games) {
    const char* cls = rowClass(++number);
    out += "<tr>\n";
    textCell(cls, u.game.processed, &out);
    if (u.game.mainPage.empty()) {
      // An OSP warm-up has no page and no record: its type and map were never known.
      textCell(cls, "-", &out);
      textCell(cls, "-", &out);
    } else {
      textCell(cls, namesOf(u.game.type).shown, &out);
      mapCell(cls, u.game.map, &out);
    }
    teamsCell(cls, u.game, &out);
    textCell(cls, reasonText(u.reason), &out);
    if (u.game.mainPage.empty()) {
      textCell(cls, u.where, &out);
    } else {
      pagesCell(cls, u.game, &out);
    }
    out += "\n</tr>\n";
  }
  if (number == 0) emptyRow(kColumnsOfGameRows, "every game is rated", &out);
  closeTable(&out);
  appendEnd(&out);
  return out;
}

std::string ratingPlot(const std::vector<RatingPoint>& history) {
  std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kPlotWidth) +
                    "\" height=\"" + std::to_string(kPlotHeight) + "\" viewBox=\"0 0 " +
                    std::to_string(kPlotWidth) + " " + std::to_string(kPlotHeight) + "\">";
  out += "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(kPlotWidth) + "\" height=\"" +
         std::to_string(kPlotHeight) + "\" fill=\"#1b1f25\"/>";
  std::vector<const RatingPoint*> points;
  for (const RatingPoint& p : history) {
    if (std::isfinite(p.rating)) points.push_back(&p);
  }
  if (points.empty()) {
    out += "<text x=\"" + fixed(kPlotWidth / 2.0, 1) + "\" y=\"" + fixed(kPlotHeight / 2.0, 1) +
           "\" text-anchor=\"middle\" fill=\"#9aa3ad\" font-size=\"11\">no rated games</text></svg>";
    return out;
  }
  double lo = points.front()->rating, hi = lo;
  for (const RatingPoint* p : points) {
    lo = std::min(lo, p->rating);
    hi = std::max(hi, p->rating);
  }
  if (hi - lo < kPlotMinSpan) {
    const double middle = (hi + lo) / 2;
    lo = middle - kPlotMinSpan / 2;
    hi = middle + kPlotMinSpan / 2;
  }
  const double n = static_cast<double>(points.size());
  auto x = [&](std::size_t i) {
    if (points.size() == 1) return (kPlotLeft + kPlotRight) / 2;
    return kPlotLeft + (kPlotRight - kPlotLeft) * static_cast<double>(i) / (n - 1);
  };
  auto y = [&](double rating) { return kPlotTop + (kPlotBottom - kPlotTop) * (hi - rating) / (hi - lo); };

  const std::pair<double, double> labels[] = {{hi, kPlotTop}, {lo, kPlotBottom}};
  for (const auto& [value, at] : labels) {
    out += "<text x=\"" + fixed(kPlotLeft - 4, 1) + "\" y=\"" + fixed(at + 4, 1) +
           "\" text-anchor=\"end\" fill=\"#9aa3ad\" font-size=\"10\">" + fixed(value, 0) + "</text>";
  }
  out += "<polyline fill=\"none\" stroke=\"#7fb8ff\" stroke-width=\"2\" points=\"";
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0) out += ' ';
    out += fixed(x(i), 1) + "," + fixed(y(points[i]->rating), 1);
  }
  out += "\"/>";
  for (std::size_t i = 0; i < points.size(); ++i) {
    out += "<circle cx=\"" + fixed(x(i), 1) + "\" cy=\"" + fixed(y(points[i]->rating), 1) +
           "\" r=\"3\" fill=\"#ffcc66\"><title>game " + std::to_string(points[i]->gameId) + ": " +
           fixed(points[i]->rating, 0) + ", deviation " + fixed(points[i]->rd, 0) + "</title></circle>";
  }
  out += "</svg>";
  return out;
}

}  // namespace kxsite
