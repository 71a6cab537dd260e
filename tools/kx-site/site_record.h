// A game record (html/<stem>game.json) as the site archives it: the figures it keeps of a game.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kx-site/site_model.h"

namespace kxsite {

struct RecordWeapon {
  std::string weapon;
  int64_t kills = 0, deaths = 0, shots = 0, hits = 0;
};

struct RecordOpponent {
  std::string name;  // as logged
  int64_t kills = 0, deaths = 0;
};

struct RecordPlayer {
  std::string name;       // as logged, colour codes kept
  int team = 0;           // 0 none, 1 red, 2 blue
  int64_t score = 0, kills = 0, deaths = 0, suicides = 0, teamKills = 0, captures = 0;
  double skill = 0, combat = 0;
  std::vector<std::string> awards;
  std::vector<RecordWeapon> weapons;
  std::vector<RecordOpponent> opponents;
};

struct GameRecord {
  int64_t gameId = 0;        // of the run that wrote it
  std::string processed;     // "YYYY-MM-DDTHH:MM:SS"
  std::string mainPage, weaponPage;  // weaponPage empty without one
  GameType type = GameType::kFreeForAll;
  std::string map;
  std::string logName, logKind;
  std::optional<int64_t> firstByte, lastByte;
  std::string fingerprint;   // 32 lower-case hexadecimal digits
  bool teamGame = false;
  int redScore = 0, blueScore = 0;
  std::vector<RecordPlayer> players;
};

// The record's short name for a game type ("ffa", "tdm", "ctf", "ca") and back; false for
// another text.
const char* gameTypeCode(GameType type);
bool gameTypeOf(std::string_view code, GameType* type);

// Reads a record's text. False with the reason when it is not JSON, is of another format
// version, lacks a key it needs, or names a page that is not a plain file name.
bool parseGameRecord(std::string_view json, GameRecord* out, std::string* err);

// The record's file name for a main page's ("..._main.html" gives "..._game.json").
std::string recordNameOf(const std::string& mainPage);

}  // namespace kxsite
