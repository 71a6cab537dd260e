// Player statistics blocks of team games: red players' blocks in the left column, blue players' in the right.
#include "out/player_stats.h"

#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "out/escape.h"
#include "out/writer.h"
#include "out/award_icons.h"
#include "game/player_table.h"
#include "game/totals.h"
#include "run/game.h"
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
__attribute__((format(printf, 2, 3))) void labelCell(const BlockSide& side, const char* label,
                                                      ...) {
  wr("<td WIDTH=25%% CLASS=\"%s\">", side.plainClass);
  va_list args;
  va_start(args, label);
  fpw->format(label, args);
  va_end(args);
  wrText("</td>\n");
}

void countCell(const BlockSide& side, int value) {
  wr("<td WIDTH=25%% CLASS=\"%s\"><div align=center>%d</div></td>\n", side.plainClass, value);
}

void decimalCell(const BlockSide& side, double value) {
  wr("<td WIDTH=25%% CLASS=\"%s\"><div align=center>%0.2f</div></td>\n", side.plainClass, value);
}

// A link to another player's block on this page, showing that player's name.
void playerLinkCell(const BlockSide& side, int slot) {
  const std::string_view rawName = q3players[slot].rawName.view();
  wr("<td WIDTH=25%% CLASS=\"%s\"><div align=center><font size=-2>", side.plainClass);
  wrText("<A href=\"#stat-");
  wrNameAttribute(rawName);
  wrText("\">");
  htmlWriteQ3String(rawName);
  wrText("</A></font></div></td>\n");
}

void nameLine(const BlockSide& side, const PlayerRecord& p) {
  const std::string_view rawName = p.rawName.view();
  wrText("<tr>\n");
  wr("<td COLSPAN=2 CLASS=\"%s\">", side.highlightClass);
  // Anchor and link carry the logged name, escaped alike, never as a format.
  wrText("<A name=\"stat-");
  wrNameAttribute(rawName);
  wrText("\">");
  wr("<A href=\"%s#weapons-", out_filename_wepns.c_str());
  wrNameAttribute(rawName);
  wrText("\">");
  htmlWriteQ3String(rawName);
  wrText("</A></A></td>\n");
  wr("<td CLASS=\"%s\" COLSPAN=2%s><DIV ALIGN=RIGHT>", side.highlightClass, side.nameAwardsGap);
  htmlPrintAwards(p.awards, "player");
  wrText("</DIV></td>\n");
  wrText("</tr>\n");
}

