// Player list of the main page: side-by-side red and blue tables (with the unknown-team table), or the free-for-all ranking.
#include "out/player_list.h"

#include <string_view>

#include "out/award_icons.h"
#include "out/writer.h"
#include "game/game_result.h"
#include "game/game_type.h"

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

// Anchors and links carry the logged name, escaped alike on both sides so that they still
// match; it is written between the template pieces, never as a format.
void writeListAnchor(PageWriter& w, std::string_view rawName) {
  w.text("<A name=\"list-");
  w.nameAttribute(rawName);
  w.text("\">");
}

void writeStatLink(PageWriter& w, std::string_view rawName) {
  w.text("<A href=\"#stat-");
  w.nameAttribute(rawName);
  w.text("\">");
}

void writeWeaponPageLink(PageWriter& w, std::string_view rawName) {
  w.wr("<A href=\"%s#weapons-", w.names().weapon.c_str());
  w.nameAttribute(rawName);
  w.text("\">");
}

void writeTeamTable(PageWriter& w, const GameResult& game, const TeamSide& side) {
  const bool ctf = game.gameType == GT_CTF;
  if (side.team == TEAM_RED) {
    w.text("\n<table  CLASS=\"redHighlight\" BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=99.50% >\n");
  } else {
    w.text("\n<table ALIGN=RIGHT  CLASS=\"blueHighlight\" BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=99.50% >\n");
  }
  w.text("<tr>\n");
  w.wr("<td CLASS=\"%s\"><b>NAME</b></td>", side.highlightClass);
  for (const char* label : kTeamHeaderLabels) {
    if (!ctf && std::string_view(label) == "CAPS") continue;
    w.wr("<td CLASS=\"%s\"><div align=center><b>", side.highlightClass);
    w.wr("%s", label);
    w.text("</b></div></td>");
  }
  w.text("</tr>\n");

  for (const PlayerRecord& p : game.players) {
    if (p.team != side.team) continue;
    w.text("<tr>\n");
    w.wr("<td CLASS=\"%s\"><div align=left>", side.plainClass);
    writeListAnchor(w, p.rawName.view());
    writeStatLink(w, p.rawName.view());
    w.name(p.rawName.view());
    w.text("</A></A></div></td>\n");
    w.wr("<td CLASS=\"%s\"><div align=center>%d</div></td>\n", side.plainClass, p.frags);
    w.wr("<td CLASS=\"%s\"><div align=center>%d</div></td>\n", side.plainClass, p.kills);
    w.wr("<td CLASS=\"%s\"><div align=center>%d</div></td>\n", side.plainClass, p.deaths);
    if (ctf) w.wr("<td CLASS=\"%s\"><div align=center>%d</div></td>\n", side.plainClass, p.caps);
    w.wr("<td CLASS=\"%s\"><div align=center>%0.2f</div></td>\n", side.plainClass,
       static_cast<double>(p.combat));
    w.wr("<td CLASS=\"%s\"><div align=center>%0.2f</div></td>\n", side.plainClass,
       static_cast<double>(p.skill));
    w.text("</tr>\n");
  }

  // Both tables get the same number of lines.
  const int missing = game.teamPlayers(side.otherTeam) - game.teamPlayers(side.team);
  const int cells = ctf ? 7 : 6;
  for (int line = 0; line < missing; ++line) {
    w.text("<tr>\n");
    for (int c = 0; c < cells; ++c) w.wr("<td CLASS=\"%s\">&nbsp;</td>", side.plainClass);
    w.text("</tr>\n");
  }

  w.text("<tr>\n");
  w.wr("<td CLASS=\"%s\"><b>TOTAL</b></td>", side.highlightClass);
  w.wr("<td CLASS=\"%s\"><div align=center><b>%d</b></div></td>\n", side.highlightClass,
     game.getStats(side.fragsKey));
  w.wr("<td CLASS=\"%s\"><div align=center><b>%d</b></div></td>\n", side.highlightClass,
     game.getStats(side.killsKey));
  w.wr("<td CLASS=\"%s\"><div align=center><b>%d</b></div></td>\n", side.highlightClass,
     game.getStats(side.deathsKey));
  if (ctf) {
    w.wr("<td CLASS=\"%s\"><div align=center><b>%d</b></div></td>\n", side.highlightClass,
       game.getStats(side.capsKey));
  }
  w.wr("<td CLASS=\"%s\"><div align=center><b>%0.2f</b></div></td>\n", side.highlightClass,
     game.getStatsDouble(side.combatKey));
  w.wr("<td CLASS=\"%s\"><div align=center><b>%0.2f</b></div></td>\n", side.highlightClass,
     game.getStatsDouble(side.skillKey));
  w.text("</tr>\n");
  w.text("</table>");
  w.text("</td>\n");
}

// Centred, bold header cells of the neutral (unknown-team and free-for-all) tables.
template <std::size_t N>
void writeNeutralHeaderCells(PageWriter& w, const char* const (&labels)[N]) {
  for (const char* label : labels) {
    w.text("<td CLASS=\"neutralHighlight\"><div align=center><b>");
    w.wr("%s", label);
    w.text("</b></div></td>");
  }
}

