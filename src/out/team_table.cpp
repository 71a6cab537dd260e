// Team statistics banner of the main page, and the per-side sums (stat keys) it and the player list show.
#include "out/team_table.h"

#include <cstring>

#include "out/page.h"
#include "out/escape.h"
#include "out/writer.h"
#include "game/player_table.h"
#include "run/game.h"

namespace {

constexpr int kAnyTeam = -1;

// An integer key sums one field, or two (the two kinds of carrier defence), over one side.
struct IntStatKey {
  const char* key;
  int team;
  int PlayerRecord::*field;
  int PlayerRecord::*secondField;  // nullptr when only one field counts
};

constexpr IntStatKey kIntStatKeys[] = {
    {"caps_red", TEAM_RED, &PlayerRecord::caps, nullptr},
    {"caps_blue", TEAM_BLUE, &PlayerRecord::caps, nullptr},
    {"touches_red", TEAM_RED, &PlayerRecord::touches, nullptr},
    {"touches_blue", TEAM_BLUE, &PlayerRecord::touches, nullptr},
    {"holdkills_red", TEAM_RED, &PlayerRecord::holdKills, nullptr},
    {"holdkills_blue", TEAM_BLUE, &PlayerRecord::holdKills, nullptr},
    {"returns_red", TEAM_RED, &PlayerRecord::returns, nullptr},
    {"returns_blue", TEAM_BLUE, &PlayerRecord::returns, nullptr},
    {"efckills_red", TEAM_RED, &PlayerRecord::efcKills, nullptr},
    {"efckills_blue", TEAM_BLUE, &PlayerRecord::efcKills, nullptr},
    {"fcdefends_red", TEAM_RED, &PlayerRecord::fcDefends, &PlayerRecord::fcDefendsAgr},
    {"fcdefends_blue", TEAM_BLUE, &PlayerRecord::fcDefends, &PlayerRecord::fcDefendsAgr},
    {"basedefends_red", TEAM_RED, &PlayerRecord::baseDefends, nullptr},
    {"basedefends_blue", TEAM_BLUE, &PlayerRecord::baseDefends, nullptr},
    {"kills_red", TEAM_RED, &PlayerRecord::kills, nullptr},
    {"kills_blue", TEAM_BLUE, &PlayerRecord::kills, nullptr},
    {"kills_noteam", TEAM_NONE, &PlayerRecord::kills, nullptr},
    {"deaths_red", TEAM_RED, &PlayerRecord::deaths, nullptr},
    {"deaths_blue", TEAM_BLUE, &PlayerRecord::deaths, nullptr},
    {"deaths_noteam", TEAM_NONE, &PlayerRecord::deaths, nullptr},
    {"suicides_red", TEAM_RED, &PlayerRecord::suicides, nullptr},
    {"suicides_blue", TEAM_BLUE, &PlayerRecord::suicides, nullptr},
    {"frags_red", TEAM_RED, &PlayerRecord::frags, nullptr},
    {"frags_blue", TEAM_BLUE, &PlayerRecord::frags, nullptr},
    {"frags_noteam", TEAM_NONE, &PlayerRecord::frags, nullptr},
};

struct FloatStatKey {
  const char* key;
  int team;  // kAnyTeam: every player
  float PlayerRecord::*field;
};

constexpr FloatStatKey kFloatStatKeys[] = {
    {"kalimo", kAnyTeam, &PlayerRecord::skill},
    {"kalimo_red", TEAM_RED, &PlayerRecord::skill},
    {"kalimo_blue", TEAM_BLUE, &PlayerRecord::skill},
    {"kalimo_noteam", TEAM_NONE, &PlayerRecord::skill},
    {"combat_red", TEAM_RED, &PlayerRecord::combat},
    {"combat_blue", TEAM_BLUE, &PlayerRecord::combat},
    {"combat_noteam", TEAM_NONE, &PlayerRecord::combat},
};

// One line of the banner's comparison column: a red figure, a label, a blue figure.
struct ComparisonLine {
  const char* label;
  const char* redKey;
  const char* blueKey;
  bool isRating;  // skill and combat: two decimals from the float sums
};

constexpr ComparisonLine kCtfLines[] = {
    {"flag touches", "touches_red", "touches_blue", false},
    {"flag hold kills", "holdkills_red", "holdkills_blue", false},
    {"flag carrier defends", "fcdefends_red", "fcdefends_blue", false},
    {"flag carrier kills", "efckills_red", "efckills_blue", false},
    {"flag returns", "returns_red", "returns_blue", false},
    {"base defends", "basedefends_red", "basedefends_blue", false},
};

constexpr ComparisonLine kTdmLines[] = {
    {"skill", "kalimo_red", "kalimo_blue", true},
    {"combat", "combat_red", "combat_blue", true},
    {"kills", "kills_red", "kills_blue", false},
    {"deaths", "deaths_red", "deaths_blue", false},
};

// Clan Arena's large figures are rounds won, so its summed score gets a line of its own.
constexpr ComparisonLine kCaLines[] = {
    {"skill", "kalimo_red", "kalimo_blue", true},
    {"combat", "combat_red", "combat_blue", true},
    {"score", "frags_red", "frags_blue", false},
    {"kills", "kills_red", "kills_blue", false},
    {"deaths", "deaths_red", "deaths_blue", false},
};

struct TeamLayout {
  const char* redFlag;
  const char* blueFlag;
  int redFigure;
  int blueFigure;
  const ComparisonLine* lines;
  int lineCount;
};

template <std::size_t N>
constexpr int countOf(const ComparisonLine (&)[N]) {
  return static_cast<int>(N);
}

// The map name comes from the log: the caption is written around it as escaped text.
void writeMapCaption() {
  if (g_game.g_mapname.empty()) return;
  wrText("<b>map : ");
  wrLogText(g_game.g_mapname.view());
  wrText("</b>");
}

void writeComparisonLine(const ComparisonLine& line) {
  wrText("<tr>\n");
  if (line.isRating) {
    wr("<td CLASS=\"red\"><CENTER>%0.2f</CENTER></td>\n", getStatsDouble(line.redKey));
  } else {
    wr("<td CLASS=\"red\"><CENTER>%d</CENTER></td>\n", getStats(line.redKey));
  }
  wrText("<td CLASS=\"neutralCtf\"><center>");
  wr("%s", line.label);
  wrText("</center></td>\n");
  if (line.isRating) {
    wr("<td CLASS=\"blue\"><CENTER>%0.2f</CENTER></td>\n", getStatsDouble(line.blueKey));
  } else {
    wr("<td CLASS=\"blue\"><CENTER>%d</CENTER></td>\n", getStats(line.blueKey));
  }
  wrText("</tr>\n");
}

// The frame shared by capture the flag, team deathmatch and Clan Arena.
void writeTeamLayout(const TeamLayout& layout) {
  wrText("\n<table CLASS=\"neutralHighlightCtf\" BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n");
  wrText("<tr>\n");
  wrText("<td COLSPAN=3 CLASS=\"redHighlight\">&nbsp;</td>\n");
  wrText("</tr>\n");

  wrText("<tr>\n");
  wrText("<td VALIGN=TOP CLASS=\"red\">");
  wr("<img src=%s>", layout.redFlag);
  wrText("</td>\n");

  wrText("<td VALIGN=MIDDLE WIDTH=100%>\n");
  wrText("\n<table BORDER=0 CELLSPACING=1 CELLPADDING=1 WIDTH=100%>\n");
  wrText("<tr>\n");
  wr("<td WIDTH=20%% CLASS=\"red\"><CENTER><p style=\"font-size: 30pt; color: red\">%d</p></CENTER></td>\n",
     layout.redFigure);
  wrText("<td WIDTH=60% CLASS=\"neutralCtf\"><center><div align=center>");
  writeMapCaption();
  wrText("<br>");
  htmlPrintMapImage();
  wrText("</div></center></td>\n");
  wr("<td WIDTH=20%% CLASS=\"blue\"><CENTER><p style=\"font-size: 30pt; color: blue\">%d</p></CENTER></td>\n",
     layout.blueFigure);
  wrText("</tr>\n");
  for (int i = 0; i < layout.lineCount; ++i) writeComparisonLine(layout.lines[i]);
  wrText("</table>\n");
  wrText("</td>\n");

  wrText("<td VALIGN=TOP CLASS=\"blue\">");
  wr("<img src=%s>", layout.blueFlag);
  wrText("</td>\n");
  wrText("</tr>\n");

  wrText("<tr>\n");
  wrText("<td COLSPAN=3 CLASS=\"blueHighlight\">&nbsp;</td>\n");
  wrText("</tr>\n");
  wrText("</table>\n");
}

void writeFreeForAllBand() {
  wrText("<tr>\n");
  wrText("<td COLSPAN=3 CLASS=\"neutralHighlight\">&nbsp;</td>\n");
  wrText("</tr>\n");
}

void writeFreeForAllLayout() {
  wrText("\n<table  BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100% >\n");
  writeFreeForAllBand();
  wrText("<tr>\n");
  wrText("<td VALIGN=TOP CLASS=\"neutral\"><div align=left><img src=images/flag_ffa.gif></div></td>");
  wrText("<td VALIGN=TOP CLASS=\"neutral\"><div align=center>");
  wrText("<br>");
  writeMapCaption();
  wrText("<br>");
  htmlPrintMapImage();
  wrText("</div>");
  wrText("<div align=center>");
  wrText("</div></td>\n");
  wrText("<td VALIGN=TOP CLASS=\"neutral\"><div align=right><img src=images/flag_ffa.gif></div></td>");
  wrText("</tr>\n");
  writeFreeForAllBand();
  wrText("</table>");
}

}  // namespace

