// The weapon statistics page: per weapon and per opponent, the kills and deaths of every player, with OSP hits and shots.
#include "out/weapon_page.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "out/page.h"
#include "out/writer.h"
#include "game/game_result.h"
#include "game/game_type.h"
#include "read/weapons.h"

namespace {

// The coloured names are written into pages hundreds of times: built once.
struct ColoredNames {
  char text[kCountedWeapons][64];
};

ColoredNames buildColoredNames() {
  ColoredNames names{};
  for (int w = 0; w < kCountedWeapons; ++w) {
    std::snprintf(names.text[w], sizeof names.text[w], "<font size=-2 color=%s>%s</font>",
                  weapons()[w].colour, weapons()[w].name);
  }
  return names;
}

// Display name of a weapon code, in the weapon's colour when `colored`; "" for other codes.
const char* getWeaponName(int weapon, bool colored) {
  const Weapon* row = findWeapon(weapon);
  if (row == nullptr) return "";
  if (!colored) return row->name;
  static const ColoredNames coloredNames = buildColoredNames();
  return coloredNames.text[weapon];
}

// Writes `value`, in the weapon's colour when `colored`.
void htmlPrintWeaponStat(PageBuffer& out, int weapon, int value, bool colored) {
  const Weapon* row = findWeapon(weapon);
  if (colored && row != nullptr) {
    out.append("<font color=");
    out.append(row->colour);
    out.appendChar('>');
    out.appendInt(value);
    out.append("</font>");
  } else {
    out.appendInt(value);
  }
}

// The four classes of one player table, written with their quotation marks (CLASS="red"),
// and where the player's name links to on the main page.
struct TableSide {
  const char* ownHighlight;
  const char* ownPlain;
  const char* oppHighlight;
  const char* oppPlain;
  const char* mainPageAnchor;
};

constexpr TableSide kRedSide = {"\"redHighlight\"", "\"red\"", "\"blueHighlight\"", "\"blue\"",
                                "stat-"};
constexpr TableSide kBlueSide = {"\"blueHighlight\"", "\"blue\"", "\"redHighlight\"", "\"red\"",
                                 "stat-"};
constexpr TableSide kFreeForAllSide = {"\"neutralHighlight\"", "\"neutral\"",
                                       "\"neutralLowlight\"", "\"neutralLowlight\"", "list-"};

// The cell widths of one player table, formatted once: a table writes them hundreds of times.
struct CellWidths {
  char full[32];   // W: the player cell and each opponent header
  char half[32];   // W / 2: each opponent value cell
  char third[32];  // W / 3: each summary cell

  explicit CellWidths(double w) {
    std::snprintf(full, sizeof full, "%0.2f", w);
    std::snprintf(half, sizeof half, "%0.2f", w / 2);
    std::snprintf(third, sizeof third, "%0.2f", w / 3);
  }
};

// Fixed text between the numbers of a table row, composed once per line or table: a weapon
// line repeats the same cell openings for every opponent, hundreds of times a page, and
// writing them as templates was most of the cost of the weapon page.
class CellText {
 public:
  static constexpr std::size_t kChunk = 32;
  static constexpr std::size_t kCapacity = 224;  // a whole number of chunks

  CellText& add(std::string_view s) {
    // The pieces are our own class names, widths and colours; a cut would be a programming error.
    const std::size_t n = s.size() < kCapacity - size_ ? s.size() : kCapacity - size_;
    std::memcpy(text_ + size_, s.data(), n);
    size_ += n;
    return *this;
  }
  std::string_view view() const { return std::string_view(text_, size_); }
  std::size_t size() const { return size_; }

  // Copies the text to `out` in whole chunks, so up to kChunk - 1 bytes past its end are
  // written too (the caller reserves them); returns the end of the text at `out`.
  char* put(char* out) const {
    for (std::size_t k = 0; k < size_; k += kChunk) std::memcpy(out + k, text_ + k, kChunk);
    return out + size_;
  }

 private:
  char text_[kCapacity];
  std::size_t size_ = 0;
};

// An opponent's pair of cells, kills against him then deaths by him, as `open` number
// `between` number `close`.
struct OpponentCells {
  CellText open;
  CellText between;
  CellText close;

