// The game types as page labels and game records name them, and as the index shows them.
#include "kx-index/index_row.h"

namespace kxindex {

namespace {

struct GameType {
  const char* labelPrefix;
  const char* recordKey;
  const char* shown;
};

const GameType kGameTypes[] = {
    {"FFA_", "ffa", "free for all"},
    {"TDM_", "tdm", "team deathmatch"},
    {"CTF_", "ctf", "capture the flag"},
    {"CA_", "ca", "Clan Arena"},
};

}  // namespace

std::string gameTypeOfLabel(const std::string& label) {
  for (const GameType& t : kGameTypes) {
    if (label.rfind(t.labelPrefix, 0) == 0) return t.shown;
  }
  return "unknown";
}

std::string gameTypeOfKey(const std::string& key) {
  for (const GameType& t : kGameTypes) {
    if (key == t.recordKey) return t.shown;
  }
  return std::string();
}

}  // namespace kxindex
