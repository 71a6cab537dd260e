// A game record (html/<stem>game.json) as the site archives it: the figures it keeps of a game.
#include "kx-site/site_record.h"

#include "kx-index/json_reader.h"
#include "kx-index/record_reader.h"

namespace kxsite {
namespace {

using kxindex::JsonKind;
using kxindex::JsonValue;

constexpr int kRecordFormat = 1;
const char* const kTypeCodes[kGameTypeCount] = {"ffa", "tdm", "ctf", "ca"};

// Reading with a running error: the first missing or mistyped key is the one reported.
class Fields {
 public:
  explicit Fields(std::string* err) : err_(err) {}
  bool failed() const { return failed_; }

  const JsonValue* get(const JsonValue& obj, const char* key, JsonKind kind) {
    const JsonValue* v = obj.member(key);
    if (v == nullptr || v->kind != kind) return fail(key);
    return v;
  }
  int64_t integer(const JsonValue& obj, const char* key) {
    const JsonValue* v = obj.member(key);
    if (v == nullptr || v->kind != JsonKind::kNumber || !v->isInteger) return fail(key), 0;
    return v->integer;
  }
  double number(const JsonValue& obj, const char* key) {
    const JsonValue* v = get(obj, key, JsonKind::kNumber);
    return v != nullptr ? v->number : 0;
  }
  std::string string(const JsonValue& obj, const char* key) {
    const JsonValue* v = get(obj, key, JsonKind::kString);
    return v != nullptr ? v->string : std::string();
  }
  std::optional<int64_t> optionalInteger(const JsonValue& obj, const char* key) {
    const JsonValue* v = obj.member(key);
    if (v != nullptr && v->kind == JsonKind::kNull) return std::nullopt;
    return integer(obj, key);
  }
  const std::vector<JsonValue>& array(const JsonValue& obj, const char* key) {
    static const std::vector<JsonValue> kNone;
    const JsonValue* v = get(obj, key, JsonKind::kArray);
    return v != nullptr ? v->items : kNone;
  }
  std::nullptr_t fail(const std::string& what) {
    if (!failed_) *err_ = "game record: \"" + what + "\" missing or of the wrong type";
    failed_ = true;
    return nullptr;
  }

 private:
  std::string* err_;
  bool failed_ = false;
};

// A page name the site links to and renames into html/: nothing that leaves the directory.
bool plainFileName(const std::string& name) {
  if (name.empty() || name[0] == '.' || name.size() > 255) return false;
  for (char c : name) {
    if (c == '/' || c == '\\' || c == '\0' || c == '"' || c == '<' || c == '>') return false;
  }
  return true;
}

bool isFingerprint(const std::string& s) {
  if (s.size() != 32) return false;
  for (char c : s) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

int teamOf(const std::string& team) {
  if (team == "red") return 1;
  if (team == "blue") return 2;
  return 0;
}

RecordPlayer readPlayer(const JsonValue& p, Fields& f) {
  RecordPlayer out;
  out.name = f.string(p, "name");
  out.team = teamOf(f.string(p, "team"));
  out.score = f.integer(p, "score");
  out.kills = f.integer(p, "kills");
  out.deaths = f.integer(p, "deaths");
  out.suicides = f.integer(p, "suicides");
  out.teamKills = f.integer(p, "team_kills");
  out.skill = f.number(p, "skill");
  out.combat = f.number(p, "combat");
  if (const JsonValue* ctf = f.get(p, "ctf", JsonKind::kObject)) out.captures = f.integer(*ctf, "captures");
  for (const JsonValue& a : f.array(p, "awards")) {
    if (a.kind != JsonKind::kString) return f.fail("awards"), out;
    out.awards.push_back(a.string);
  }
  for (const JsonValue& w : f.array(p, "weapons")) {
    out.weapons.push_back({f.string(w, "weapon"), f.integer(w, "kills"), f.integer(w, "deaths"),
                           f.integer(w, "shots"), f.integer(w, "hits")});
  }
  for (const JsonValue& o : f.array(p, "opponents")) {
    out.opponents.push_back({f.string(o, "name"), f.integer(o, "kills"), f.integer(o, "deaths")});
  }
  return out;
}

}  // namespace

const char* gameTypeCode(GameType type) { return kTypeCodes[static_cast<int>(type)]; }

bool gameTypeOf(std::string_view code, GameType* type) {
  for (int t = 0; t < kGameTypeCount; ++t) {
    if (code == kTypeCodes[t]) {
      *type = static_cast<GameType>(t);
      return true;
    }
  }
  return false;
}

bool parseGameRecord(std::string_view json, GameRecord* out, std::string* err) {
  JsonValue root;
  if (!kxindex::readJson(json, &root, err)) {
    *err = "game record: " + *err;
    return false;
  }
  if (root.kind != JsonKind::kObject) {
    *err = "game record: not a JSON object";
    return false;
  }
  Fields f(err);
  GameRecord r;
  if (f.integer(root, "format") != kRecordFormat && !f.failed()) {
    *err = "game record: format " + std::to_string(root.member("format")->integer) + " is not known here";
    return false;
  }
  r.gameId = f.integer(root, "game_id");
  r.processed = f.string(root, "processed");
  if (const JsonValue* pages = f.get(root, "pages", JsonKind::kObject)) {
    r.mainPage = f.string(*pages, "main");
    const JsonValue* w = pages->member("weapons");
    if (w != nullptr && w->kind == JsonKind::kString) {
      r.weaponPage = w->string;
    } else if (w == nullptr || w->kind != JsonKind::kNull) {
      f.fail("weapons");
    }
  }
  if (!gameTypeOf(f.string(root, "game_type"), &r.type)) f.fail("game_type");
  r.map = f.string(root, "map");
  if (const JsonValue* log = f.get(root, "log", JsonKind::kObject)) {
    r.logName = f.string(*log, "name");
    r.logKind = f.string(*log, "kind");
    r.firstByte = f.optionalInteger(*log, "first_byte");
    r.lastByte = f.optionalInteger(*log, "last_byte");
    r.fingerprint = f.string(*log, "fingerprint");
  }
  for (const JsonValue& t : f.array(root, "teams")) {
    r.teamGame = true;
    const int score = static_cast<int>(f.integer(t, "score"));
    (f.string(t, "side") == "blue" ? r.blueScore : r.redScore) = score;
  }
  for (const JsonValue& p : f.array(root, "players")) r.players.push_back(readPlayer(p, f));
  if (f.failed()) return false;
  if (!isFingerprint(r.fingerprint)) {
    *err = "game record: the fingerprint is not 32 hexadecimal digits";
    return false;
  }
  if (!plainFileName(r.mainPage) || (!r.weaponPage.empty() && !plainFileName(r.weaponPage)) ||
      recordNameOf(r.mainPage).empty()) {
    *err = "game record: a page name that is not a plain file name of a game page";
    return false;
  }
  *out = std::move(r);
  return true;
}

std::string recordNameOf(const std::string& mainPage) { return kxindex::recordOf(mainPage); }

}  // namespace kxsite
