// End-of-game repairs of the player table: cut names joined, missing teams guessed, blank names marked.
#include "game/reconcile.h"

#include <cstdio>

#include "base/console.h"
#include "game/player_table.h"
#include "game/teams.h"
#include "base/fixed_string.h"
#include "game/game.h"
#include "base/strutil.h"

namespace {

// Three records sharing one cut name cannot be told apart.
constexpr int kAmbiguousCount = 3;
// Rows searched when guessing a team: the weapons up to the BFG.
constexpr int kLastGuessWeapon = 8;

// Every marker starts with this; a marked record is closed, merged, guessed or blank.
constexpr std::string_view kMarkerColour = "<font color=#CC6600>";
constexpr std::string_view kMergeSeparator = "<font color=#CC6600> / </font>";
constexpr std::string_view kMergeMarker = "^7<font color=#CC6600>&nbsp;+</font>";
constexpr std::string_view kGuessedTeamMarker = "^7&nbsp;<font color=#CC6600>~</font>";
constexpr std::string_view kBlankNameMarker = "^7<font color=#CC6600>_</font>";
constexpr std::string_view kBlankNameSuffix = "\\_";

// What the whole-name record brings into the merged one; everything else it holds is dropped.
constexpr int PlayerRecord::*kSummedCounts[] = {
    &PlayerRecord::frags,          &PlayerRecord::suicides,      &PlayerRecord::holdKills,
    &PlayerRecord::touches,        &PlayerRecord::caps,          &PlayerRecord::returns,
    &PlayerRecord::efcKills,       &PlayerRecord::efcKillAssists, &PlayerRecord::returnAssists,
    &PlayerRecord::fcDefends,      &PlayerRecord::fcDefendsAgr,  &PlayerRecord::baseDefends,
};
constexpr float PlayerRecord::*kSummedRatings[] = {&PlayerRecord::skill, &PlayerRecord::combat};

bool validSlot(int slot) { return slot >= 0 && slot < kTableSlots; }

bool isMarked(const PlayerRecord& p) { return containsText(p.rawName.view(), kMarkerColour); }

bool isUnmarkedHolderOf(const PlayerTable& players, int slot, std::string_view key) {
  const PlayerRecord& p = players[slot];
  return containsText(p.rawName.view(), key) && !isMarked(p);
}

void printLine(std::string_view text) {
  consoleWrite(text);
  consoleWrite("\n");
}

int otherTeam(int team) {
  if (team == TEAM_RED) return TEAM_BLUE;
  if (team == TEAM_BLUE) return TEAM_RED;
  return TEAM_NONE;
}

// The team opposite the first player with a team met in rows 0..8 of `table`, weapon by
// weapon; TEAM_NONE when there is none.
int oppositeOfFirstMet(const PlayerTable& players, const int (&table)[kWeaponRows][kTableSlots], int n) {
  for (int w = 0; w <= kLastGuessWeapon; ++w) {
    for (int j = 0; j < n; ++j) {
      if (table[w][j] <= 0) continue;
      const int guess = otherTeam(players[j].team);
      if (guess != TEAM_NONE) return guess;
    }
  }
  return TEAM_NONE;
}

// One guessing pass over the players still without a team, from the last slot down, so that
// a team guessed here already counts for the players examined after it.
void guessTeams(PlayerTable& players, const char* message, bool fromDeaths) {
  const int n = players.getTotalPlayers();
  for (int s = n - 1; s >= 0; --s) {
    PlayerRecord& p = players[s];
    if (p.team != TEAM_NONE) continue;
    consoleWrite(message);
    printLine(p.name.view());
    const int guess = oppositeOfFirstMet(players, fromDeaths ? p.deathTable : p.killTable, n);
    if (guess != TEAM_NONE) {
      p.team = guess;
      p.appendMark(kGuessedTeamMarker);
      p.marks.teamGuessed = true;
    }
  }
}

bool isBlank(std::string_view name) {
  for (char c : name) {
    if (c != ' ') return false;
  }
  return true;
}

}  // namespace

