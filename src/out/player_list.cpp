// Player list of the main page: side-by-side red and blue tables (with the unknown-team table), or the free-for-all ranking.
#include "out/player_list.h"

#include <string_view>

#include "out/team_table.h"
#include "out/escape.h"
#include "out/writer.h"
#include "out/award_icons.h"
#include "game/player_table.h"
#include "game/teams.h"
#include "game/totals.h"
#include "run/config.h"
#include "run/game.h"

namespace {

constexpr const char* kTeamHeaderLabels[] = {"SCORE", "KILLS", "DEATHS", "CAPS", "COMBAT", "SKILL"};
constexpr const char* kUnknownTeamHeaderLabels[] = {
    "SCORE", "KILLS", "DEATHS", "SUICIDES", "KILL STREAK", "DEATH STREAK", "COMBAT", "SKILL"};
// The NAME column of the free-for-all list has a cell of its own, between "#" and SKILL.
constexpr const char* kFreeForAllHeaderLabels[] = {"SKILL",
                                                    "SCORE",
                                                    "KILLS&nbsp;/<br>DEATHS",
                                                    "SUICIDES",
                                                    "KILL&nbsp;/&nbsp;DEATH<BR>STREAK",
                                                    "PLAYER<br>AWARDS",
                                                    "WEAPON<br>AWARDS",
                                                    "EASIEST<br>PREY",
                                                    "WORST<br>ENEMY"};

// One side of the team layout: its team code, cell classes and stat keys.
struct TeamSide {
  int team;
  int otherTeam;
  const char* plainClass;
  const char* highlightClass;
  const char* fragsKey;
  const char* killsKey;
  const char* deathsKey;
  const char* capsKey;
  const char* combatKey;
  const char* skillKey;
};

constexpr TeamSide kRedSide = {TEAM_RED, TEAM_BLUE, "red", "redHighlight",
                               "frags_red", "kills_red", "deaths_red", "caps_red",
                               "combat_red", "kalimo_red"};
constexpr TeamSide kBlueSide = {TEAM_BLUE, TEAM_RED, "blue", "blueHighlight",
                                "frags_blue", "kills_blue", "deaths_blue", "caps_blue",
                                "combat_blue", "kalimo_blue"};

bool isCaptureTheFlag() { return g_game.g_gametype == GT_CTF; }

// Anchors and links carry the logged name, escaped alike on both sides so that they still
// match; it is written between the template pieces, never as a format.
void writeListAnchor(std::string_view rawName) {
  wrText("<A name=\"list-");
  wrNameAttribute(rawName);
  wrText("\">");
}

void writeStatLink(std::string_view rawName) {
  wrText("<A href=\"#stat-");
  wrNameAttribute(rawName);
  wrText("\">");
}

void writeWeaponPageLink(std::string_view rawName) {
  wr("<A href=\"%s#weapons-", out_filename_wepns.c_str());
  wrNameAttribute(rawName);
  wrText("\">");
}

void writeTeamTable(const TeamSide& side) {
  const bool ctf = isCaptureTheFlag();
  if (side.team == TEAM_RED) {
    wrText("\n<table  CLASS=\"redHighlight\" BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=99.50% >\n");
  } else {
    wrText("\n<table ALIGN=RIGHT  CLASS=\"blueHighlight\" BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=99.50% >\n");
  }
  wrText("<tr>\n");
  wr("<td CLASS=\"%s\"><b>NAME</b></td>", side.highlightClass);
  for (const char* label : kTeamHeaderLabels) {
    if (!ctf && std::string_view(label) == "CAPS") continue;
    wr("<td CLASS=\"%s\"><div align=center><b>", side.highlightClass);
    wr("%s", label);
    wrText("</b></div></td>");
  }
  wrText("</tr>\n");

  const int n = getTotalPlayers();
  for (int slot = 0; slot < n; ++slot) {
    const PlayerRecord& p = q3players[slot];
    if (p.team != side.team) continue;
    wrText("<tr>\n");
    wr("<td CLASS=\"%s\"><div align=left>", side.plainClass);
    writeListAnchor(p.rawName.view());
    writeStatLink(p.rawName.view());
    htmlWriteQ3String(p.rawName.view());
    wrText("</A></A></div></td>\n");
    wr("<td CLASS=\"%s\"><div align=center>%d</div></td>\n", side.plainClass, p.frags);
    wr("<td CLASS=\"%s\"><div align=center>%d</div></td>\n", side.plainClass, p.kills);
    wr("<td CLASS=\"%s\"><div align=center>%d</div></td>\n", side.plainClass, p.deaths);
    if (ctf) wr("<td CLASS=\"%s\"><div align=center>%d</div></td>\n", side.plainClass, p.caps);
    wr("<td CLASS=\"%s\"><div align=center>%0.2f</div></td>\n", side.plainClass,
       static_cast<double>(p.combat));
    wr("<td CLASS=\"%s\"><div align=center>%0.2f</div></td>\n", side.plainClass,
       static_cast<double>(p.skill));
    wrText("</tr>\n");
  }

  // Both tables get the same number of lines.
  const int missing = getTeamTotalPlayers(side.otherTeam) - getTeamTotalPlayers(side.team);
  const int cells = ctf ? 7 : 6;
  for (int line = 0; line < missing; ++line) {
    wrText("<tr>\n");
    for (int c = 0; c < cells; ++c) wr("<td CLASS=\"%s\">&nbsp;</td>", side.plainClass);
    wrText("</tr>\n");
  }

  wrText("<tr>\n");
  wr("<td CLASS=\"%s\"><b>TOTAL</b></td>", side.highlightClass);
  wr("<td CLASS=\"%s\"><div align=center><b>%d</b></div></td>\n", side.highlightClass,
     getStats(side.fragsKey));
  wr("<td CLASS=\"%s\"><div align=center><b>%d</b></div></td>\n", side.highlightClass,
     getStats(side.killsKey));
  wr("<td CLASS=\"%s\"><div align=center><b>%d</b></div></td>\n", side.highlightClass,
     getStats(side.deathsKey));
  if (ctf) {
    wr("<td CLASS=\"%s\"><div align=center><b>%d</b></div></td>\n", side.highlightClass,
       getStats(side.capsKey));
  }
  wr("<td CLASS=\"%s\"><div align=center><b>%0.2f</b></div></td>\n", side.highlightClass,
     getStatsDouble(side.combatKey));
  wr("<td CLASS=\"%s\"><div align=center><b>%0.2f</b></div></td>\n", side.highlightClass,
     getStatsDouble(side.skillKey));
  wrText("</tr>\n");
  wrText("</table>");
  wrText("</td>\n");
}

// Centred, bold header cells of the neutral (unknown-team and free-for-all) tables.
template <std::size_t N>
void writeNeutralHeaderCells(const char* const (&labels)[N]) {
  for (const char* label : labels) {
    wrText("<td CLASS=\"neutralHighlight\"><div align=center><b>");
    wr("%s", label);
    wrText("</b></div></td>");
  }
}

void writeUnknownTeamTable() {
  wrText("<tr>");
  wrText("<td>");
  wrText("\n<table  BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=100%  CLASS=\"neutralHighlight\">\n");
  wrText("<tr>\n");
  wrText("<td CLASS=\"neutralHighlight\"><b>NAME</b></td>");
  writeNeutralHeaderCells(kUnknownTeamHeaderLabels);
  wrText("</tr>\n");

  const int n = getTotalPlayers();
  for (int slot = 0; slot < n; ++slot) {
    const PlayerRecord& p = q3players[slot];
    if (p.team != TEAM_NONE) continue;
    wrText("<tr>\n");
    wrText("<td CLASS=\"neutral\">");
    htmlWriteQ3String(p.rawName.view());
    wrText("</div></td>\n");
    for (int value : {p.frags, p.kills, p.deaths, p.suicides, p.killStreak, p.deathStreak}) {
      wr("<td CLASS=\"neutral\"><div align=center>%d</div></td>\n", value);
    }
    wr("<td CLASS=\"neutral\"><div align=center>%0.2f</div></td>\n", static_cast<double>(p.combat));
    wr("<td CLASS=\"neutral\"><div align=center>%0.2f</div></td>\n", static_cast<double>(p.skill));
    wrText("</tr>\n");
  }

  wrText("<tr>\n");
  wrText("<td COLSPAN=9 CLASS=\"neutralHighlight\">&nbsp;</td>");
  wrText("</tr>\n");
  wrText("</table>");
  wrText("</td>");
  wrText("</tr>");
}

void writeTeamLayout() {
  wrText("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n");
  wrText("<tr>\n");
  wrText("<td VALIGN=TOP WIDTH=50%>\n");
  writeTeamTable(kRedSide);
  wrText("<td VALIGN=TOP WIDTH=50%>\n");
  writeTeamTable(kBlueSide);
  wrText("</tr>\n");
  wrText("</table>");
  wrText("<br>");

  if (isYes(g_config_display_unknown_team_players) && getTeamTotalPlayers(TEAM_NONE) > 0) {
    writeUnknownTeamTable();
  }
}

// The name of the slot a rivalry lookup answered; an answer outside the table shows nothing.
void writeRivalName(int slot) {
  if (slot < 0 || slot >= kTableSlots) return;
  htmlWriteQ3String(q3players[slot].rawName.view());
}

void writeFreeForAllLayout() {
  wrText("<tr>");
  wrText("<td>");
  wrText("\n<table  BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=100%  CLASS=\"neutralHighlight\">\n");
  wrText("<tr>\n");
  wrText("<td CLASS=\"neutralHighlight\"><div align=center><b>");
  wrText("#");
  wrText("</b></div></td>");
  wrText("<td CLASS=\"neutralHighlight\"><b>NAME</b></td>");
  writeNeutralHeaderCells(kFreeForAllHeaderLabels);
  wrText("</tr>\n");

  const int n = getTotalPlayers();
  for (int slot = 0; slot < n; ++slot) {
    const PlayerRecord& p = q3players[slot];
    if (p.team != TEAM_NONE) continue;
    // From the slot, not from the lines written: the first slot is always the low-light one.
    const char* lineClass = slot % 2 == 1 ? "\"neutral\"" : "\"neutralLowlight\"";
    wrText("<tr>\n");
    wr("<td CLASS=%s><div align=center>%d</div></td>\n", lineClass, slot + 1);
    wr("<td CLASS=%s>", lineClass);
    writeListAnchor(p.rawName.view());
    writeWeaponPageLink(p.rawName.view());
    htmlWriteQ3String(p.rawName.view());
    wrText("</A></A></div></td>\n");
    wr("<td CLASS=%s><div align=center>%0.2f</div></td>\n", lineClass, static_cast<double>(p.skill));
    wr("<td CLASS=%s><div align=center>%d</div></td>\n", lineClass, p.frags);
    wr("<td CLASS=%s><div align=center>%.2d / %.2d</div></td>\n", lineClass, p.kills, p.deaths);
    wr("<td CLASS=%s><div align=center>%d</div></td>\n", lineClass, p.suicides);
    wr("<td CLASS=%s><div align=center>%.2d / %.2d</div></td>\n", lineClass, p.killStreak,
       p.deathStreak);
    wr("<td CLASS=%s><div align=center>", lineClass);
    htmlPrintAwards(p.awards, "player");
    wrText("</div></td>\n");
    wr("<td CLASS=%s><div align=center>", lineClass);
    htmlPrintAwards(p.awards, "weapons");
    wrText("</div></td>\n");
    wr("<td CLASS=%s><div align=center><font size=-2>", lineClass);
    writeRivalName(getEasiestPrey(slot));
    wrText("</font></div></td>\n");
    wr("<td CLASS=%s><div align=center><font size=-2>", lineClass);
    writeRivalName(getWorstEnemy(slot));
    wrText("</font></div></td>\n");
    wrText("</tr>\n");
  }

  wrText("<tr>\n");
  wrText("<td COLSPAN=11 CLASS=\"neutralHighlight\">&nbsp;</td>");
  wrText("</tr>\n");
  wrText("</table>");
  wrText("</td>");
  wrText("</tr>");
}

}  // namespace

void htmlDrawPlayerListTable() {
  if (isTeamGameType(g_game.g_gametype)) {
    writeTeamLayout();
  } else if (g_game.g_gametype == GT_FFA) {
    writeFreeForAllLayout();
  }
}
