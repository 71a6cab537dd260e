// The awards: what each one compares, how it is won, its icon and its title, in the order the pages show them.
#pragma once

struct PlayerRecord;

// The groups of icons a page shows apart; each covers a range of award slots.
enum class AwardFamily { kWeapons, kAccuracy, kPlayer };

enum class AwardRule {
  kCount,           // integer statistic; all holders of the maximum, nobody when it is 0
  kWeaponAccuracy,  // hits per shot of one weapon; holders within 0.001 of the maximum
  kPoints,          // exact maximum of a real-valued statistic, if above the threshold
  kNever,           // shown in its family's range but never awarded
};

// A statistic of one player; `totals` is the totals column of the kill table (the player count).
using AwardStatistic = double (*)(const PlayerRecord& p, int totals);

struct Award {
  int slot;  // the player's flag: PlayerRecord::awards[slot]
  AwardFamily family;
  const char* icon;   // picture below images/awards/
  const char* title;  // its tool-tip
  AwardRule rule;
  AwardStatistic stat;  // kCount and kPoints
  int weapon;           // kWeaponAccuracy: the weapon code
  double threshold;     // kWeaponAccuracy and kPoints: no award when the maximum is at most this
};

// Every award, family by family (weapons, accuracy, player), each family in the order its
// icons are written; every slot of the flags appears exactly once.
const Award* awardTable();
int awardCount();

// The family's name as page writers select it: "weapons", "accuracy", "player".
const char* awardFamilyName(AwardFamily family);