int mergeIdenticalPlayerChopped(PlayerTable& players, int k) {
  if (!validSlot(k) || players[k].rawName.size() != kCutNameLength) return NO_PLAYER;

  // A cut that fell between a caret and its colour character leaves a lone caret behind.
  std::string_view key = players[k].rawName.view();
  if (key.back() == '^') key.remove_suffix(1);

  const int n = players.getTotalPlayers();
  int w = NO_PLAYER;
  int holders = 0;
  for (int s = 0; s < n; ++s) {
    if (!isUnmarkedHolderOf(players, s, key)) continue;
    ++holders;
    if (s != k && w == NO_PLAYER) w = s;
  }
  if (w == NO_PLAYER) return NO_PLAYER;
  if (holders >= kAmbiguousCount) {
    players[k].team = TEAM_NONE;
    return NO_PLAYER;
  }

  PlayerRecord& cut = players[k];
  const PlayerRecord& whole = players[w];
  consoleWrite("\nPossible Duplicate Player detected:\n");
  printLine(cut.name.view());
  printLine(whole.name.view());
  consoleWrite("Merging Players.\n\n");

  Text510 mergedRawName(whole.rawName.view());
  mergedRawName.append(kMergeSeparator);
  mergedRawName.append(cut.rawName.view());
  mergedRawName.append(kMergeMarker);
  cut.name = whole.name.view();
  cut.marks.mergedWith = cut.rawName.view();
  // Neither record is marked yet (a marked one is never the whole-name partner, and a cut name
  // is too short to hold a mark): the logged name is the whole one.
  cut.marks.nameEnd = whole.rawName.size();
  cut.rawName = mergedRawName.view();

  for (int PlayerRecord::*count : kSummedCounts) cut.*count += whole.*count;
  for (float PlayerRecord::*rating : kSummedRatings) {
    cut.*rating = static_cast<float>(static_cast<double>(cut.*rating) +
                                     static_cast<double>(whole.*rating));
  }
  if (cut.team == TEAM_NONE) cut.team = whole.team;

  // The removal re-sorts the table, so the merged record is found again by its new name.
  players.removePlayer(w);
  return players.getPlayerIndex(mergedRawName.view());
}

int mergeIdenticalPlayerNonChopped(PlayerTable& players, int w) {
  if (!validSlot(w)) return NO_PLAYER;
  const std::string_view wholeName = players[w].rawName.view();
  const int n = players.getTotalPlayers();
  for (int k = 0; k < n; ++k) {
    if (k == w) continue;
    const PlayerRecord& p = players[k];
    if (p.rawName.size() == kCutNameLength && containsText(wholeName, p.rawName.view())) {
      return mergeIdenticalPlayerChopped(players, k);
    }
  }
  return NO_PLAYER;
}

void mergeAllIdenticalPlayers(PlayerTable& players) {
  int s = 0;
  while (s < players.getTotalPlayers()) {
    // A merge re-sorts the table, so the walk starts over.
    if (mergeIdenticalPlayerChopped(players, s) < players.getTotalPlayers()) {
      s = 0;
    } else {
      ++s;
    }
  }
}

void assignTeamToUnknownPlayers(PlayerTable& players) {
  if (getTeamTotalPlayers(players, TEAM_NONE) == 0 || getTeamTotalPlayers(players, TEAM_RED) == 0 ||
      getTeamTotalPlayers(players, TEAM_BLUE) == 0) {
    return;
  }
  guessTeams(players, "Trying to guess-timate team for player (deaths): ", true);
  guessTeams(players, "Trying to guess-timate team for player  (kills): ", false);
}

void fixPlayerNames(PlayerTable& players) {
  const int n = players.getTotalPlayers();
  for (int s = 0; s < n; ++s) {
    PlayerRecord& p = players[s];
    if (!isBlank(p.name.view())) continue;
    p.name.append(kBlankNameSuffix);
    p.appendMark(kBlankNameMarker);
    p.marks.blankName = true;
  }
}
