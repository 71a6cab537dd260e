// The player table: registration, eviction, removal, lookup and the skill ordering.
#include "game/player_table.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

#include "base/console.h"
#include "base/strutil.h"


namespace {

constexpr float kInitialRating = 10.0f;
constexpr float kRemovedSkill = -100.0f;

void printName(const char* before, std::string_view name, const char* after) {
  consoleWrite(before);
  consoleWrite(name);
  consoleWrite(after);
}

// Puts record order[i] at slot i for i < n and, so that every table keeps pointing at the
// same players, permutes columns 0..n-1 of rows 0..13 of every one of those records alike.
// Each record and column moves once, whatever the number of exchanges that led to the order;
// slots outside the first and last that change are left alone, records and columns both.
}  // namespace

void PlayerTable::applyOrder(const int* order, int n) {
  int lo = 0;
  while (lo < n && order[lo] == lo) ++lo;
  if (lo == n) return;
  int hi = n - 1;
  while (order[hi] == hi) --hi;
  // Slots lo..hi hold a permutation of lo..hi: everything outside stays where it is.
  for (int i = lo; i <= hi; ++i) {
    if (order[i] != i) staging_[i] = records_[order[i]];
  }
  for (int i = lo; i <= hi; ++i) {
    if (order[i] != i) records_[i] = staging_[i];
  }
  int column[MAX_PLAYERS];
  for (int s = 0; s < n; ++s) {
    PlayerRecord& p = records_[s];
    for (int w = 0; w <= kAllWeapons; ++w) {
      for (int* row : {p.killTable[w], p.deathTable[w]}) {
        for (int i = lo; i <= hi; ++i) column[i] = row[order[i]];
        for (int i = lo; i <= hi; ++i) row[i] = column[i];
      }
    }
  }
}

// Bubble sort by descending skill of the records order[0..n-1], run on slot numbers only.
// `sinkSlot`, when not -1, is the position of a record that ranks below every other record
// wherever it moves. The exchanges are exactly those of a bubble sort of the records
// themselves, so ties and odd ratings (NaN) keep their order.
void PlayerTable::bubbleOrder(int* order, int n, int sinkSlot) const {
  // Without a NaN, skill order is a strict weak order and a bubble sort ends in the one stable
  // order, which an insertion sort finds in a single pass over a nearly sorted table (a
  // newcomer that climbs from the last slot to the first takes one pass, not 63).
  bool comparable = true;
  for (int i = 0; i < n; ++i) comparable = comparable && !std::isnan(records_[order[i]].skill);
  if (comparable) {
    const int sinkRecord = sinkSlot >= 0 ? order[sinkSlot] : -1;
    auto ranksBelow = [this, sinkRecord](int a, int b) {
      if (a == sinkRecord) return b != sinkRecord;
      if (b == sinkRecord) return false;
      return records_[a].skill < records_[b].skill;
    };
    for (int i = 1; i < n; ++i) {
      const int record = order[i];
      int j = i - 1;
      while (j >= 0 && ranksBelow(order[j], record)) {
        order[j + 1] = order[j];
        --j;
      }
      order[j + 1] = record;
    }
    return;
  }
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
        lower = records_[order[i]].skill < records_[order[i + 1]].skill;
      }
      if (lower) {
        std::swap(order[i], order[i + 1]);
        if (sinkSlot == i) sinkSlot = i + 1;
        exchanged = true;
      }
    }
  }
}

namespace {

void identityOrder(int* order, int n) {
  for (int i = 0; i < n; ++i) order[i] = i;
}

}  // namespace

void PlayerTable::bubbleSort(int sinkSlot) {
  const int n = getTotalPlayers();
  int order[MAX_PLAYERS];
  identityOrder(order, n);
  bubbleOrder(order, n, sinkSlot);
  applyOrder(order, n);
}

void PlayerRecord::appendMark(std::string_view mark) {
  if (marks.nameEnd == 0) marks.nameEnd = rawName.size();
  rawName.append(mark);
}

std::string_view PlayerRecord::loggedName() const {
  const std::string_view all = rawName.view();
  return marks.nameEnd == 0 ? all : all.substr(0, marks.nameEnd);
}

PlayerTable::PlayerTable() {
  for (PlayerRecord& p : records_) p.rawName.countChangesIn(&nameGeneration_);
  for (PlayerRecord& p : staging_) p.rawName.countChangesIn(&nameGeneration_);
  initPlayers();
}

void PlayerTable::initPlayer(int slot) {
  PlayerRecord& p = records_[slot];
  p = PlayerRecord();  // zeroes every count, table and flag
  p.name.clear();
  p.rawName.clear();
  p.quote.assign(kSentinelName);
  p.skill = kInitialRating;
  p.combat = kInitialRating;
}