  // `fontOpen`/`fontClose` wrap each number (the weapon's colour), or are empty.
  OpponentCells(const char* half, const TableSide& side, std::string_view fontOpen,
                std::string_view fontClose) {
    open.add("<td WIDTH=\"").add(half).add("%\" CLASS=").add(side.ownPlain).add("><div align=right>").add(fontOpen);
    between.add(fontClose).add("</div></td>\n");
    between.add("<td WIDTH=\"").add(half).add("%\" CLASS=").add(side.oppPlain).add("><div align=left>").add(fontOpen);
    close.add(fontClose).add("</div></td>\n");
  }

  // Written straight into the page: a page holds thousands of these pairs.
  void write(PageBuffer& page, int kills, int deaths) const {
    constexpr std::size_t kNumber = 20;
    char* out = page.reserveRaw(open.size() + between.size() + close.size() + 2 * kNumber + CellText::kChunk);
    out = open.put(out);
    out = PageBuffer::putInt(out, kills);
    out = between.put(out);
    out = PageBuffer::putInt(out, deaths);
    out = close.put(out);
    page.commitRaw(out);
  }
};

// What the cells of one player table share: the widths, the summary cell openings, and
// whether numbers wear their weapon's colour.
struct TableCells {
  CellWidths widths;
  CellText summaryRight;  // a summary cell, right-aligned, up to its bold number
  CellText summaryLeft;
  bool weaponColors;

  TableCells(const TableSide& side, double width, bool colors)
      : widths(width), weaponColors(colors) {
    summaryRight.add("<td WIDTH=\"").add(widths.third).add("%\" CLASS=").add(side.ownPlain).add("><div align=right><b>");
    summaryLeft.add("<td WIDTH=\"").add(widths.third).add("%\" CLASS=").add(side.ownPlain).add("><div align=left><b>");
  }
};

void backToMainLink(PageWriter& w) {
  w.wr("[<A HREF=%s>back to main stats</A>]", w.names().main.c_str());
}

// 100 * a / (a + 0.001 + b) with "%0.2f %%"; the 0.001 keeps 0 / 0 at 0.00.
void efficiencyFigure(PageWriter& w, int kills, int deaths) {
  w.wr("%0.2f %%", 100.0 * kills / (kills + 0.001 + deaths));
}

void headLine(PageWriter& w, const GameResult& game, const TableSide& side, const PlayerRecord& p,
              int opponentTeam, const CellWidths& widths) {
  const char* width = widths.full;
  const std::string_view rawName = p.rawName.view();
  w.text("<tr>\n");
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s>", width, side.ownHighlight);
  // Anchors and links carry the logged names, escaped alike, never as formats.
  w.text("<A name=\"weapons-");
  w.nameAttribute(rawName);
  w.text("\">");
  w.wr("<A href=\"%s#%s", w.names().main.c_str(), side.mainPageAnchor);
  w.nameAttribute(rawName);
  w.text("\">");
  w.name(rawName);
  w.text("</A>");
  w.text("</A></td>\n");

  for (const PlayerRecord& o : game.players) {
    if (o.team != opponentTeam) continue;
    const std::string_view opponent = o.rawName.view();
    w.wr("<td WIDTH=\"%s%%\" COLSPAN=2 CLASS=%s><center><font size=-2>", width,
       side.oppHighlight);
    w.text("<A href=\"#weapons-");
    w.nameAttribute(opponent);
    w.text("\">");
    w.name(opponent);
    w.text("</A>");
    w.text("</font></center></td>\n");
  }

  const char* third = widths.third;
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s ><DIV ALIGN=right>&nbsp;kills</DIV></td>\n", third,
     side.ownPlain);
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s ><DIV ALIGN=left>death</DIV></td>\n", third, side.ownPlain);
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s ><DIV ALIGN=right><b>eff. %%</b></DIV></td>\n", third,
     side.ownHighlight);
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s ><DIV ALIGN=right>hits</DIV></td>\n", third, side.ownPlain);
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s ><DIV ALIGN=left>atts</DIV></td>\n", third, side.ownPlain);
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s ><DIV ALIGN=right><b>acc. %%</b></DIV></td>\n", third,
     side.ownHighlight);
  w.text("</tr>\n");
}