void writeUnknownTeamTable(PageWriter& w, const GameResult& game) {
  w.text("<tr>");
  w.text("<td>");
  w.text("\n<table  BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=100%  CLASS=\"neutralHighlight\">\n");
  w.text("<tr>\n");
  w.text("<td CLASS=\"neutralHighlight\"><b>NAME</b></td>");
  writeNeutralHeaderCells(w, kUnknownTeamHeaderLabels);
  w.text("</tr>\n");

  for (const PlayerRecord& p : game.players) {
    if (p.team != TEAM_NONE) continue;
    w.text("<tr>\n");
    w.text("<td CLASS=\"neutral\">");
    w.name(p.rawName.view());
    w.text("</div></td>\n");
    for (int value : {p.frags, p.kills, p.deaths, p.suicides, p.killStreak, p.deathStreak}) {
      w.wr("<td CLASS=\"neutral\"><div align=center>%d</div></td>\n", value);
    }
    w.wr("<td CLASS=\"neutral\"><div align=center>%0.2f</div></td>\n", static_cast<double>(p.combat));
    w.wr("<td CLASS=\"neutral\"><div align=center>%0.2f</div></td>\n", static_cast<double>(p.skill));
    w.text("</tr>\n");
  }

  w.text("<tr>\n");
  w.text("<td COLSPAN=9 CLASS=\"neutralHighlight\">&nbsp;</td>");
  w.text("</tr>\n");
  w.text("</table>");
  w.text("</td>");
  w.text("</tr>");
}

void writeTeamLayout(PageWriter& w, const GameResult& game) {
  w.text("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n");
  w.text("<tr>\n");
  w.text("<td VALIGN=TOP WIDTH=50%>\n");
  writeTeamTable(w, game, kRedSide);
  w.text("<td VALIGN=TOP WIDTH=50%>\n");
  writeTeamTable(w, game, kBlueSide);
  w.text("</tr>\n");
  w.text("</table>");
  w.text("<br>");

  if (w.options().unknownTeamPlayers && game.teamPlayers(TEAM_NONE) > 0) {
    writeUnknownTeamTable(w, game);
  }
}

// The name of the slot a rivalry lookup answered; an answer outside the table shows nothing.
void writeRivalName(PageWriter& w, const GameResult& game, int slot) {
  if (slot < 0 || slot >= game.playerCount()) return;
  w.name(game.players[static_cast<std::size_t>(slot)].rawName.view());
}

void writeFreeForAllLayout(PageWriter& w, const GameResult& game) {
  w.text("<tr>");
  w.text("<td>");
  w.text("\n<table  BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=100%  CLASS=\"neutralHighlight\">\n");
  w.text("<tr>\n");
  w.text("<td CLASS=\"neutralHighlight\"><div align=center><b>");
  w.text("#");
  w.text("</b></div></td>");
  w.text("<td CLASS=\"neutralHighlight\"><b>NAME</b></td>");
  writeNeutralHeaderCells(w, kFreeForAllHeaderLabels);
  w.text("</tr>\n");

  const int n = game.playerCount();
  for (int slot = 0; slot < n; ++slot) {
    const PlayerRecord& p = game.players[static_cast<std::size_t>(slot)];
    if (p.team != TEAM_NONE) continue;
    // From the slot, not from the lines written: the first slot is always the low-light one.
    const char* lineClass = slot % 2 == 1 ? "\"neutral\"" : "\"neutralLowlight\"";
    w.text("<tr>\n");
    w.wr("<td CLASS=%s><div align=center>%d</div></td>\n", lineClass, slot + 1);
    w.wr("<td CLASS=%s>", lineClass);
    writeListAnchor(w, p.rawName.view());
    writeWeaponPageLink(w, p.rawName.view());
    w.name(p.rawName.view());
    w.text("</A></A></div></td>\n");
    w.wr("<td CLASS=%s><div align=center>%0.2f</div></td>\n", lineClass, static_cast<double>(p.skill));
    w.wr("<td CLASS=%s><div align=center>%d</div></td>\n", lineClass, p.frags);
    w.wr("<td CLASS=%s><div align=center>%.2d / %.2d</div></td>\n", lineClass, p.kills, p.deaths);
    w.wr("<td CLASS=%s><div align=center>%d</div></td>\n", lineClass, p.suicides);
    w.wr("<td CLASS=%s><div align=center>%.2d / %.2d</div></td>\n", lineClass, p.killStreak,
       p.deathStreak);
    w.wr("<td CLASS=%s><div align=center>", lineClass);
    htmlPrintAwards(w, p.awards, "player");
    w.text("</div></td>\n");
    w.wr("<td CLASS=%s><div align=center>", lineClass);
    htmlPrintAwards(w, p.awards, "weapons");
    w.text("</div></td>\n");
    w.wr("<td CLASS=%s><div align=center><font size=-2>", lineClass);
    writeRivalName(w, game, game.easiestPrey[static_cast<std::size_t>(slot)]);
    w.text("</font></div></td>\n");
    w.wr("<td CLASS=%s><div align=center><font size=-2>", lineClass);
    writeRivalName(w, game, game.worstEnemy[static_cast<std::size_t>(slot)]);
    w.text("</font></div></td>\n");
    w.text("</tr>\n");
  }

  w.text("<tr>\n");
  w.text("<td COLSPAN=11 CLASS=\"neutralHighlight\">&nbsp;</td>");
  w.text("</tr>\n");
  w.text("</table>");
  w.text("</td>");
  w.text("</tr>");
}

}  // namespace

void htmlDrawPlayerListTable(PageWriter& w, const GameResult& game) {
  if (isTeamGameType(game.gameType)) {
    writeTeamLayout(w, game);
  } else if (game.gameType == GT_FFA) {
    writeFreeForAllLayout(w, game);
  }
}
