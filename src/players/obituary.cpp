// Name cutters, name resolvers and the means-of-death classifier for obituaries and player events.
#include "players/obituary.h"

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
  int pos;
  // One-name messages first: a name ending in "connected" is cut there even in a kill line.
  if (firstOfTable(line, self_strings, &pos) >= 0) {
    return trimColorCode(substring(line, 0, pos - 2));  // the separating blank is dropped too
  }
  if (firstOfTable(line, dual_strings, &pos) >= 0) {
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

int getWeapon(std::string_view line) {
  auto has = [line](TextId id) { return hasText(line, id); };
  if (has(KX_TEXT(" was pummeled by "))) return WP_GAUNTLET;
  if (has(KX_TEXT(" was machinegunned by "))) return WP_MACHINEGUN;
  if (has(KX_TEXT(" was gunned down by "))) return WP_SHOTGUN;
  if (has(KX_TEXT("tripped on his own grenade.")) || has(KX_TEXT("tripped on her own grenade.")) ||
      has(KX_TEXT("tripped on its own grenade."))) {
    return WP_GRENADE;
  }
  if (has(KX_TEXT(" ate "))) {
    if (has(KX_TEXT("grenade")) || has(KX_TEXT("shrapnel"))) return WP_GRENADE;
  } else if (has(KX_TEXT(" was shredded by "))) {
    if (has(KX_TEXT("grenade")) || has(KX_TEXT("shrapnel"))) return WP_GRENADE;
  }
  if (has(KX_TEXT("blew himself up.")) || has(KX_TEXT("blew herself up.")) ||
      has(KX_TEXT("blew itself up."))) {
    return WP_ROCKET;
  }
  if (has(KX_TEXT(" ate "))) {
    if (has(KX_TEXT("rocket"))) return WP_ROCKET;
  } else if (has(KX_TEXT(" almost dodged ")) && has(KX_TEXT("rocket"))) {
    return WP_ROCKET;
  }
  if (has(KX_TEXT(" was electrocuted by "))) return WP_LIGHTNING;
  if (has(KX_TEXT(" was railed by "))) return WP_RAILGUN;
  if (has(KX_TEXT(" was melted by ")) && has(KX_TEXT("plasmagun"))) return WP_PLASMA;
  // Before the world deaths: "melted himself." also contains "melted.".
  if (has(KX_TEXT("melted himself.")) || has(KX_TEXT("melted herself.")) ||
      has(KX_TEXT("melted itself."))) {
    return WP_PLASMA;
  }
  if (has(KX_TEXT(" was blasted by ")) && has(KX_TEXT("BFG"))) return WP_BFG;
  if (has(KX_TEXT("should have used a smaller gun."))) return WP_BFG;
  if (has(KX_TEXT(" tried to invade "))) return WP_TELEFRAG;
  if (has(KX_TEXT("cratered.")) || has(KX_TEXT("was in the wrong place.")) ||
      has(KX_TEXT("killed itself.")) || has(KX_TEXT("killed himself.")) ||
      has(KX_TEXT("killed herself.")) || has(KX_TEXT("does a back flip into the lava.")) ||
      has(KX_TEXT("was squished.")) || has(KX_TEXT("sank like a rock.")) || has(KX_TEXT("melted."))) {
    return WP_SUICIDE;
  }
  if (has(KX_TEXT(" was impaled by "))) return WP_NAILGUN;
  if (has(KX_TEXT(" was disemboweled by "))) return WP_GRAPPLE;
  if (has(KX_TEXT("pressed the wrong button."))) return WP_LIGHTNING;
  if (has(KX_TEXT(" was swimming too close to "))) return WP_LIGHTNING;
  return WP_UNKNOWN;
}