// The summary cells of a weapon line open right- or left-aligned and close alike.
void openSummary(PageBuffer& page, const TableCells& cells, bool leftAligned) {
  page.append(leftAligned ? cells.summaryLeft.view() : cells.summaryRight.view());
}

void closeSummary(PageBuffer& page) { page.append("</b></div></td>\n"); }

void weaponLine(PageWriter& w, const GameResult& game, const TableSide& side, const PlayerRecord& p,
                int weapon, int opponentTeam, const TableCells& cells) {
  const int n = game.playerCount();
  PageBuffer& page = w.buffer();
  const bool colors = cells.weaponColors;

  w.text("<tr>\n");
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s>", cells.widths.full, side.ownPlain);
  w.wr("%s", getWeaponName(weapon, colors));
  w.text("</td>\n");
  CellText fontOpen;
  const std::string_view fontClose = cells.weaponColors ? "</font>" : "";
  if (cells.weaponColors) fontOpen.add("<font color=").add(weapons()[weapon].colour).add(">");
  const OpponentCells opponents(cells.widths.half, side, fontOpen.view(), fontClose);
  for (int j = 0; j < n; ++j) {
    if (game.players[static_cast<std::size_t>(j)].team != opponentTeam) continue;
    opponents.write(page, p.killTable[weapon][j], p.deathTable[weapon][j]);
  }

  // Column n holds the per-weapon totals.
  const int kills = p.killTable[weapon][n];
  const int deaths = p.deathTable[weapon][n];
  openSummary(page, cells, false);
  htmlPrintWeaponStat(page, weapon, kills, colors);
  closeSummary(page);
  openSummary(page, cells, true);
  htmlPrintWeaponStat(page, weapon, deaths, colors);
  closeSummary(page);
  openSummary(page, cells, false);
  efficiencyFigure(w, kills, deaths);
  closeSummary(page);

  // OSP figures, as the weapon's row of the report has them.
  const Weapon& row = weapons()[weapon];
  const bool showHits =
      row.pageHits == PageHits::kAlways || (row.pageHits == PageHits::kWhenAny && p.hits[weapon] > 0);
  const bool hasShots = row.reportShots;
  openSummary(page, cells, false);
  if (showHits) {
    htmlPrintWeaponStat(page, weapon, p.hits[weapon], colors);
  } else {
    page.appendChar('-');
  }
  closeSummary(page);
  openSummary(page, cells, true);
  if (hasShots) {
    htmlPrintWeaponStat(page, weapon, p.shots[weapon], colors);
  } else {
    page.appendChar('-');
  }
  closeSummary(page);
  openSummary(page, cells, false);
  if (hasShots && p.shots[weapon] >= 1) {
    w.wr("%0.2f %%", 100.0 * p.hits[weapon] / p.shots[weapon]);
  } else {
    page.appendChar('-');
  }
  closeSummary(page);
  w.text("</tr>\n");
}

void totalLine(PageWriter& w, const GameResult& game, const TableSide& side, const PlayerRecord& p,
               int opponentTeam, const CellWidths& widths) {
  const int n = game.playerCount();
  const char* width = widths.full;
  const char* half = widths.half;
  const char* third = widths.third;

  w.text("<tr>\n");
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s><b>TOTAL</b></td>\n", width, side.ownPlain);
  const OpponentCells opponents(half, side, "", "");
  for (int j = 0; j < n; ++j) {
    if (game.players[static_cast<std::size_t>(j)].team != opponentTeam) continue;
    opponents.write(w.buffer(), p.killTable[kAllWeapons][j], p.deathTable[kAllWeapons][j]);
  }
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=right><b>%d</b></div></td>\n", third,
     side.ownPlain, p.kills);
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=left><b>%d</b></div></td>\n", third,
     side.ownPlain, p.deaths);
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=right><b>%0.2f %%</b></div></td>\n", third,
     side.ownPlain,
     100.0 * p.kills / (p.kills + p.deaths + p.suicides + p.teamKills + 0.001));
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=right><b>%d</b></div></td>\n", third,
     side.ownPlain, p.totalHits);
  w.wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=left><b>%d</b></div></td>\n", third,
     side.ownPlain, p.totalShots);
  if (p.totalShots >= 1) {
    w.wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=right><b>%0.2f %%</b></div></td>\n", third,
       side.ownPlain, 100.0 * p.totalHits / p.totalShots);
  } else {
    w.wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=right><b>-</b></div></td>\n", third,
       side.ownPlain);
  }
  w.text("</tr>\n");
}

