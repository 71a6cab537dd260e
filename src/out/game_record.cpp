// The game record written as JSON: the game, its log span and fingerprint, its teams and every player's figures.
#include "out/game_record.h"

#include <cstdio>

#include "base/strutil.h"
#include "out/award_icons.h"
#include "game/game_type.h"
#include "read/weapons.h"

namespace {

constexpr int kFormatVersion = 1;
constexpr char kRecordSuffix[] = "game.json";
constexpr char kMainSuffix[] = "main.";
// Quotes are shown up to their 61st character.
constexpr std::size_t kQuoteShown = 61;

// Writes JSON into a string: keys and values in order, commas where they belong.
class Json {
 public:
  explicit Json(std::string& out) : out_(out) {}

  void open(char bracket) {
    comma();
    out_ += bracket;
    first_ = true;
  }
  void close(char bracket) {
    out_ += bracket;
    first_ = false;
  }
  Json& key(const char* name) {
    comma();
    out_ += '"';
    out_ += name;
    out_ += "\":";
    first_ = true;  // the value follows without a comma
    return *this;
  }
  void text(std::string_view value) {
    comma();
    out_ += '"';
    for (const char c : value) {
      const unsigned char u = static_cast<unsigned char>(c);
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += c;
      } else if (u < 0x20 || u >= 0x7F) {
        // Log text is bytes: each byte outside printable ASCII is the code point of its value.
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
        out_ += escaped;
      } else {
        out_ += c;
      }
    }
    out_ += '"';
  }
  void textOrNull(std::string_view value, bool present) {
    if (present) {
      text(value);
    } else {
      raw("null");
    }
  }
  void number(long long value) { raw(std::to_string(value)); }
  void rating(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%0.2f", static_cast<double>(value));
    raw(text);
  }
  void boolean(bool value) { raw(value ? "true" : "false"); }
  void raw(std::string_view token) {
    comma();
    out_ += token;
  }

 private:
  void comma() {
    if (!first_) out_ += ',';
    first_ = false;
  }

  std::string& out_;
  bool first_ = true;
};

const char* gameTypeName(int gameType) {
  switch (gameType) {
    case GT_TDM: return "tdm";
    case GT_CTF: return "ctf";
    case GT_CA: return "ca";
    default: return "ffa";
  }
}

const char* teamName(int team) {
  if (team == TEAM_RED) return "red";
  if (team == TEAM_BLUE) return "blue";
  return "none";
}

// The plain name of a player: the logged name without colour codes, stripped as the program
// strips every name (without the scratch accounting: the record is not part of the pages).
std::string plainName(const PlayerRecord& p) {
  char plain[kTextSize];
  int scratch = 0;
  const std::size_t length = stripColorCodesUncounted(p.loggedName(), plain, &scratch);
  return std::string(plain, length);
}

void writeCtf(Json& j, const PlayerRecord& p) {
  j.key("ctf").open('{');
  const struct {
    const char* key;
    int value;
  } counts[] = {
      {"flag_touches", p.touches},
      {"captures", p.caps},
      {"returns", p.returns},
      {"carrier_kills", p.efcKills},
      {"carrier_kill_assists", p.efcKillAssists},
      {"return_assists", p.returnAssists},
      {"carrier_defends", p.fcDefends},
      {"carrier_defends_aggressive", p.fcDefendsAgr},
      {"base_defends", p.baseDefends},
      {"hold_kills", p.holdKills},
      {"defends_as_carrier", p.carrierDefends},
  };
  for (const auto& c : counts) j.key(c.key).number(c.value);
  j.close('}');
}

void writeWeapons(Json& j, const PlayerRecord& p, int n) {
  j.key("weapons").open('[');
  for (int w = 0; w < kAllWeapons; ++w) {
    const int kills = p.killTable[w][n];
    const int deaths = p.deathTable[w][n];
    // Shot and hit counts exist for the weapons of the OSP statistics only.
    const Weapon& weapon = weapons()[w];
    const int shots = weapon.reportShots ? p.shots[w] : 0;
    const int hits = weapon.reportRow != nullptr ? p.hits[w] : 0;
    if (kills == 0 && deaths == 0 && shots == 0 && hits == 0) continue;
    j.open('{');
    j.key("weapon").text(weapon.name);
    j.key("code").number(w);
    j.key("kills").number(kills);
    j.key("deaths").number(deaths);
    j.key("shots").number(shots);
    j.key("hits").number(hits);
    j.close('}');
  }
  j.close(']');
}

void writeOpponents(Json& j, const GameResult& game, int slot) {
  const PlayerRecord& p = game.players[static_cast<std::size_t>(slot)];
  const int n = static_cast<int>(game.players.size());
  j.key("opponents").open('[');
  for (int o = 0; o < n; ++o) {
    if (o == slot) continue;
    const int kills = p.killTable[kAllWeapons][o];
    const int deaths = p.deathTable[kAllWeapons][o];
    if (kills == 0 && deaths == 0) continue;
    const PlayerRecord& other = game.players[static_cast<std::size_t>(o)];
    j.open('{');
    j.key("name").text(other.loggedName());
    j.key("plain_name").text(plainName(other));
    j.key("kills").number(kills);
    j.key("deaths").number(deaths);
    j.close('}');
  }
  j.close(']');
}