void PlayerTable::initPlayers() {
  // Records filled in by hand (tests) count as used too.
  const int n = getTotalPlayers();
  if (n > slotsUsed_) slotsUsed_ = n;
  for (int s = 0; s < slotsUsed_; ++s) initPlayer(s);
  // The totals column's record and the sink may have been written whatever the count.
  for (int s = slotsUsed_ > MAX_PLAYERS ? kTableSlots : MAX_PLAYERS; s < kTableSlots; ++s) initPlayer(s);
  slotsUsed_ = 0;
}

namespace {

// The first eight bytes of a name as one word (fewer for a shorter name, the rest zero).
uint64_t headOf(std::string_view name) {
  uint64_t head = 0;
  if (name.size() >= sizeof head) {
    std::memcpy(&head, name.data(), sizeof head);
    return head;
  }
  for (std::size_t i = 0; i < name.size(); ++i) head |= uint64_t{static_cast<unsigned char>(name[i])} << (8 * i);
  return head;
}

}  // namespace

const PlayerTable::NameIndex& PlayerTable::nameIndex() const {
  NameIndex& index = index_;
  if (index.generation == nameGeneration_) return index;
  int n = 0;
  while (n < MAX_PLAYERS && !records_[n].rawName.empty()) {
    index.length[n] = static_cast<uint32_t>(records_[n].rawName.size());
    index.head[n] = headOf(records_[n].rawName.view());
    ++n;
  }
  index.count = n;
  index.generation = nameGeneration_;
  return index;
}

int PlayerTable::getPlayerIndex(std::string_view rawName) const {
  const NameIndex& index = nameIndex();
  const uint32_t len = static_cast<uint32_t>(rawName.size());
  const uint64_t head = headOf(rawName);
  for (int s = 0; s < index.count; ++s) {
    if (index.length[s] != len || index.head[s] != head) continue;
    if (records_[s].rawName == rawName) return s;
  }
  return NO_PLAYER;
}

int PlayerTable::getPlayerIndexUsingStrippedName(std::string_view name) const {
  const int n = getTotalPlayers();
  for (int s = 0; s < n; ++s) {
    if (records_[s].name == name) return s;
  }
  return NO_PLAYER;
}

int PlayerTable::addPlayer(std::string_view rawName) {
  if (rawName == kSentinelName) return NO_PLAYER;
  // An empty name is never registered, but a rename may have left a player without one.
  if (const int present = getPlayerIndex(rawName); present != NO_PLAYER || rawName.empty()) return present;

  char stripped[kTextSize + 2];
  const std::size_t strippedLen =
      stripColorCodes(rawName.substr(0, kTextSize - 1), stripped);

  int n = getTotalPlayers();
  if (n == MAX_PLAYERS) {
    consolef("Total number of Players reached MAX(%d)\n", MAX_PLAYERS);
    // The sort, then the removal of the departed player, are worked out on slot numbers and
    // the records moved once at the end: a table kept full by players who come and go would
    // otherwise move most records twice per newcomer, when mostly they end where they were.
    int order[MAX_PLAYERS];
    identityOrder(order, n);
    bubbleOrder(order, n, -1);
    int departed = -1;
    // In sorted order the last departed record is the least skilled one.
    for (int s = n - 1; s >= 0; --s) {
      if (records_[order[s]].disconnected == 1) {
        departed = s;
        break;
      }
    }
    if (departed < 0) {
      applyOrder(order, n);
      consoleWrite("Cannot add any more players\n\n");
      return NO_PLAYER;
    }
    consoleWrite("Removing disconnected player with least skill\n");
    printName("Removing-> ", records_[order[departed]].name.view(), "\n\n");
    // As removePlayer() does, on the sorted order.
    records_[order[departed]].skill = kRemovedSkill;
    bubbleOrder(order, n, departed);
    applyOrder(order, n);
    initPlayer(n - 1);
    n = getTotalPlayers();
  }
  records_[n].rawName.assign(rawName);
  records_[n].name.assign(std::string_view(stripped, strippedLen));
  if (n + 1 > slotsUsed_) slotsUsed_ = n + 1;
  return n;
}

void PlayerTable::removePlayer(int slot) {
  const int n = getTotalPlayers();
  if (slot < 0 || slot >= n) return;
  records_[slot].skill = kRemovedSkill;
  bubbleSort(slot);
  initPlayer(n - 1);
}

void PlayerTable::sort() { bubbleSort(-1); }

void PlayerTable::printPlayers() const {
  const int n = getTotalPlayers();
  consolef("TOTAL PLAYERS -> %d\n", n);
  for (int s = 0; s < n; ++s) printName(" - ", records_[s].name.view(), "\n");
}
