// Award icons: one family of a player's award flags as a row of pictures with tool-tip titles.
#include "out/award_icons.h"

#include <cstring>

#include "game/award_table.h"
#include "out/writer.h"

namespace {

constexpr AwardFamily kFamilies[] = {AwardFamily::kWeapons, AwardFamily::kAccuracy, AwardFamily::kPlayer};

bool findFamily(const char* name, AwardFamily& family) {
  if (name == nullptr) return false;
  for (AwardFamily f : kFamilies) {
    if (std::strcmp(awardFamilyName(f), name) == 0) {
      family = f;
      return true;
    }
  }
  return false;
}

// Any other value than 1 (a stray 2 included) is not an award.
bool holds(const int awards[], int slot) { return awards[slot] == 1; }

// Calls `visit` with every award of `family` that the flags hold, in the family's order.
template <typename Visit>
void forEachHeld(const int awards[], AwardFamily family, Visit visit) {
  for (int i = 0; i < awardCount(); ++i) {
    const Award& award = awardTable()[i];
    if (award.family == family && holds(awards, award.slot)) visit(award);
  }
}

}  // namespace

void htmlPrintAwards(PageWriter& w, const int awards[], const char* familyName) {
  AwardFamily family = AwardFamily::kWeapons;
  if (!findFamily(familyName, family)) return;

  bool any = false;
  forEachHeld(awards, family, [&any](const Award&) { any = true; });
  if (!any) {
    w.text("<IMG src=images/awards/blank.gif>&nbsp;");
    return;
  }
  forEachHeld(awards, family, [&w](const Award& award) {
    w.wr("<IMG src=images/awards/%s TITLE=\"%s\">&nbsp;", award.icon, award.title);
  });
}

void forEachAwardTitle(const int awards[], const std::function<void(const char*)>& title) {
  for (AwardFamily family : {AwardFamily::kPlayer, AwardFamily::kWeapons, AwardFamily::kAccuracy}) {
    forEachHeld(awards, family, [&title](const Award& award) { title(award.title); });
  }
}
