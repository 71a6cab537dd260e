// The weapon statistics page: per weapon and per opponent, the kills and deaths of every player, with OSP hits and shots.
#include "out/weapon_page.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "out/page.h"
#include "out/escape.h"
#include "out/writer.h"
#include "game/player_table.h"
#include "game/teams.h"
#include "game/totals.h"
#include "run/config.h"
#include "run/game.h"
#include "base/strutil.h"

namespace {

struct Weapon {
  const char* name;
  const char* color;
};

// Indexed by weapon code.
constexpr Weapon kWeapons[] = {
    {"Gauntlet", "#00FFFF"},      {"Machine Gun", "#FFFF00"},   {"Shot Gun", "#FCCD03"},
    {"Grenade Launcher", "#00990F"}, {"Rocket Launcher", "#FF0000"}, {"Lightning Gun", "#FFFFFF"},
    {"Rail Gun", "#00FF00"},      {"Plasma Gun", "#FF00FF"},    {"BFG", "#054DA3"},
    {"Nail Gun", "#1C5862"},      {"Grapple", "#00C3AE"},       {"TeleFrag", "#FFFFFF"},
    {"Suicide", "#FFFFFF"},
};
constexpr int kWeaponCount = static_cast<int>(sizeof kWeapons / sizeof kWeapons[0]);

// Codes 0..11 get a line on the page; "Suicide" (12) never does.
constexpr int kLastListedWeapon = 11;
constexpr int kGauntlet = 0;
constexpr int kFirstShotWeapon = 1;  // the gauntlet has no shot count
constexpr int kLastHitWeapon = 7;    // hits always shown for 1..7
constexpr int kBfg = 8;


// The coloured display names, built once from the table above.
struct ColoredNames {
  char text[kWeaponCount][64];
};

ColoredNames buildColoredNames() {
  ColoredNames names{};
  for (int w = 0; w < kWeaponCount; ++w) {
    std::snprintf(names.text[w], sizeof names.text[w], "<font size=-2 color=%s>%s</font>",
                  kWeapons[w].color, kWeapons[w].name);
  }
  return names;
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
  void write(int kills, int deaths) const {
    constexpr std::size_t kNumber = 20;
    char* out = fpw->reserveRaw(open.size() + between.size() + close.size() + 2 * kNumber + CellText::kChunk);
    out = open.put(out);
    out = PageBuffer::putInt(out, kills);
    out = between.put(out);
    out = PageBuffer::putInt(out, deaths);
    out = close.put(out);
    fpw->commitRaw(out);
  }
};

// What the cells of one player table share: the widths, the summary cell openings, and
// whether numbers wear their weapon's colour.
struct TableCells {
  CellWidths widths;
  CellText summaryRight;  // a summary cell, right-aligned, up to its bold number
  CellText summaryLeft;
  bool weaponColors;

