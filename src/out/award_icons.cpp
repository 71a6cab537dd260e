// Award icons: one family of a player's award flags as a row of pictures with tool-tip titles.
#include "out/award_icons.h"

#include <cstddef>
#include <cstring>

#include "out/writer.h"

namespace {

struct Icon {
  int slot;
  const char* image;  // below images/awards/
  const char* title;
};

// Each family's icons in the order they are written, which is not always the slot order.
const Icon kWeaponIcons[] = {
    {0, "carnage_gauntlet.jpg", "best killer with gauntlet"},
    {1, "carnage_machine.jpg", "best killer with machine gun"},
    {2, "carnage_shot.jpg", "best killer with shot gun"},
    {3, "carnage_grenade.jpg", "best killer with grenade launcher"},
    {4, "carnage_rocket.jpg", "best killer with rocket launcher"},
    {6, "carnage_rail.jpg", "best killer with rail gun"},
    {5, "carnage_lightning.jpg", "best killer with lightning gun"},
    {7, "carnage_plasma.jpg", "best killer with plasma gun"},
    {8, "carnage_bfg.jpg", "best killer with BFG"},
    {9, "carnage_nail.jpg", "best killer with nail gun"},
    {10, "carnage_grapple.jpg", "best killer with grapple"},
};

const Icon kAccuracyIcons[] = {
    {11, "accuracy_gauntlet.jpg", "best accuracy with gauntlet"},
    {12, "accuracy_machine.jpg", "best accuracy with machine gun"},
    {13, "accuracy_shot.jpg", "best accuracy with shot gun"},
    {14, "accuracy_grenade.jpg", "best accuracy with grenade launcher"},
    {15, "accuracy_rocket.jpg", "best accuracy with rocket launcher"},
    {17, "accuracy_rail.jpg", "best accuracy with rail gun"},
    {16, "accuracy_lightning.jpg", "best accuracy with lightning gun"},
    {18, "accuracy_plasma.jpg", "best accuracy with plasma gun"},
    {19, "accuracy_bfg.jpg", "best accuracy with BFG"},
    // Never awarded, so never shown; kept so the family covers its whole slot range.
    {20, "accuracy_grapple.jpg", "best accuracy with grapple"},
};

const Icon kPlayerIcons[] = {
    {21, "player_kills.jpg", "best killer"},
    {27, "player_bloodlust.jpg", "highest kill streak"},
    {28, "player_damage.jpg", "best damage inflicter"},
    {29, "player_accuracy.jpg", "best overall accuracy"},
    {23, "player_combat.jpg", "deadliest player"},
    {22, "ctf_caps.jpg", "best flag capper"},
    {26, "ctf_assists.jpg", "best assists"},
    {30, "ctf_escort.jpg", "best escort"},
    {31, "ctf_chaser.jpg", "best flag retriever"},
    {32, "ctf_holder.jpg", "best flag holder"},
    {25, "ctf_defense.jpg", "best defender"},
    {24, "player_kalimo.jpg", "most valuable player"},
};

struct Family {
  const char* name;
  const Icon* icons;
  std::size_t count;
};

template <std::size_t N>
constexpr Family family(const char* name, const Icon (&icons)[N]) {
  return Family{name, icons, N};
}

const Family kFamilies[] = {
    family("weapons", kWeaponIcons),
    family("accuracy", kAccuracyIcons),
    family("player", kPlayerIcons),
};

const Family* findFamily(const char* name) {
  if (name == nullptr) return nullptr;
  for (const Family& f : kFamilies) {
    if (std::strcmp(f.name, name) == 0) return &f;
  }
  return nullptr;
}

// Any other value than 1 (a stray 2 included) is not an award.
bool holds(const int awards[], int slot) { return awards[slot] == 1; }

}  // namespace

void htmlPrintAwards(PageWriter& w, const int awards[], const char* familyName) {
  const Family* f = findFamily(familyName);
  if (f == nullptr) return;

  bool any = false;
  for (std::size_t i = 0; i < f->count; ++i) any = any || holds(awards, f->icons[i].slot);
  if (!any) {
    w.text("<IMG src=images/awards/blank.gif>&nbsp;");
    return;
  }
  for (std::size_t i = 0; i < f->count; ++i) {
    const Icon& icon = f->icons[i];
    if (holds(awards, icon.slot)) {
      w.wr("<IMG src=images/awards/%s TITLE=\"%s\">&nbsp;", icon.image, icon.title);
    }
  }
}

void forEachAwardTitle(const int awards[], const std::function<void(const char*)>& title) {
  for (const char* name : {"player", "weapons", "accuracy"}) {
    const Family* f = findFamily(name);
    for (std::size_t i = 0; i < f->count; ++i) {
      if (holds(awards, f->icons[i].slot)) title(f->icons[i].title);
    }
  }
}
