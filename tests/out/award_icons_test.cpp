// Award icons: each family's icons with their pictures and titles, in the order the pages show them.
#include "out/award_icons.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "html_test_support.h"

namespace {

std::string icon(const char* image, const char* title) {
  return std::string("<IMG src=images/awards/") + image + " TITLE=\"" + title + "\">&nbsp;";
}

// The icons of `pictures` (prefix + "rail" + ".jpg"), each titled "best " + its title, in turn.
std::string icons(const char* prefix, std::initializer_list<std::pair<const char*, const char*>> pictures) {
  std::string out;
  for (const auto& [picture, title] : pictures) {
    out += icon((std::string(prefix) + picture + ".jpg").c_str(), (std::string("best ") + title).c_str());
  }
  return out;
}

std::string iconsOf(const int awards[], const char* family) {
  return html_test::written(PageOptions{}, [&](PageWriter& w) { htmlPrintAwards(w, awards, family); });
}

TEST(AwardIcons, EveryFamilyInItsPageOrder) {
  int all[kAwardSlots];
  for (int& flag : all) flag = 1;
  EXPECT_EQ(icons("carnage_", {{"gauntlet", "killer with gauntlet"}, {"machine", "killer with machine gun"},
                               {"shot", "killer with shot gun"}, {"grenade", "killer with grenade launcher"},
                               {"rocket", "killer with rocket launcher"}, {"rail", "killer with rail gun"},
                               {"lightning", "killer with lightning gun"}, {"plasma", "killer with plasma gun"},
                               {"bfg", "killer with BFG"}, {"nail", "killer with nail gun"},
                               {"grapple", "killer with grapple"}}),
            iconsOf(all, "weapons"));
  EXPECT_EQ(icons("accuracy_", {{"gauntlet", "accuracy with gauntlet"}, {"machine", "accuracy with machine gun"},
                                {"shot", "accuracy with shot gun"}, {"grenade", "accuracy with grenade launcher"},
                                {"rocket", "accuracy with rocket launcher"}, {"rail", "accuracy with rail gun"},
                                {"lightning", "accuracy with lightning gun"}, {"plasma", "accuracy with plasma gun"},
                                {"bfg", "accuracy with BFG"}, {"grapple", "accuracy with grapple"}}),
            iconsOf(all, "accuracy"));
  EXPECT_EQ(icon("player_kills.jpg", "best killer") + icon("player_bloodlust.jpg", "highest kill streak") +
                icons("", {{"player_damage", "damage inflicter"}, {"player_accuracy", "overall accuracy"}}) +
                icon("player_combat.jpg", "deadliest player") +
                icons("ctf_", {{"caps", "flag capper"}, {"assists", "assists"}, {"escort", "escort"},
                               {"chaser", "flag retriever"}, {"holder", "flag holder"}, {"defense", "defender"}}) +
                icon("player_kalimo.jpg", "most valuable player"),
            iconsOf(all, "player"));
}

TEST(AwardIcons, BlankForAnEmptyFamilyNothingForAnUnknownOne) {
  int flags[kAwardSlots] = {};
  flags[24] = 1;
  flags[21] = 1;
  flags[5] = 2;  // only 1 is held
  EXPECT_EQ(icon("player_kills.jpg", "best killer") + icon("player_kalimo.jpg", "most valuable player"),
            iconsOf(flags, "player"));
  EXPECT_EQ("<IMG src=images/awards/blank.gif>&nbsp;", iconsOf(flags, "weapons"));
  EXPECT_EQ("", iconsOf(flags, "Weapons"));
}

}  // namespace