  TableCells(const TableSide& side, double width)
      : widths(width), weaponColors(isYes(g_config_use_weapon_colors)) {
    summaryRight.add("<td WIDTH=\"").add(widths.third).add("%\" CLASS=").add(side.ownPlain).add("><div align=right><b>");
    summaryLeft.add("<td WIDTH=\"").add(widths.third).add("%\" CLASS=").add(side.ownPlain).add("><div align=left><b>");
  }
};

void backToMainLink() {
  wr("[<A HREF=%s>back to main stats</A>]", out_filename_stats.c_str());
}

// 100 * a / (a + 0.001 + b) with "%0.2f %%"; the 0.001 keeps 0 / 0 at 0.00.
void efficiencyFigure(int kills, int deaths) {
  wr("%0.2f %%", 100.0 * kills / (kills + 0.001 + deaths));
}

void headLine(const TableSide& side, const PlayerRecord& p, int opponentTeam,
              const CellWidths& widths) {
  const char* width = widths.full;
  const std::string_view rawName = p.rawName.view();
  wrText("<tr>\n");
  wr("<td WIDTH=\"%s%%\" CLASS=%s>", width, side.ownHighlight);
  // Anchors and links carry the logged names, escaped alike, never as formats.
  wrText("<A name=\"weapons-");
  wrNameAttribute(rawName);
  wrText("\">");
  wr("<A href=\"%s#%s", out_filename_stats.c_str(), side.mainPageAnchor);
  wrNameAttribute(rawName);
  wrText("\">");
  htmlWriteQ3String(rawName);
  wrText("</A>");
  wrText("</A></td>\n");

  const int n = getTotalPlayers();
  for (int j = 0; j < n; ++j) {
    if (q3players[j].team != opponentTeam) continue;
    const std::string_view opponent = q3players[j].rawName.view();
    wr("<td WIDTH=\"%s%%\" COLSPAN=2 CLASS=%s><center><font size=-2>", width,
       side.oppHighlight);
    wrText("<A href=\"#weapons-");
    wrNameAttribute(opponent);
    wrText("\">");
    htmlWriteQ3String(opponent);
    wrText("</A>");
    wrText("</font></center></td>\n");
  }

  const char* third = widths.third;
  wr("<td WIDTH=\"%s%%\" CLASS=%s ><DIV ALIGN=right>&nbsp;kills</DIV></td>\n", third,
     side.ownPlain);
  wr("<td WIDTH=\"%s%%\" CLASS=%s ><DIV ALIGN=left>death</DIV></td>\n", third, side.ownPlain);
  wr("<td WIDTH=\"%s%%\" CLASS=%s ><DIV ALIGN=right><b>eff. %%</b></DIV></td>\n", third,
     side.ownHighlight);
  wr("<td WIDTH=\"%s%%\" CLASS=%s ><DIV ALIGN=right>hits</DIV></td>\n", third, side.ownPlain);
  wr("<td WIDTH=\"%s%%\" CLASS=%s ><DIV ALIGN=left>atts</DIV></td>\n", third, side.ownPlain);
  wr("<td WIDTH=\"%s%%\" CLASS=%s ><DIV ALIGN=right><b>acc. %%</b></DIV></td>\n", third,
     side.ownHighlight);
  wrText("</tr>\n");
}

// The summary cells of a weapon line open right- or left-aligned and close alike.
void openSummary(const TableCells& cells, bool leftAligned) {
  fpw->append(leftAligned ? cells.summaryLeft.view() : cells.summaryRight.view());
}

void closeSummary() { fpw->append("</b></div></td>\n"); }

void weaponLine(const TableSide& side, const PlayerRecord& p, int w, int opponentTeam,
                const TableCells& cells) {
  const int n = getTotalPlayers();

  wrText("<tr>\n");
  wr("<td WIDTH=\"%s%%\" CLASS=%s>", cells.widths.full, side.ownPlain);
  wr("%s", getWeaponName(w));
  wrText("</td>\n");
  CellText fontOpen;
  const std::string_view fontClose = cells.weaponColors ? "</font>" : "";
  if (cells.weaponColors) fontOpen.add("<font color=").add(kWeapons[w].color).add(">");
  const OpponentCells opponents(cells.widths.half, side, fontOpen.view(), fontClose);
  for (int j = 0; j < n; ++j) {
    if (q3players[j].team != opponentTeam) continue;
    opponents.write(p.killTable[w][j], p.deathTable[w][j]);
  }

  // Column n holds the per-weapon totals.
  const int kills = p.killTable[w][n];
  const int deaths = p.deathTable[w][n];
  openSummary(cells, false);
  htmlPrintWeaponStat(w, kills);
  closeSummary();
  openSummary(cells, true);
  htmlPrintWeaponStat(w, deaths);
  closeSummary();
  openSummary(cells, false);
  efficiencyFigure(kills, deaths);
  closeSummary();

  // OSP figures: hits for the gauntlet and the BFG only when there are some; no shot
  // count for the gauntlet; none at all for codes 9 to 11.
  const bool hitsAlways = w >= kFirstShotWeapon && w <= kLastHitWeapon;
  const bool hitsWhenAny = (w == kGauntlet || w == kBfg) && p.hits[w] > 0;
  const bool hasShots = w >= kFirstShotWeapon && w <= kBfg;
  openSummary(cells, false);
  if (hitsAlways || hitsWhenAny) {
    htmlPrintWeaponStat(w, p.hits[w]);
  } else {
    fpw->appendChar('-');
  }
  closeSummary();
  openSummary(cells, true);
  if (hasShots) {
    htmlPrintWeaponStat(w, p.shots[w]);
  } else {
    fpw->appendChar('-');
  }
  closeSummary();
  openSummary(cells, false);
  if (hasShots && p.shots[w] >= 1) {
    wr("%0.2f %%", 100.0 * p.hits[w] / p.shots[w]);
  } else {
    fpw->appendChar('-');
  }
  closeSummary();
  wrText("</tr>\n");
}

void totalLine(const TableSide& side, const PlayerRecord& p, int opponentTeam,
               const CellWidths& widths) {
  const int n = getTotalPlayers();
  const char* width = widths.full;
  const char* half = widths.half;
  const char* third = widths.third;

  wrText("<tr>\n");
  wr("<td WIDTH=\"%s%%\" CLASS=%s><b>TOTAL</b></td>\n", width, side.ownPlain);
  const OpponentCells opponents(half, side, "", "");
  for (int j = 0; j < n; ++j) {
    if (q3players[j].team != opponentTeam) continue;
    opponents.write(p.killTable[kAllWeapons][j], p.deathTable[kAllWeapons][j]);
  }
  wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=right><b>%d</b></div></td>\n", third,
     side.ownPlain, p.kills);
  wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=left><b>%d</b></div></td>\n", third,
     side.ownPlain, p.deaths);
  wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=right><b>%0.2f %%</b></div></td>\n", third,
     side.ownPlain,
     100.0 * p.kills / (p.kills + p.deaths + p.suicides + p.teamKills + 0.001));
  wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=right><b>%d</b></div></td>\n", third,
     side.ownPlain, p.totalHits);
  wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=left><b>%d</b></div></td>\n", third,
     side.ownPlain, p.totalShots);
  if (p.totalShots >= 1) {
    wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=right><b>%0.2f %%</b></div></td>\n", third,
       side.ownPlain, 100.0 * p.totalHits / p.totalShots);
  } else {
    wr("<td WIDTH=\"%s%%\" CLASS=%s><div align=right><b>-</b></div></td>\n", third,
       side.ownPlain);
  }
  wrText("</tr>\n");
}

