// Takes what the index shows of a game out of its JSON game record.
#include "kx-index/record_reader.h"

#include <utility>
#include <vector>

#include "kx-index/json_reader.h"

namespace kxindex {

namespace {

constexpr const char kMainEnd[] = "main.";
constexpr const char kRecordEnd[] = "game.json";
constexpr const char kStemStart[] = "kalimostats_";
// The keys the index reads, at any depth; the rest of a record is checked but not kept.
const std::vector<std::string_view> kKeysRead = {"format", "processed", "game_type", "map", "teams",
                                                 "players", "side", "score", "plain_name", "team"};

bool endsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// Finds the keys the index needs, noting the first one missing or of another type, and where:
// at the top, or in the element `at(array, index)` names.
class RecordCheck {
 public:
  explicit RecordCheck(std::string* err) : err_(err) {}

  void at(const char* array, std::size_t index) {
    array_ = array;
    index_ = index;
  }
  const JsonValue* get(const JsonValue& object, const char* key, JsonKind kind) {
    const JsonValue* v = object.member(key);
    if (v == nullptr || v->kind != kind || (kind == JsonKind::kNumber && !v->isInteger)) {
      fail(place() + key + (v == nullptr ? " is missing" : " is not " + kindName(kind)));
      return nullptr;
    }
    return v;
  }
  // The element of the current array as an object; nullptr when it is none.
  const JsonValue* element(const JsonValue& item) {
    if (item.kind == JsonKind::kObject) return &item;
    std::string where = place();
    where.pop_back();
    fail(where + " is not an object");
    return nullptr;
  }
  bool ok() const { return ok_; }
  void fail(const std::string& reason) {
    if (ok_) *err_ = reason;
    ok_ = false;
  }
  std::string place() const {
    return array_ == nullptr ? std::string() : std::string(array_) + "[" + std::to_string(index_) + "].";
  }

 private:
  static std::string kindName(JsonKind kind) {
    switch (kind) {
      case JsonKind::kNumber: return "an integer";
      case JsonKind::kString: return "a string";
      case JsonKind::kArray: return "an array";
      case JsonKind::kObject: return "an object";
      default: return "of its type";
    }
  }

  std::string* err_;
  bool ok_ = true;
  const char* array_ = nullptr;
  std::size_t index_ = 0;
};

// "2001-08-10T12:00:00" -> "2001-08-10 12:00:00"; empty for any other shape.
std::string shownProcessed(const std::string& s) {
  static const char kShape[] = "dddd-dd-ddTdd:dd:dd";
  if (s.size() != sizeof kShape - 1) return std::string();
  for (std::size_t i = 0; i < s.size(); ++i) {
    const bool digit = s[i] >= '0' && s[i] <= '9';
    if (kShape[i] == 'd' ? !digit : s[i] != kShape[i]) return std::string();
  }
  std::string shown = s;
  shown[10] = ' ';
  return shown;
}

}  // namespace

std::string recordOf(const std::string& mainFileName) {
  const std::size_t main = mainFileName.rfind(kMainEnd);
  if (main == std::string::npos) return std::string();
  return mainFileName.substr(0, main) + kRecordEnd;
}

bool isRecordName(const std::string& fileName) {
  return fileName.rfind(kStemStart, 0) == 0 && endsWith(fileName, std::string("_") + kRecordEnd);
}

bool readGameRecord(std::string_view json, GameRow* row, std::string* err) {
  JsonValue record;
  if (!readJson(json, &record, err, &kKeysRead)) return false;
  if (record.kind != JsonKind::kObject) {
    *err = "not a JSON object";
    return false;
  }
  RecordCheck check(err);
  const JsonValue* format = check.get(record, "format", JsonKind::kNumber);
  const JsonValue* processed = check.get(record, "processed", JsonKind::kString);
  const JsonValue* gameType = check.get(record, "game_type", JsonKind::kString);
  const JsonValue* map = check.get(record, "map", JsonKind::kString);
  const JsonValue* teams = check.get(record, "teams", JsonKind::kArray);
  const JsonValue* players = check.get(record, "players", JsonKind::kArray);
  if (!check.ok()) return false;
  GameRow r = *row;
  r.date = shownProcessed(processed->string);
  r.type = gameTypeOfKey(gameType->string);
  if (format->integer < 1) check.fail("format " + std::to_string(format->integer) + " is not a version");
  if (r.date.empty()) check.fail("processed is not a time YYYY-MM-DDTHH:MM:SS");
  if (r.type.empty()) check.fail("game_type \"" + gameType->string + "\" is not a game type");
  r.teamGame = gameType->string != "ffa";
  r.map = map->string;
  r.redScore.clear();
  r.blueScore.clear();
  for (std::size_t i = 0; i < teams->items.size() && check.ok(); ++i) {
    check.at("teams", i);
    const JsonValue* team = check.element(teams->items[i]);
    const JsonValue* side = team == nullptr ? nullptr : check.get(*team, "side", JsonKind::kString);
    const JsonValue* score = team == nullptr ? nullptr : check.get(*team, "score", JsonKind::kNumber);
    if (!check.ok()) break;
    if (side->string == "red") {
      r.redScore = std::to_string(score->integer);
    } else if (side->string == "blue") {
      r.blueScore = std::to_string(score->integer);
    } else {
      check.fail(check.place() + "side \"" + side->string + "\" is neither red nor blue");
    }
  }
  r.red.clear();
  r.blue.clear();
  r.others.clear();
  r.winners.clear();
  long long best = 0;
  for (std::size_t i = 0; i < players->items.size() && check.ok(); ++i) {
    check.at("players", i);
    const JsonValue* player = check.element(players->items[i]);
    const JsonValue* name = player == nullptr ? nullptr : check.get(*player, "plain_name", JsonKind::kString);
    const JsonValue* team = player == nullptr ? nullptr : check.get(*player, "team", JsonKind::kString);
    const JsonValue* score = player == nullptr ? nullptr : check.get(*player, "score", JsonKind::kNumber);
    if (!check.ok()) break;
    std::vector<Player>* side = team->string == "red"    ? &r.red
                                : team->string == "blue" ? &r.blue
                                : team->string == "none" ? &r.others
                                                         : nullptr;
    if (side == nullptr) {
      check.fail(check.place() + "team \"" + team->string + "\" is not red, blue or none");
      break;
    }
    // A team game's page lists the players without a team only when its configuration asks
    // for it (and then without links); the index lists the teams.
    if (r.teamGame && side == &r.others) continue;
    side->push_back(Player{name->string, std::to_string(score->integer)});
    if (r.teamGame) continue;
    if (r.winners.empty() || score->integer > best) {
      r.winners.clear();
      best = score->integer;
    }
    if (score->integer == best) r.winners.push_back(side->back());
  }
  if (!check.ok()) return false;
  r.complete = true;  // a record is written after the pages it describes are in place
  *row = std::move(r);
  return true;
}

}  // namespace kxindex
