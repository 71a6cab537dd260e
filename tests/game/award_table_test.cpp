// The award table: each slot is won by the statistic it names, and nothing wins the slot without one.
#include "game/award_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/awards.h"
#include "players_test_support.h"

namespace {

using players_test::players;

constexpr int kTotals = 2;  // the totals column of the kill table with two players

// The slots Ann holds after the awards of a game in which only she did `deed`: "6" or "6 17".
std::string slotsWonBy(const std::function<void(PlayerRecord&)>& deed) {
  players_test::freshGame({"Ann", "Bob"});
  for (int i = 0; i < kTotals; ++i) players()[i].skill = players()[i].combat = 0.0f;
  deed(players()[0]);
  assignAwards(players());
  std::string won;
  for (int slot = 0; slot < kAwardSlots; ++slot) {
    EXPECT_EQ(0, players()[1].awards[slot]) << slot;  // Bob did nothing
    if (players()[0].awards[slot] == 1) won += (won.empty() ? "" : " ") + std::to_string(slot);
  }
  return won;
}

TEST(AwardTable, EachWeaponKillerSlotCountsKillsWithItsWeapon) {
  // Slot = weapon code for the gauntlet (0) to the grapple (10); telefrags and suicides win
  // nothing, and grapple accuracy (20) is never won.
  for (int w = 0; w <= 12; ++w) {
    const std::string expected = w <= 10 ? std::to_string(w) : "";
    EXPECT_EQ(expected, slotsWonBy([w](PlayerRecord& p) { p.killTable[w][kTotals] = 1; })) << w;
  }
}

TEST(AwardTable, EachAccuracySlotComparesItsWeaponsHitsPerShot) {
  EXPECT_EQ("11", slotsWonBy([](PlayerRecord& p) { p.hits[0] = 1; }));  // gauntlet: hits alone
  for (int w = 1; w <= 8; ++w) {
    EXPECT_EQ(std::to_string(11 + w), slotsWonBy([w](PlayerRecord& p) {
                p.hits[w] = 1;
                p.shots[w] = 4;
              }))
        << w;
  }
}

TEST(AwardTable, EachPlayerSlotComparesItsStatistic) {
  const struct {
    int slot;
    std::function<void(PlayerRecord&)> deed;
  } cases[] = {
      {21, [](PlayerRecord& p) { p.kills = 1; }}, {22, [](PlayerRecord& p) { p.caps = 1; }},
      {23, [](PlayerRecord& p) { p.combat = 1.0f; }}, {24, [](PlayerRecord& p) { p.skill = 1.0f; }},
      {25, [](PlayerRecord& p) { p.baseDefends = 1; }}, {26, [](PlayerRecord& p) { p.efcKillAssists = 1; }},
      {26, [](PlayerRecord& p) { p.returnAssists = 1; }}, {27, [](PlayerRecord& p) { p.killStreak = 1; }},
      {28, [](PlayerRecord& p) { p.damageGiven = 1; }},
      {29, [](PlayerRecord& p) { p.totalHits = 1; }},  // 100 x 1 / (0 + 1)
      {30, [](PlayerRecord& p) { p.fcDefendsAgr = 1; }}, {30, [](PlayerRecord& p) { p.fcDefends = 1; }},
      {31, [](PlayerRecord& p) { p.efcKills = 1; }}, {31, [](PlayerRecord& p) { p.returns = 1; }},
      {32, [](PlayerRecord& p) { p.holdKills = 1; }},
  };
  for (const auto& c : cases) EXPECT_EQ(std::to_string(c.slot), slotsWonBy(c.deed)) << c.slot;
}

TEST(AwardTable, RatingsBelowTheirThresholdWinNothing) {
  EXPECT_EQ("", slotsWonBy([](PlayerRecord& p) { p.skill = p.combat = 0.0009f; }));
  EXPECT_EQ("23 24", slotsWonBy([](PlayerRecord& p) { p.skill = p.combat = 0.002f; }));
}

}  // namespace
