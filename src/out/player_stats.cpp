// Player statistics blocks of team games: red players' blocks in the left column, blue players' in the right.
#include "out/player_stats.h"

#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "out/award_icons.h"
#include "out/writer.h"
#include "game/game_result.h"
#include "game/game_type.h"
#include "base/strutil.h"

namespace {

// Everything that differs between a red and a blue column. Besides the class names, the two
// sides differ in three small spacing details of the page, kept here as data so that one
// writer serves both.
struct BlockSide {
  int team;
  const char* plainClass;
  const char* highlightClass;
  const char* columnTableGap;    // the red column's table opens with two spaces, the blue with one
  const char* nameAwardsGap;     // the red name line's award cell has a space before '>'
  const char* awardCellEnd;      // what follows "</DIV></td>" in the award line
};

constexpr BlockSide kRedBlock = {TEAM_RED, "red", "redHighlight", " ", " ", "\n"};
constexpr BlockSide kBlueBlock = {TEAM_BLUE, "blue", "blueHighlight", "", "", ""};

// The last character of a quote shown is its 61st (positions 0 to 60).
constexpr int kQuoteLastChar = 60;

// A label cell. The label is a template of our own ("Efficiency %%" shows as Efficiency %).
__attribute__((format(printf, 3, 4))) void labelCell(PageWriter& w, const BlockSide& side,
                                                      const char* label, ...) {
  w.wr("<td WIDTH=25%% CLASS=\"%s\">", side.plainClass);
  va_list args;
  va_start(args, label);
  w.buffer().format(label, args);
  va_end(args);
  w.text("</td>\n");
}

void countCell(PageWriter& w, const BlockSide& side, int value) {
  w.wr("<td WIDTH=25%% CLASS=\"%s\"><div align=center>%d</div></td>\n", side.plainClass, value);
}

void decimalCell(PageWriter& w, const BlockSide& side, double value) {
  w.wr("<td WIDTH=25%% CLASS=\"%s\"><div align=center>%0.2f</div></td>\n", side.plainClass, value);
}

// A link to another player's block on this page, showing that player's name.
void playerLinkCell(PageWriter& w, const GameResult& game, const BlockSide& side, int slot) {
  // The answer of a rivalry lookup is always one of the game's players.
  const std::string_view rawName = game.players[static_cast<std::size_t>(slot)].rawName.view();
  w.wr("<td WIDTH=25%% CLASS=\"%s\"><div align=center><font size=-2>", side.plainClass);
  w.text("<A href=\"#stat-");
  w.nameAttribute(rawName);
  w.text("\">");
  w.name(rawName);
  w.text("</A></font></div></td>\n");
}

void nameLine(PageWriter& w, const BlockSide& side, const PlayerRecord& p) {
  const std::string_view rawName = p.rawName.view();
  w.text("<tr>\n");
  w.wr("<td COLSPAN=2 CLASS=\"%s\">", side.highlightClass);
  // Anchor and link carry the logged name, escaped alike, never as a format.
  w.text("<A name=\"stat-");
  w.nameAttribute(rawName);
  w.text("\">");
  w.wr("<A href=\"%s#weapons-", w.names().weapon.c_str());
  w.nameAttribute(rawName);
  w.text("\">");
  w.name(rawName);
  w.text("</A></A></td>\n");
  w.wr("<td CLASS=\"%s\" COLSPAN=2%s><DIV ALIGN=RIGHT>", side.highlightClass, side.nameAwardsGap);
  htmlPrintAwards(w, p.awards, "player");
  w.text("</DIV></td>\n");
  w.text("</tr>\n");
}

void quoteLine(PageWriter& w, const BlockSide& side, const PlayerRecord& p) {
  w.text("<tr>\n");
  w.wr("<td COLSPAN=4 CLASS=\"%s\"><DIV align=right>\" ", side.plainClass);
  // The sentinel stands for "said nothing": the quotation marks stay, with nothing between.
  // (The run counts the cut in its scratch pool, as it always has.)
  if (p.quote != kSentinelName) w.logText(substringUncounted(p.quote.view(), 0, kQuoteLastChar));
  w.text(" \"</DIV></td>\n");
  w.text("</tr>\n");
}

// The flag lines of a capture-the-flag block: two label-and-count pairs each.
struct FlagLine {
  const char* leftLabel;
  int PlayerRecord::*left;
  const char* rightLabel;
  int PlayerRecord::*right;
};

constexpr FlagLine kFlagLines[] = {
    {"Flag Captures", &PlayerRecord::caps, "Flag Touches", &PlayerRecord::touches},
    {"FC Defends", &PlayerRecord::fcDefends, "FC Defends agr.", &PlayerRecord::fcDefendsAgr},
    {"Base Defends", &PlayerRecord::baseDefends, "Flag Hold Kills", &PlayerRecord::holdKills},
    {"EFC Kills", &PlayerRecord::efcKills, "EFC&nbsp;Kill&nbsp;Assists",
     &PlayerRecord::efcKillAssists},
    {"Flag Returns", &PlayerRecord::returns, "Return Assists", &PlayerRecord::returnAssists},
};

void captureTheFlagLines(PageWriter& w, const BlockSide& side, const PlayerRecord& p) {
  for (const FlagLine& line : kFlagLines) {
    w.text("<tr>\n");
    labelCell(w, side, "%s", line.leftLabel);  // these labels hold no percent sign
    countCell(w, side, p.*line.left);
    labelCell(w, side, "%s", line.rightLabel);
    countCell(w, side, p.*line.right);
    w.text("</tr>\n");
  }
}

void generalLines(PageWriter& w, const GameResult& game, const BlockSide& side, int slot) {
  const PlayerRecord& p = game.players[static_cast<std::size_t>(slot)];

  w.text("<tr>\n");
  labelCell(w, side, "Score");
  countCell(w, side, p.frags);
  labelCell(w, side, "Kills / Deaths");
  w.wr("<td WIDTH=25%% CLASS=\"%s\"><div align=center>%d / %d</div></td>\n", side.plainClass,
     p.kills, p.deaths);
  w.text("</tr>\n");

  w.text("<tr>\n");
  labelCell(w, side, "Kill Streak");
  countCell(w, side, p.killStreak);
  labelCell(w, side, "Death Streak");
  countCell(w, side, p.deathStreak);
  w.text("</tr>\n");

  w.text("<tr>\n");
  labelCell(w, side, "Suicides");
  // Deaths by the player's own hand, all means: its own column of the all-weapons row.
  countCell(w, side, p.deathTable[kAllWeapons][slot]);
  labelCell(w, side, "Team Kills");
  countCell(w, side, p.teamKills);
  w.text("</tr>\n");

  w.text("<tr>\n");
  labelCell(w, side, "Damage Given");
  countCell(w, side, p.damageGiven);
  labelCell(w, side, "Damage Recvd");
  countCell(w, side, p.damageReceived);
  w.text("</tr>\n");

  w.text("<tr>\n");
  labelCell(w, side, "Efficiency %%");
  // The 0.001 keeps a player without kills, deaths, suicides or team kills at 0.00.
  decimalCell(w, side, 100.0 * p.kills /
                        (p.kills + 0.001 + p.deaths + p.suicides + p.teamKills));
  labelCell(w, side, "Accuracy %%");
  if (p.totalShots > 0) {
    decimalCell(w, side, 100.0 * p.totalHits / p.totalShots);
  } else {
    w.wr("<td WIDTH=25%% CLASS=\"%s\"><div align=center>-</div></td>\n", side.plainClass);
  }
  w.text("</tr>\n");

  w.text("<tr>\n");
  labelCell(w, side, "Combat");
  decimalCell(w, side, static_cast<double>(p.combat));
  labelCell(w, side, "Skill");
  decimalCell(w, side, static_cast<double>(p.skill));
  w.text("</tr>\n");

  w.text("<tr>\n");
  labelCell(w, side, "Easiest Prey");
  playerLinkCell(w, game, side, game.easiestPrey[static_cast<std::size_t>(slot)]);
  labelCell(w, side, "Worst Enemy");
  playerLinkCell(w, game, side, game.worstEnemy[static_cast<std::size_t>(slot)]);
  w.text("</tr>\n");
}

void awardLine(PageWriter& w, const BlockSide& side, const PlayerRecord& p) {
  w.text("<tr>\n");
  w.wr("<td COLSPAN=2 CLASS=\"%s\"><DIV ALIGN=LEFT>&nbsp;", side.highlightClass);
  htmlPrintAwards(w, p.awards, "accuracy");
  w.wr("</DIV></td>%s", side.awardCellEnd);
  w.wr("<td COLSPAN=2 CLASS=\"%s\"><DIV ALIGN=RIGHT>", side.highlightClass);
  htmlPrintAwards(w, p.awards, "weapons");
  w.wr("</DIV></td>%s", side.awardCellEnd);
  w.text("</tr>\n");
}

void playerBlock(PageWriter& w, const GameResult& game, const BlockSide& side, int slot) {
  const PlayerRecord& p = game.players[static_cast<std::size_t>(slot)];
  w.wr("\n<table CLASS=\"%s\" VALIGN=TOP BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=100%% >\n",
     side.highlightClass);
  nameLine(w, side, p);
  quoteLine(w, side, p);
  if (game.gameType == GT_CTF) captureTheFlagLines(w, side, p);
  generalLines(w, game, side, slot);
  awardLine(w, side, p);
  w.text("</table>");
  w.text("<BR>");
}

void column(PageWriter& w, const GameResult& game, const BlockSide& side) {
  w.text("<td VALIGN=TOP WIDTH=50%>\n");
  w.wr("\n<table %sVALIGN=TOP BORDER=0 CELLSPACING=2 CELLPADDING=2 WIDTH=100%% >\n",
     side.columnTableGap);
  w.text("<tr>\n");
  w.text("<td>\n");
  const int n = game.playerCount();
  for (int slot = 0; slot < n; ++slot) {
    if (game.players[static_cast<std::size_t>(slot)].team == side.team) playerBlock(w, game, side, slot);
  }
  w.text("</td>");
  w.text("</tr>");
  w.text("</table>");
  w.text("</td>\n");
}

}  // namespace

void htmlDrawPlayerStatTable(PageWriter& w, const GameResult& game) {
  w.text("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n");

  w.text("<tr>");
  w.text("<td COLSPAN=2 valign=center align=center><img SRC=images/break.gif><br><br></td>");
  w.text("</tr>");

  w.text("<tr>");
  w.text("<td COLSPAN=2 >");
  w.text("\n<table  BORDER=0 CELLSPACING=0 CELLPADDING=2 WIDTH=100%>\n");
  w.text("<tr><td CLASS=\"neutralHighlight\"><div align=center><b>PLAYER STATS</b></div></td></tr>\n");
  w.text("</table>");
  w.text("<br>");
  w.text("</td>");
  w.text("</tr>");

  w.text("<tr>\n");
  column(w, game, kRedBlock);
  column(w, game, kBlueBlock);
  w.text("</tr>\n");
  w.text("</table>");
}
