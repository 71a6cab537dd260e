// Page file names: the shared stem of a game's two pages, filtered for a file name, and their suffixes.
#include "out/page_names.h"

#include <cstdio>
#include <cstring>

#include "base/strutil.h"
#include "game/game_result.h"

namespace {

constexpr char kStemStart[] = "kalimostats_";
constexpr char kMainPageSuffix[] = "main.";
constexpr char kWeaponPageSuffix[] = "wpn.";
constexpr std::size_t kMaxFileName = 255;  // NAME_MAX of Linux file systems

}  // namespace

PageNames pageNames(const GameResult& game, std::string_view extension) {
  char gameId[16];
  std::snprintf(gameId, sizeof gameId, "%d", game.gameId);
  Text510 stem;
  stem.assign(kStemStart);
  stem.append(game.runStamp.view());
  stem.append("_");
  stem.append(gameId);
  stem.append("_");

  // A very long game label (clan tags made of absurdly long names) is cut so that the longer
  // of the two page names still fits both our 510-byte names and the file system's limit on a
  // file name; otherwise one odd game would end the run for all the games after it.
  const std::size_t reserved = stem.size() + 1 /* final '_' */ + (sizeof kMainPageSuffix - 1) +
                               extension.size();
  const std::size_t limit = Text510::kCapacity < kMaxFileName ? Text510::kCapacity : kMaxFileName;
  const std::string_view label = game.label.view();
  std::size_t labelLen = label.size();
  const std::size_t room = reserved < limit ? limit - reserved : 0;
  if (labelLen > room) labelLen = room;

  stem.append(label.substr(0, labelLen));
  stem.append("_");
  char filtered[kTextSize];
  std::memcpy(filtered, stem.c_str(), stem.size() + 1);
  stripIllegalFilenameChars(filtered);

  PageNames names;
  names.main = filtered;
  names.weapon = filtered;
  names.main.append(kMainPageSuffix);
  names.main.append(extension);
  names.weapon.append(kWeaponPageSuffix);
  names.weapon.append(extension);
  return names;
}