int getStats(const char* key) {
  for (const IntStatKey& k : kIntStatKeys) {
    if (std::strcmp(key, k.key) != 0) continue;
    int sum = 0;
    const int n = getTotalPlayers();
    for (int slot = 0; slot < n; ++slot) {
      const PlayerRecord& p = q3players[slot];
      if (p.team != k.team) continue;
      sum += p.*k.field;
      if (k.secondField != nullptr) sum += p.*k.secondField;
    }
    return sum;
  }
  return 0;
}

double getStatsDouble(const char* key) {
  for (const FloatStatKey& k : kFloatStatKeys) {
    if (std::strcmp(key, k.key) != 0) continue;
    double sum = 0.0;
    const int n = getTotalPlayers();
    for (int slot = 0; slot < n; ++slot) {
      const PlayerRecord& p = q3players[slot];
      if (k.team != kAnyTeam && p.team != k.team) continue;
      sum += p.*k.field;
    }
    return sum;
  }
  return 0.0;
}

void htmlDrawTeamStatTable() {
  switch (g_game.g_gametype) {
    case 2:
      writeTeamLayout({"images/flag_ctf_red.jpg", "images/flag_ctf_blue.jpg",
                       getStats("caps_red"), getStats("caps_blue"), kCtfLines,
                       countOf(kCtfLines)});
      break;
    case 1:
      writeTeamLayout({"images/flag_tdm_red.gif", "images/flag_tdm_blue.gif",
                       getStats("frags_red"), getStats("frags_blue"), kTdmLines,
                       countOf(kTdmLines)});
      break;
    case 3:
      writeTeamLayout({"images/flag_tdm_red.gif", "images/flag_tdm_blue.gif", g_game.g_ca_win_red,
                       g_game.g_ca_win_blue, kCaLines, countOf(kCaLines)});
      break;
    case 0:
      writeFreeForAllLayout();
      break;
    default:
      break;
  }
}
