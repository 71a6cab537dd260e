// The player record and the table of one game's players.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/fixed_string.h"
#include "read/names.h"

constexpr int MAX_PLAYERS = 64;   // slots 0..63 hold players
constexpr int kTableSlots = 66;   // plus the totals column 64 and the sink slot 65
constexpr int NO_PLAYER = 65;     // answer of every failed lookup; absorbs updates sent to it

constexpr int TEAM_NONE = 0;
constexpr int TEAM_RED = 1;
constexpr int TEAM_BLUE = 2;

constexpr int kWeaponRows = 15;   // weapon codes 0..12 counted, 13 all weapons, 14 unknown
constexpr int kAllWeapons = 13;
constexpr int kAwardSlots = 33;

// A rawName: a Text510 whose every change is counted by the table that holds it, so that
// lookups by name can keep a compact index of the table and know when to rebuild it.
class PlayerName : public Text510 {
 public:
  PlayerName() = default;
  PlayerName(const PlayerName& other) : Text510(other), changes_(other.changes_) { counted(); }
  // Keeps its own table: a record copied into a slot is counted by the slot's table.
  PlayerName& operator=(const PlayerName& other) {
    Text510::operator=(other);
    counted();
    return *this;
  }
  PlayerName& operator=(std::string_view text) {
    assign(text);
    return *this;
  }
  void clear() {
    Text510::clear();
    counted();
  }
  void assign(std::string_view text) {
    Text510::assign(text);
    counted();
  }
  void append(std::string_view text) {
    Text510::append(text);
    counted();
  }
  void syncLength() {
    Text510::syncLength();
    counted();
  }
  // Where this name's changes are counted (the table's counter).
  void countChangesIn(unsigned long* changes) { changes_ = changes; }

 private:
  void counted() {
    if (changes_ != nullptr) ++*changes_;
  }
  unsigned long* changes_ = nullptr;
};

// What the marks appended to a rawName say, kept beside it so that an output other than the
// pages never reads them back out of the markup.
struct PlayerMarks {
  std::size_t nameEnd = 0;  // rawName's length before its first mark; 0: no mark
  bool left = false;
  int rejoined = 0;         // the number of the mark of a re-entry on the other team
  bool teamGuessed = false;
  bool blankName = false;
  Text510 mergedWith;       // the cut name of the record a merge joined into this one
};

struct PlayerRecord {
  Text510 name;         // colour codes removed
  PlayerName rawName;   // as logged; the record's identity; empty = free slot
  Text510 quote;
  int disconnected;
  int frags;
  int killStreak;
  int currentKillStreak;
  int deathStreak;
  int currentDeathStreak;
  int suicides;
  int kills;
  int deaths;
  int killTable[kWeaponRows][kTableSlots];   // [weapon][victim slot]
  int deathTable[kWeaponRows][kTableSlots];  // [weapon][killer slot]
  int haveFlag;
  int holdKills;
  int touches;
  int caps;
  int returns;
  int efcKills;
  int carrierDefends;
  int efcKillAssists;
  int returnAssists;
  int fcDefends;
  int fcDefendsAgr;
  int baseDefends;
  int team;
  int teamKills;
  float skill;
  float combat;
  int awards[kAwardSlots];
  int damageGiven;
  int damageReceived;
  int hits[9];
  int totalHits;
  int shots[9];  // index = weapon code 1..8; [0] unused (the gauntlet has no shot count)
  int totalShots;
  PlayerMarks marks;

  // Appends a mark to rawName, noting where the logged name ended.
  void appendMark(std::string_view mark);
  // The name as logged: rawName without its marks.
  std::string_view loggedName() const;
};

// The players of one game: 64 slots, occupied from 0 without a gap, the totals column 64 and
// the sink 65 that absorbs updates addressed to nobody. Large (about 1.4 MB): kept on the heap.
class PlayerTable {
 public:
  PlayerTable();
  PlayerTable(const PlayerTable&) = delete;
  PlayerTable& operator=(const PlayerTable&) = delete;

  PlayerRecord& operator[](int slot) { return records_[slot]; }
  const PlayerRecord& operator[](int slot) const { return records_[slot]; }

  // Clears every slot (start of the run and every game boundary).
  void initPlayers();
  // Gives every field of `slot` its initial value (skill and combat 10.0, quote = sentinel).
  void initPlayer(int slot);

  // Index of the first free slot among 0..63, 64 when all are taken: the player count N.
  int getTotalPlayers() const { return nameIndex().count; }
  // First slot below N whose rawName equals `rawName`; NO_PLAYER when none does.
  int getPlayerIndex(std::string_view rawName) const;
  // First slot below N whose name equals `name`; NO_PLAYER when none does.
  int getPlayerIndexUsingStrippedName(std::string_view name) const;

  // Registers a player under `rawName` unless it is empty, the sentinel or already present.
  // A full table evicts the least skilled departed player, or refuses with a message.
  // Returns the player's slot as getPlayerIndex() would find it afterwards (NO_PLAYER for the
  // sentinel or a refusal); a slot returned before a later registration moved the records is
  // to be looked up again.
  int addPlayer(std::string_view rawName);
  // Takes `slot` out of the table: it is sorted to the end and cleared; the others keep
  // their table cells against it.
  void removePlayer(int slot);
  // Stable bubble sort by descending skill; per-opponent columns move with their players.
  void sort();
  // "TOTAL PLAYERS -> N" and one " - name" line per player.
  void printPlayers() const;

  // Changes of any rawName in the table so far: unchanged, no slot was taken, freed or renamed.
  unsigned long nameGeneration() const { return nameGeneration_; }

 private:
  // The names of the occupied slots in a compact form (length and first bytes), with the
  // count, as they stood at one name generation: lookups read this instead of 9.6 KB records.
  struct NameIndex {
    unsigned long generation = ~0ul;
    int count = 0;
    std::uint32_t length[MAX_PLAYERS];
    std::uint64_t head[MAX_PLAYERS];
  };
  const NameIndex& nameIndex() const;
  void applyOrder(const int* order, int n);
  void bubbleOrder(int* order, int n, int sinkSlot) const;
  void bubbleSort(int sinkSlot);

  PlayerRecord records_[kTableSlots];
  PlayerRecord staging_[MAX_PLAYERS];  // records on their way to new slots in a sort
  unsigned long nameGeneration_ = 0;
  // Slots occupied at some time in this game: the records above are untouched since the
  // last clear, so a clear need not go further.
  int slotsUsed_ = kTableSlots;
  mutable NameIndex index_;
};