// One player's matrix against every player of `opponentTeam`, in slot order.
void playerTable(const TableSide& side, const PlayerRecord& p, int opponentTeam) {
  // Player cell and opponent headers W wide, opponent cells W/2, the six summaries W/3:
  // the widths add up to 100.
  const TableCells cells(side, 100.0 / (getTeamTotalPlayers(opponentTeam) + 3));
  const CellWidths& widths = cells.widths;

  wrText("<tr>\n");
  wrText("<td>\n");
  wrText("<center>\n");
  wr("\n<table CLASS=%s WIDTH=\"100%%\" BORDER=0 CELLSPACING=2 CELLPADDING=2>\n",
     side.ownHighlight);
  headLine(side, p, opponentTeam, widths);
  for (int w = 0; w <= kLastListedWeapon; ++w) {
    if (weaponUsed(w)) weaponLine(side, p, w, opponentTeam, cells);
  }
  totalLine(side, p, opponentTeam, widths);
  wrText("</table>\n");
  wrText("</center>\n");
  wrText("<br>\n");
  wrText("</td>\n");
  wrText("</tr>\n");
}

void tablesOfTeam(const TableSide& side, int team, int opponentTeam) {
  const int n = getTotalPlayers();
  for (int slot = 0; slot < n; ++slot) {
    if (q3players[slot].team == team) playerTable(side, q3players[slot], opponentTeam);
  }
}

void weaponPage() {
  wrText("<html>\n");
  wrText("<head>");
  wrText("<title>kalimo stats - (weapon stats)</title>\n");
  wr("<LINK REL=stylesheet HREF=\"%s\" TYPE=\"text/css\">\n", g_config_stylesheet.c_str());
  wrText("</head>\n");
  wrText("<body>\n");
  wrText("<center>\n");
  htmlReadHeader();

  wrText("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100% >\n");
  wrText("<tr>\n");
  wrText("<td>\n");
  htmlTitleTable();
  wrText("<BR>\n");
  wrText("</td>\n");
  wrText("</tr>\n");
  wrText("<tr>\n");
  wrText("<td>\n");
  wrText("<center><IMG SRC=images/break.gif><BR>");
  backToMainLink();
  wrText("</center><BR>");
  wrText("</td>\n");
  wrText("</tr>\n");

  if (g_game.g_gametype == GT_FFA || isTeamGameType(g_game.g_gametype)) {
    wrText("<tr>\n");
    wrText("<td>\n");
    wrText("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=2 WIDTH=100%>\n");
    wrText("<tr><td CLASS=\"neutralHighlight\"><div align=center><b>WEAPON STATS</b></div></td></tr>\n");
    wrText("</table>\n");
    wrText("<BR>");
    wrText("</td>\n");
    wrText("</tr>\n");
    if (g_game.g_gametype == GT_FFA) {
      // Free for all: everyone against everyone, himself included.
      tablesOfTeam(kFreeForAllSide, TEAM_NONE, TEAM_NONE);
    } else {
      tablesOfTeam(kRedSide, TEAM_RED, TEAM_BLUE);
      tablesOfTeam(kBlueSide, TEAM_BLUE, TEAM_RED);
    }
  }

  wrText("<tr>\n");
  wrText("<td>\n");
  wrText("<BR><center><IMG SRC=images/break.gif><BR>");
  backToMainLink();
  wrText("</center><BR><BR>");
  htmlDrawCreditsTable();
  wrText("</td>\n");
  wrText("</tr>\n");
  wrText("</table>\n");
  wrText("</center>\n");
  htmlReadFooter();
  wrText("</body>\n");
  wrText("</html>\n");
}

}  // namespace

const char* weaponDisplayName(int weapon) {
  return weapon < 0 || weapon >= kWeaponCount ? "" : kWeapons[weapon].name;
}

const char* getWeaponName(int weapon) {
  if (weapon < 0 || weapon >= kWeaponCount) return "";
  if (!isYes(g_config_use_weapon_colors)) return kWeapons[weapon].name;
  static const ColoredNames colored = buildColoredNames();
  return colored.text[weapon];
}

void htmlPrintWeaponStat(int weapon, int value) {
  if (isYes(g_config_use_weapon_colors) && weapon >= 0 && weapon < kWeaponCount) {
    fpw->append("<font color=");
    fpw->append(kWeapons[weapon].color);
    fpw->appendChar('>');
    fpw->appendInt(value);
    fpw->append("</font>");
  } else {
    fpw->appendInt(value);
  }
}

bool htmlDrawWeaponTable() {
  wrText("<center><IMG SRC=images/break.gif><BR>");
  wr("[<A HREF=%s>view weapon stats</A>]", out_filename_wepns.c_str());
  wrText("</center><BR><BR>");

  // The page writers follow fpw: while it points at the weapon page everything lands there.
  if (!beginWeaponPage()) return false;
  weaponPage();
  endWeaponPage();
  return true;
}
