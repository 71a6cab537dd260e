// The player table: registration, eviction, removal, lookup and the skill ordering.
#include "players/player_table.h"

#include <cstdio>
#include <utility>

#include "run/strutil.h"

const char SENTINEL_NAME[] = "poiwsdkghghpoidertrtdsfkbnmcvdawhbpwqgdhomawqasdhgftvbn";

PlayerRecord q3players[kTableSlots];

namespace {

constexpr float kInitialRating = 10.0f;
constexpr float kRemovedSkill = -100.0f;

void printName(const char* before, std::string_view name, const char* after) {
  std::fputs(before, stdout);
  writeBytes(stdout, name);
  std::fputs(after, stdout);
}

// Exchanges records i and i+1 and, so that every table keeps pointing at the same players,
// columns i and i+1 of every occupied player's two per-opponent tables (rows 0..13).
void exchange(int i, int n) {
  std::swap(q3players[i], q3players[i + 1]);
  for (int s = 0; s < n; ++s) {
    PlayerRecord& p = q3players[s];
    for (int w = 0; w <= kAllWeapons; ++w) {
      std::swap(p.killTable[w][i], p.killTable[w][i + 1]);
      std::swap(p.deathTable[w][i], p.deathTable[w][i + 1]);
    }
  }
}

// Bubble sort by descending skill; `sinkSlot`, when not -1, ranks below every other record
// wherever it moves.
void bubbleSort(int sinkSlot) {
  const int n = getTotalPlayers();
  bool exchanged = true;
  while (exchanged) {
    exchanged = false;
    for (int i = 0; i + 1 < n; ++i) {
      bool lower;
      if (sinkSlot == i) {
        lower = true;
      } else if (sinkSlot == i + 1) {
        lower = false;
      } else {
        lower = q3players[i].skill < q3players[i + 1].skill;
      }
      if (lower) {
        exchange(i, n);
        if (sinkSlot == i) sinkSlot = i + 1;
        exchanged = true;
      }
    }
  }
}

}  // namespace

void initPlayer(int slot) {
  PlayerRecord& p = q3players[slot];
  p = PlayerRecord();  // zeroes every count, table and flag
  p.name.clear();
  p.rawName.clear();
  p.quote.assign(kSentinelName);
  p.skill = kInitialRating;
  p.combat = kInitialRating;
}

void initPlayers() {
  for (int s = 0; s < kTableSlots; ++s) initPlayer(s);
}

int getTotalPlayers() {
  for (int s = 0; s < MAX_PLAYERS; ++s) {
    if (q3players[s].rawName.empty()) return s;
  }
  return MAX_PLAYERS;
}

int getPlayerIndex(std::string_view rawName) {
  const int n = getTotalPlayers();
  for (int s = 0; s < n; ++s) {
    if (q3players[s].rawName == rawName) return s;
  }
  return NO_PLAYER;
}

int getPlayerIndexUsingStrippedName(std::string_view name) {
  const int n = getTotalPlayers();
  for (int s = 0; s < n; ++s) {
    if (q3players[s].name == name) return s;
  }
  return NO_PLAYER;
}

void addPlayer(std::string_view rawName) {
  if (rawName.empty() || rawName == kSentinelName) return;
  if (getPlayerIndex(rawName) != NO_PLAYER) return;

  char stripped[kTextSize + 2];
  const std::size_t strippedLen =
      stripColorCodes(rawName.substr(0, kTextSize - 1), stripped);

  int n = getTotalPlayers();
  if (n == MAX_PLAYERS) {
    std::printf("Total number of Players reached MAX(%d)\n", MAX_PLAYERS);
    sort();
    int departed = -1;
    // The table is sorted, so the last departed record is the least skilled one.
    for (int s = n - 1; s >= 0; --s) {
      if (q3players[s].disconnected == 1) {
        departed = s;
        break;
      }
    }
    if (departed < 0) {
      std::fputs("Cannot add any more players\n\n", stdout);
      return;
    }
    std::fputs("Removing disconnected player with least skill\n", stdout);
    printName("Removing-> ", q3players[departed].name.view(), "\n\n");
    removePlayer(departed);
    n = getTotalPlayers();
  }
  q3players[n].rawName.assign(rawName);
  q3players[n].name.assign(std::string_view(stripped, strippedLen));
}

void removePlayer(int slot) {
  const int n = getTotalPlayers();
  if (slot < 0 || slot >= n) return;
  q3players[slot].skill = kRemovedSkill;
  bubbleSort(slot);
  initPlayer(n - 1);
}

void sort() { bubbleSort(-1); }

void printPlayers() {
  const int n = getTotalPlayers();
  std::printf("TOTAL PLAYERS -> %d\n", n);
  for (int s = 0; s < n; ++s) printName(" - ", q3players[s].name.view(), "\n");
}
