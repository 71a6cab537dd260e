// Name cutters, name resolvers and the means-of-death classifier for obituaries and player events.
#include "players/obituary.h"

#include <initializer_list>

#include "log/text_match.h"
#include "log/vocabulary.h"
#include "players/player_table.h"
#include "run/strutil.h"

namespace {

// Tested in this order; the game ends its possessive obituaries with them.
const char* const kPossessives[] = {
    "'s personal space", "'s grenade", "'s shrapnel", "'s plasmagun", "'s rocket",
    "'s BFG", "'s shower of nails", "'s grappling hook", nullptr};

// The game closes a name with one colour code (usually "^7"); only that one is dropped.
std::string_view trimColorCode(std::string_view name) {
  const std::size_t n = name.size();
  if (n >= 2 && name[n - 2] == '^' && name[n - 1] != '^') name.remove_suffix(2);
  return name;
}

bool isAteWithoutWeapon(std::string_view line) {
  return !hasText(line, KX_TEXT("rocket")) && !hasText(line, KX_TEXT("grenade"));
}

int slotOf(std::string_view name) {
  if (name == kSentinelName) return NO_PLAYER;
  return getPlayerIndex(name);
}

}  // namespace

std::string_view getVictimName(std::string_view line) {
  const TextScan& texts = scanTexts(line);
  int pos;
  // One-name messages first: a name ending in "connected" is cut there even in a kill line.
  if (texts.firstOf(self_strings, &pos) >= 0) {
    return trimColorCode(substring(line, 0, pos - 2));  // the separating blank is dropped too
  }
  if (texts.firstOf(dual_strings, &pos) >= 0) {
    return trimColorCode(substring(line, 0, pos - 1));
  }
  return kSentinelName;
}

std::string_view getAttackerName(std::string_view line) {
  int pos;
  const int message = firstOfTable(line, dual_strings, &pos);
  // " ate " without a weapon word is chat, and no later connector is tried instead.
  if (message >= 0 && !(std::string_view(dual_strings[message]) == " ate " && isAteWithoutWeapon(line))) {
    const int start = pos + static_cast<int>(std::string_view(dual_strings[message]).size());
    std::string_view attacker = substring(line, start, static_cast<int>(line.size()));
    const int suffix = firstOfTable(attacker, kPossessives);
    if (suffix >= 0) {
      const std::size_t cut = std::string_view(kPossessives[suffix]).size();
      attacker.remove_suffix(cut < attacker.size() ? cut : attacker.size());
    }
    return trimColorCode(attacker);
  }
  if (firstOfTable(line, suicide_strings) >= 0) return getVictimName(line);
  return kSentinelName;
}

int getVictim(std::string_view line) { return slotOf(getVictimName(line)); }

int getAttacker(std::string_view line) { return slotOf(getAttackerName(line)); }

namespace {

// Every text the means-of-death tests ask about, registered before any line is scanned.
struct WeaponTexts {
  TextId pummeled = textId(" was pummeled by ");
  TextId machinegunned = textId(" was machinegunned by ");
  TextId gunnedDown = textId(" was gunned down by ");
  TextId trippedHis = textId("tripped on his own grenade.");
  TextId trippedHer = textId("tripped on her own grenade.");
  TextId trippedIts = textId("tripped on its own grenade.");
  TextId ate = textId(" ate ");
  TextId grenade = textId("grenade");
  TextId shrapnel = textId("shrapnel");
  TextId shredded = textId(" was shredded by ");
  TextId blewHim = textId("blew himself up.");
  TextId blewHer = textId("blew herself up.");
  TextId blewIt = textId("blew itself up.");
  TextId rocket = textId("rocket");
  TextId almostDodged = textId(" almost dodged ");
  TextId electrocuted = textId(" was electrocuted by ");
  TextId railed = textId(" was railed by ");
  TextId meltedBy = textId(" was melted by ");
  TextId plasmagun = textId("plasmagun");
  TextId meltedHim = textId("melted himself.");
  TextId meltedHer = textId("melted herself.");
  TextId meltedIt = textId("melted itself.");
  TextId blasted = textId(" was blasted by ");
  TextId bfg = textId("BFG");
  TextId smallerGun = textId("should have used a smaller gun.");
  TextId invade = textId(" tried to invade ");
  TextId worldDeaths[9] = {textId("cratered."), textId("was in the wrong place."),
                           textId("killed itself."), textId("killed himself."),
                           textId("killed herself."), textId("does a back flip into the lava."),
                           textId("was squished."), textId("sank like a rock."), textId("melted.")};
  TextId impaled = textId(" was impaled by ");
  TextId disemboweled = textId(" was disemboweled by ");
  TextId wrongButton = textId("pressed the wrong button.");
  TextId swimming = textId(" was swimming too close to ");
};

}  // namespace

int getWeapon(std::string_view line) {
  static const WeaponTexts w;
  const TextScan& t = scanTexts(line);
  auto any = [&t](std::initializer_list<TextId> ids) {
    for (TextId id : ids)
      if (t.has(id)) return true;
    return false;
  };
  if (t.has(w.pummeled)) return WP_GAUNTLET;
  if (t.has(w.machinegunned)) return WP_MACHINEGUN;
  if (t.has(w.gunnedDown)) return WP_SHOTGUN;
  if (any({w.trippedHis, w.trippedHer, w.trippedIts})) return WP_GRENADE;
  if (t.has(w.ate) || t.has(w.shredded)) {
    if (t.has(w.grenade) || t.has(w.shrapnel)) return WP_GRENADE;
  }
  if (any({w.blewHim, w.blewHer, w.blewIt})) return WP_ROCKET;
  if (t.has(w.ate)) {
    if (t.has(w.rocket)) return WP_ROCKET;
  } else if (t.has(w.almostDodged) && t.has(w.rocket)) {
    return WP_ROCKET;
  }
  if (t.has(w.electrocuted)) return WP_LIGHTNING;
  if (t.has(w.railed)) return WP_RAILGUN;
  if (t.has(w.meltedBy) && t.has(w.plasmagun)) return WP_PLASMA;
  // Before the world deaths: "melted himself." also contains "melted.".
  if (any({w.meltedHim, w.meltedHer, w.meltedIt})) return WP_PLASMA;
  if (t.has(w.blasted) && t.has(w.bfg)) return WP_BFG;
  if (t.has(w.smallerGun)) return WP_BFG;
  if (t.has(w.invade)) return WP_TELEFRAG;
  for (TextId id : w.worldDeaths)
    if (t.has(id)) return WP_SUICIDE;
  if (t.has(w.impaled)) return WP_NAILGUN;
  if (t.has(w.disemboweled)) return WP_GRAPPLE;
  if (t.has(w.wrongButton)) return WP_LIGHTNING;
  if (t.has(w.swimming)) return WP_LIGHTNING;
  return WP_UNKNOWN;
}
