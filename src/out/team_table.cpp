// Team statistics banner of the main page: the teams' large figures, the map, and the sums of the two sides side by side.
#include "out/team_table.h"

#include "out/page.h"
#include "out/writer.h"
#include "game/game_result.h"
#include "game/game_type.h"

namespace {

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
void writeMapCaption(PageWriter& w, const GameResult& game) {
  if (game.mapName.empty()) return;
  w.text("<b>map : ");
  w.logText(game.mapName.view());
  w.text("</b>");
}

void writeComparisonLine(PageWriter& w, const GameResult& game, const ComparisonLine& line) {
  w.text("<tr>\n");
  if (line.isRating) {
    w.wr("<td CLASS=\"red\"><CENTER>%0.2f</CENTER></td>\n", game.getStatsDouble(line.redKey));
  } else {
    w.wr("<td CLASS=\"red\"><CENTER>%d</CENTER></td>\n", game.getStats(line.redKey));
  }
  w.text("<td CLASS=\"neutralCtf\"><center>");
  w.wr("%s", line.label);
  w.text("</center></td>\n");
  if (line.isRating) {
    w.wr("<td CLASS=\"blue\"><CENTER>%0.2f</CENTER></td>\n", game.getStatsDouble(line.blueKey));
  } else {
    w.wr("<td CLASS=\"blue\"><CENTER>%d</CENTER></td>\n", game.getStats(line.blueKey));
  }
  w.text("</tr>\n");
}

// The frame shared by capture the flag, team deathmatch and Clan Arena.
void writeTeamLayout(PageWriter& w, const GameResult& game, const TeamLayout& layout) {
  w.text("\n<table CLASS=\"neutralHighlightCtf\" BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n");
  w.text("<tr>\n");
  w.text("<td COLSPAN=3 CLASS=\"redHighlight\">&nbsp;</td>\n");
  w.text("</tr>\n");

  w.text("<tr>\n");
  w.text("<td VALIGN=TOP CLASS=\"red\">");
  w.wr("<img src=%s>", layout.redFlag);
  w.text("</td>\n");

  w.text("<td VALIGN=MIDDLE WIDTH=100%>\n");
  w.text("\n<table BORDER=0 CELLSPACING=1 CELLPADDING=1 WIDTH=100%>\n");
  w.text("<tr>\n");
  w.wr("<td WIDTH=20%% CLASS=\"red\"><CENTER><p style=\"font-size: 30pt; color: red\">%d</p></CENTER></td>\n",
     layout.redFigure);
  w.text("<td WIDTH=60% CLASS=\"neutralCtf\"><center><div align=center>");
  writeMapCaption(w, game);
  w.text("<br>");
  htmlPrintMapImage(w, game);
  w.text("</div></center></td>\n");
  w.wr("<td WIDTH=20%% CLASS=\"blue\"><CENTER><p style=\"font-size: 30pt; color: blue\">%d</p></CENTER></td>\n",
     layout.blueFigure);
  w.text("</tr>\n");
  for (int i = 0; i < layout.lineCount; ++i) writeComparisonLine(w, game, layout.lines[i]);
  w.text("</table>\n");
  w.text("</td>\n");

  w.text("<td VALIGN=TOP CLASS=\"blue\">");
  w.wr("<img src=%s>", layout.blueFlag);
  w.text("</td>\n");
  w.text("</tr>\n");

  w.text("<tr>\n");
  w.text("<td COLSPAN=3 CLASS=\"blueHighlight\">&nbsp;</td>\n");
  w.text("</tr>\n");
  w.text("</table>\n");
}

void writeFreeForAllBand(PageWriter& w) {
  w.text("<tr>\n");
  w.text("<td COLSPAN=3 CLASS=\"neutralHighlight\">&nbsp;</td>\n");
  w.text("</tr>\n");
}

void writeFreeForAllLayout(PageWriter& w, const GameResult& game) {
  w.text("\n<table  BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100% >\n");
  writeFreeForAllBand(w);
  w.text("<tr>\n");
  w.text("<td VALIGN=TOP CLASS=\"neutral\"><div align=left><img src=images/flag_ffa.gif></div></td>");
  w.text("<td VALIGN=TOP CLASS=\"neutral\"><div align=center>");
  w.text("<br>");
  writeMapCaption(w, game);
  w.text("<br>");
  htmlPrintMapImage(w, game);
  w.text("</div>");
  w.text("<div align=center>");
  w.text("</div></td>\n");
  w.text("<td VALIGN=TOP CLASS=\"neutral\"><div align=right><img src=images/flag_ffa.gif></div></td>");
  w.text("</tr>\n");
  writeFreeForAllBand(w);
  w.text("</table>");
}

}  // namespace

void htmlDrawTeamStatTable(PageWriter& w, const GameResult& game) {
  switch (game.gameType) {
    case GT_CTF:
      writeTeamLayout(w, game, {"images/flag_ctf_red.jpg", "images/flag_ctf_blue.jpg",
                       game.getStats("caps_red"), game.getStats("caps_blue"), kCtfLines,
                       countOf(kCtfLines)});
      break;
    case GT_TDM:
      writeTeamLayout(w, game, {"images/flag_tdm_red.gif", "images/flag_tdm_blue.gif",
                       game.getStats("frags_red"), game.getStats("frags_blue"), kTdmLines,
                       countOf(kTdmLines)});
      break;
    case GT_CA:
      writeTeamLayout(w, game, {"images/flag_tdm_red.gif", "images/flag_tdm_blue.gif", game.caRoundsRed,
                       game.caRoundsBlue, kCaLines, countOf(kCaLines)});
      break;
    case GT_FFA:
      writeFreeForAllLayout(w, game);
      break;
    default:
      break;
  }
}