// One player's matrix against every player of `opponentTeam`, in slot order.
void playerTable(PageWriter& w, const GameResult& game, const TableSide& side, const PlayerRecord& p,
                 int opponentTeam) {
  // Player cell and opponent headers W wide, opponent cells W/2, the six summaries W/3:
  // the widths add up to 100.
  const TableCells cells(side, 100.0 / (game.teamPlayers(opponentTeam) + 3), w.options().weaponColors);
  const CellWidths& widths = cells.widths;

  w.text("<tr>\n");
  w.text("<td>\n");
  w.text("<center>\n");
  w.wr("\n<table CLASS=%s WIDTH=\"100%%\" BORDER=0 CELLSPACING=2 CELLPADDING=2>\n",
     side.ownHighlight);
  headLine(w, game, side, p, opponentTeam, widths);
  for (int weapon = 0; weapon < kCountedWeapons; ++weapon) {
    if (!weapons()[weapon].listed || !game.weaponUsed(weapon)) continue;
    weaponLine(w, game, side, p, weapon, opponentTeam, cells);
  }
  totalLine(w, game, side, p, opponentTeam, widths);
  w.text("</table>\n");
  w.text("</center>\n");
  w.text("<br>\n");
  w.text("</td>\n");
  w.text("</tr>\n");
}

void tablesOfTeam(PageWriter& w, const GameResult& game, const TableSide& side, int team, int opponentTeam) {
  for (const PlayerRecord& p : game.players) {
    if (p.team == team) playerTable(w, game, side, p, opponentTeam);
  }
}

}  // namespace

void writeWeaponPage(PageWriter& w, const GameResult& game) {
  w.text("<html>\n");
  w.text("<head>");
  w.text("<title>kalimo stats - (weapon stats)</title>\n");
  w.wr("<LINK REL=stylesheet HREF=\"%s\" TYPE=\"text/css\">\n", w.options().styleSheet.c_str());
  w.text("</head>\n");
  w.text("<body>\n");
  w.text("<center>\n");
  w.header();

  w.text("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100% >\n");
  w.text("<tr>\n");
  w.text("<td>\n");
  htmlTitleTable(w);
  w.text("<BR>\n");
  w.text("</td>\n");
  w.text("</tr>\n");
  w.text("<tr>\n");
  w.text("<td>\n");
  w.text("<center><IMG SRC=images/break.gif><BR>");
  backToMainLink(w);
  w.text("</center><BR>");
  w.text("</td>\n");
  w.text("</tr>\n");

  if (game.gameType == GT_FFA || isTeamGameType(game.gameType)) {
    w.text("<tr>\n");
    w.text("<td>\n");
    w.text("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=2 WIDTH=100%>\n");
    w.text("<tr><td CLASS=\"neutralHighlight\"><div align=center><b>WEAPON STATS</b></div></td></tr>\n");
    w.text("</table>\n");
    w.text("<BR>");
    w.text("</td>\n");
    w.text("</tr>\n");
    if (game.gameType == GT_FFA) {
      // Free for all: everyone against everyone, himself included.
      tablesOfTeam(w, game, kFreeForAllSide, TEAM_NONE, TEAM_NONE);
    } else {
      tablesOfTeam(w, game, kRedSide, TEAM_RED, TEAM_BLUE);
      tablesOfTeam(w, game, kBlueSide, TEAM_BLUE, TEAM_RED);
    }
  }

  w.text("<tr>\n");
  w.text("<td>\n");
  w.text("<BR><center><IMG SRC=images/break.gif><BR>");
  backToMainLink(w);
  w.text("</center><BR><BR>");
  htmlDrawCreditsTable(w);
  w.text("</td>\n");
  w.text("</tr>\n");
  w.text("</table>\n");
  w.text("</center>\n");
  w.footer();
  w.text("</body>\n");
  w.text("</html>\n");
}