void quoteLine(const BlockSide& side, const PlayerRecord& p) {
  wrText("<tr>\n");
  wr("<td COLSPAN=4 CLASS=\"%s\"><DIV align=right>\" ", side.plainClass);
  // The sentinel stands for "said nothing": the quotation marks stay, with nothing between.
  if (p.quote != kSentinelName) wrLogText(substring(p.quote.view(), 0, kQuoteLastChar));
  wrText(" \"</DIV></td>\n");
  wrText("</tr>\n");
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

void captureTheFlagLines(const BlockSide& side, const PlayerRecord& p) {
  for (const FlagLine& line : kFlagLines) {
    wrText("<tr>\n");
    labelCell(side, "%s", line.leftLabel);  // these labels hold no percent sign
    countCell(side, p.*line.left);
    labelCell(side, "%s", line.rightLabel);
    countCell(side, p.*line.right);
    wrText("</tr>\n");
  }
}

void generalLines(const BlockSide& side, int slot) {
  const PlayerRecord& p = q3players[slot];

  wrText("<tr>\n");
  labelCell(side, "Score");
  countCell(side, p.frags);
  labelCell(side, "Kills / Deaths");
  wr("<td WIDTH=25%% CLASS=\"%s\"><div align=center>%d / %d</div></td>\n", side.plainClass,
     p.kills, p.deaths);
  wrText("</tr>\n");

  wrText("<tr>\n");
  labelCell(side, "Kill Streak");
  countCell(side, p.killStreak);
  labelCell(side, "Death Streak");
  countCell(side, p.deathStreak);
  wrText("</tr>\n");

  wrText("<tr>\n");
  labelCell(side, "Suicides");
  // Deaths by the player's own hand, all means: its own column of the all-weapons row.
  countCell(side, p.deathTable[kAllWeapons][slot]);
  labelCell(side, "Team Kills");
  countCell(side, p.teamKills);
  wrText("</tr>\n");

  wrText("<tr>\n");
  labelCell(side, "Damage Given");
  countCell(side, p.damageGiven);
  labelCell(side, "Damage Recvd");
  countCell(side, p.damageReceived);
  wrText("</tr>\n");

  wrText("<tr>\n");
  labelCell(side, "Efficiency %%");
  // The 0.001 keeps a player without kills, deaths, suicides or team kills at 0.00.
  decimalCell(side, 100.0 * p.kills /
                        (p.kills + 0.001 + p.deaths + p.suicides + p.teamKills));
  labelCell(side, "Accuracy %%");
  if (p.totalShots > 0) {
    decimalCell(side, 100.0 * p.totalHits / p.totalShots);
  } else {
    wr("<td WIDTH=25%% CLASS=\"%s\"><div align=center>-</div></td>\n", side.plainClass);
  }
  wrText("</tr>\n");

  wrText("<tr>\n");
  labelCell(side, "Combat");
  decimalCell(side, static_cast<double>(p.combat));
  labelCell(side, "Skill");
  decimalCell(side, static_cast<double>(p.skill));
  wrText("</tr>\n");

  wrText("<tr>\n");
  labelCell(side, "Easiest Prey");
  playerLinkCell(side, getEasiestPrey(slot));
  labelCell(side, "Worst Enemy");
  playerLinkCell(side, getWorstEnemy(slot));
  wrText("</tr>\n");
}

void awardLine(const BlockSide& side, const PlayerRecord& p) {
  wrText("<tr>\n");
  wr("<td COLSPAN=2 CLASS=\"%s\"><DIV ALIGN=LEFT>&nbsp;", side.highlightClass);
  htmlPrintAwards(p.awards, "accuracy");
  wr("</DIV></td>%s", side.awardCellEnd);
  wr("<td COLSPAN=2 CLASS=\"%s\"><DIV ALIGN=RIGHT>", side.highlightClass);
  htmlPrintAwards(p.awards, "weapons");
  wr("</DIV></td>%s", side.awardCellEnd);
  wrText("</tr>\n");
}

void playerBlock(const BlockSide& side, int slot) {
  const PlayerRecord& p = q3players[slot];
  wr("\n<table CLASS=\"%s\" VALIGN=TOP BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=100%% >\n",
     side.highlightClass);
  nameLine(side, p);
  quoteLine(side, p);
  if (g_game.g_gametype == GT_CTF) captureTheFlagLines(side, p);
  generalLines(side, slot);
  awardLine(side, p);
  wrText("</table>");
  wrText("<BR>");
}

void column(const BlockSide& side) {
  wrText("<td VALIGN=TOP WIDTH=50%>\n");
  wr("\n<table %sVALIGN=TOP BORDER=0 CELLSPACING=2 CELLPADDING=2 WIDTH=100%% >\n",
     side.columnTableGap);
  wrText("<tr>\n");
  wrText("<td>\n");
  const int n = getTotalPlayers();
  for (int slot = 0; slot < n; ++slot) {
    if (q3players[slot].team == side.team) playerBlock(side, slot);
  }
  wrText("</td>");
  wrText("</tr>");
  wrText("</table>");
  wrText("</td>\n");
}

}  // namespace

void htmlDrawPlayerStatTable() {
  wrText("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n");

  wrText("<tr>");
  wrText("<td COLSPAN=2 valign=center align=center><img SRC=images/break.gif><br><br></td>");
  wrText("</tr>");

  wrText("<tr>");
  wrText("<td COLSPAN=2 >");
  wrText("\n<table  BORDER=0 CELLSPACING=0 CELLPADDING=2 WIDTH=100%>\n");
  wrText("<tr><td CLASS=\"neutralHighlight\"><div align=center><b>PLAYER STATS</b></div></td></tr>\n");
  wrText("</table>");
  wrText("<br>");
  wrText("</td>");
  wrText("</tr>");

  wrText("<tr>\n");
  column(kRedBlock);
  column(kBlueBlock);
  wrText("</tr>\n");
  wrText("</table>");
}
