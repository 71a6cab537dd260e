// Name cutters: the victim's and the attacker's names as a line gives them.
#include "read/names.h"

#include "base/scratch_pool.h"
#include "base/strutil.h"
#include "read/vocabulary.h"

const char SENTINEL_NAME[] = "poiwsdkghghpoidertrtdsfkbnmcvdawhbpwqgdhomawqasdhgftvbn";

namespace {


// The game closes a name with one colour code (usually "^7"); only that one is dropped.
std::string_view trimColorCode(std::string_view name) {
  const std::size_t n = name.size();
  if (n >= 2 && name[n - 2] == '^' && name[n - 1] != '^') name.remove_suffix(2);
  return name;
}

}  // namespace

NameCut cutVictimName(const ScannedText& line) {
  // One-name messages first: a name ending in "connected" is cut there even in a kill line.
  if (line.scan.first(kSelfStrings) >= 0) {
    const int pos = line.scan.firstPos(kSelfStrings);
    return {trimColorCode(substringUncounted(line.text, 0, pos - 2)), 1};  // the separating blank goes too
  }
  if (line.scan.first(kDualStrings) >= 0) {
    const int pos = line.scan.firstPos(kDualStrings);
    return {trimColorCode(substringUncounted(line.text, 0, pos - 1)), 1};
  }
  return {kSentinelName, 0};
}

NameCut cutAttackerName(const ScannedText& line) {
  const int message = line.scan.first(kDualStrings);
  // " ate " without a weapon word is chat, and no later connector is tried instead.
  const bool ateWithoutWeapon = message >= 0 && std::string_view(dual_strings[message]) == wording::kAte &&
                                !line.has(kTextRocket) && !line.has(kTextGrenade);
  if (message >= 0 && !ateWithoutWeapon) {
    const int start = line.scan.firstPos(kDualStrings) +
                      static_cast<int>(std::string_view(dual_strings[message]).size());
    std::string_view attacker = substringUncounted(line.text, start, static_cast<int>(line.text.size()));
    const int suffix = line.scan.firstFrom(kPossessiveStrings, start);
    if (suffix >= 0) {
      const std::size_t n = std::string_view(possessive_strings[suffix]).size();
      attacker.remove_suffix(n < attacker.size() ? n : attacker.size());
    }
    return {trimColorCode(attacker), 1};
  }
  if (line.scan.first(kSuicideStrings) >= 0) return cutVictimName(line);
  return {kSentinelName, 0};
}

std::string_view getVictimName(const ScannedText& line) {
  const NameCut c = cutVictimName(line);
  storeMallocs(c.scratch);
  return c.name;
}

std::string_view getAttackerName(const ScannedText& line) {
  const NameCut c = cutAttackerName(line);
  storeMallocs(c.scratch);
  return c.name;
}

std::string_view getVictimName(std::string_view line) { return getVictimName(ScannedText(line)); }
std::string_view getAttackerName(std::string_view line) { return getAttackerName(ScannedText(line)); }