void writeRival(Json& j, const char* key, const GameResult& game, int rival) {
  const bool shown = rival >= 0 && rival < static_cast<int>(game.players.size());
  j.key(key).textOrNull(shown ? plainName(game.players[static_cast<std::size_t>(rival)]) : std::string(), shown);
}

void writePlayer(Json& j, const GameResult& game, int slot) {
  const PlayerRecord& p = game.players[static_cast<std::size_t>(slot)];
  const int n = static_cast<int>(game.players.size());
  j.open('{');
  j.key("name").text(p.loggedName());
  j.key("plain_name").text(plainName(p));
  j.key("team").text(teamName(p.team));
  j.key("score").number(p.frags);
  j.key("kills").number(p.kills);
  j.key("deaths").number(p.deaths);
  j.key("suicides").number(p.suicides);
  j.key("team_kills").number(p.teamKills);
  j.key("skill").rating(p.skill);
  j.key("combat").rating(p.combat);
  j.key("kill_streak").number(p.killStreak);
  j.key("death_streak").number(p.deathStreak);
  j.key("damage_given").number(p.damageGiven);
  j.key("damage_received").number(p.damageReceived);
  j.key("shots").number(p.totalShots);
  j.key("hits").number(p.totalHits);
  writeCtf(j, p);
  j.key("awards").open('[');
  forEachAwardTitle(p.awards, [&j](const char* title) { j.text(title); });
  j.close(']');
  writeWeapons(j, p, n);
  writeOpponents(j, game, slot);
  writeRival(j, "nemesis", game, game.worstEnemy[static_cast<std::size_t>(slot)]);
  writeRival(j, "favourite_victim", game, game.easiestPrey[static_cast<std::size_t>(slot)]);
  const bool quoted = p.quote != kSentinelName;
  const std::string_view quote = p.quote.view();
  j.key("quote").textOrNull(quote.substr(0, kQuoteShown), quoted);
  j.key("marks").open('{');
  j.key("left").boolean(p.marks.left);
  j.key("rejoined").number(p.marks.rejoined);
  j.key("merged_with").textOrNull(p.marks.mergedWith.view(), !p.marks.mergedWith.empty());
  j.key("team_guessed").boolean(p.marks.teamGuessed);
  j.key("blank_name").boolean(p.marks.blankName);
  j.close('}');
  j.close('}');
}

// "2026-12-06,12-22-20" as "2026-12-06T12:22:20".
std::string isoStamp(std::string_view stamp) {
  std::string iso(stamp);
  if (iso.size() == 19 && iso[10] == ',') {
    iso[10] = 'T';
    iso[13] = ':';
    iso[16] = ':';
  }
  return iso;
}

}  // namespace

std::string gameRecordName(std::string_view mainPage, std::string_view extension) {
  std::string stem(mainPage);
  const std::size_t suffix = (sizeof kMainSuffix - 1) + extension.size();
  if (stem.size() >= suffix) stem.resize(stem.size() - suffix);
  return stem + kRecordSuffix;
}

void writeGameRecord(const GameResult& game, std::string_view mainPage, std::string_view weaponPage,
                     std::string& out) {
  Json j(out);
  j.open('{');
  j.key("format").number(kFormatVersion);
  j.key("game_id").number(game.gameId);
  j.key("processed").text(isoStamp(game.runStamp.view()));
  j.key("pages").open('{');
  j.key("main").text(mainPage);
  j.key("weapons").textOrNull(weaponPage, !weaponPage.empty());
  j.close('}');
  j.key("label").text(game.label.view());
  j.key("game_type").text(gameTypeName(game.gameType));
  j.key("map").text(game.mapName.view());

  j.key("log").open('{');
  j.key("name").text(game.logName.view());
  j.key("kind").text(game.serverLog ? "server" : "client");
  // Lines read from the pre-parser's output without its offsets have offsets in that file only.
  if (!game.spanInLog) {
    j.key("first_byte").raw("null");
    j.key("last_byte").raw("null");
  } else {
    j.key("first_byte").number(static_cast<long long>(game.firstByte));
    j.key("last_byte").number(static_cast<long long>(game.lastByte));
  }
  j.key("fingerprint").text(game.fingerprint);
  j.close('}');

  j.key("teams").open('[');
  if (isTeamGameType(game.gameType)) {
    for (const int team : {TEAM_RED, TEAM_BLUE}) {
      j.open('{');
      j.key("side").text(teamName(team));
      j.key("score").number(game.teamScore(team));
      j.key("players").number(game.teamPlayers(team));
      j.close('}');
    }
  }
  j.close(']');

  j.key("players").open('[');
  for (int s = 0; s < static_cast<int>(game.players.size()); ++s) writePlayer(j, game, s);
  j.close(']');
  j.close('}');
  out += '\n';
}
