// Turns a dedicated server's log, line by line, into the client-console form our reader knows.
#include "converter.h"

#include <cstdio>
#include <cstring>

#include "hex_colour.h"
#include "means.h"
#include "read/vocabulary.h"
#include "read/weapons.h"

namespace {

// Lines that end a game for our reader. A match that ended by a limit gets the client's
// words for that limit; any other end (a vote, an empty server, a map unloaded without an
// Exit line) gets the client's shutdown line, which ends a game just the same.
constexpr const char kClShutdown[] = "----- CL_Shutdown -----";
// Ends a warm-up: our reader drops everything recorded since the last game ended.
constexpr const char kMatchBegun[] = "^3Match has begun!";
// A flag event with an empty name (the line starts with the blank after the name): our
// reader counts it for no player of the game.
constexpr const char* kNobodysFlagEvent = wording::kDefendsRedBase;

struct ExitText {
  const char* reason;  // start of the Exit line's text
  const char* line;
};
// "Fraglimit hit in arena 0" (CPMA) is matched by its start. Our reader has no round limit;
// its points limit is the nearest rule that ends a match.
constexpr ExitText kExitTexts[] = {
    {"Timelimit hit", "Timelimit hit."},
    {"Fraglimit hit", "hit the fraglimit."},
    {"Capturelimit hit", "hit the capturelimit."},
    {"Pointlimit hit", "Pointlimit hit."},
    {"Roundlimit hit", "Pointlimit hit."},
};

constexpr const char kNameEnd[] = "^7";
constexpr const char kUnnamed[] = "UnnamedPlayer";

const char* teamWord(int team) { return team == 1 ? "RED" : "BLUE"; }
const char* entrySuffix(int team) {
  if (team == 1) return " (^1RED^7)";
  if (team == 2) return " (^4BLUE^7)";
  return "";
}
bool isTeam(int team) { return team == 1 || team == 2; }


// The flag events written for flag touches and carrier kills, and every Flag_* line.
constexpr FlagLineText kPickup{"Flag_Pickup", true, wording::kGotRedFlag, wording::kGotBlueFlag, false};
constexpr FlagLineText kCapture{"Flag_Capture", true, wording::kCapturedRedFlag, wording::kCapturedBlueFlag,
                                true};
constexpr FlagLineText kReturn{"Flag_Return", false, wording::kReturnedRedFlag, wording::kReturnedBlueFlag,
                               false};
constexpr FlagLineText kCarrierFrag{"Kill_Carrier", true, wording::kFraggedRedCarrier,
                                    wording::kFraggedBlueCarrier, false};
// Flag_ReturnWorld (the flag went home by itself) names no actor of ours and is left out.
constexpr FlagLineText kFlagLineTexts[] = {
    kPickup,
    kCapture,
    kReturn,
    kCarrierFrag,
    {"Defend_Base", false, wording::kDefendsRedBase, wording::kDefendsBlueBase, false},
    {"Defend_Flag", false, wording::kDefendsRedFlag, wording::kDefendsBlueFlag, false},
    {"Defend_Carrier", false, wording::kDefendsRedCarrier, wording::kDefendsBlueCarrier, false},
    {"Defend_Hurt_Carrier", false, wording::kDefendsRedCarrierAgr, wording::kDefendsBlueCarrierAgr, false},
    {"Flag_Assist_Return", false, wording::kAssistReturningRed, wording::kAssistReturningBlue, false},
};

// Weapon names of the Weapon_Stats lines (compared without case: OSP writes "MachineGun",
// Excessive Plus "Machinegun") and what they are to our reader: a weapon, whose record carries
// the keyword of its report row, or a damage total. The gauntlet has no one-line row; armour,
// health and team damage have no field of ours.
constexpr int kDamageTotal = -1;
struct StatsRow {
  const char* serverName;
  int weapon;                 // kDamageTotal for a damage amount
  const char* damageKeyword;  // the keyword of a damage total
};
constexpr StatsRow kStatsRows[] = {
    {"machinegun", WP_MACHINEGUN, nullptr}, {"shotgun", WP_SHOTGUN, nullptr},
    {"g.launcher", WP_GRENADE, nullptr},    {"r.launcher", WP_ROCKET, nullptr},
    {"lightning", WP_LIGHTNING, nullptr},   {"lightninggun", WP_LIGHTNING, nullptr},
    {"railgun", WP_RAILGUN, nullptr},       {"plasmagun", WP_PLASMA, nullptr},
    {"bfg", WP_BFG, nullptr},               {"given", kDamageTotal, "Given"},
    {"recvd", kDamageTotal, "Recvd"},
};

bool sameNoCase(std::string_view a, const char* lower) {
  const std::size_t n = std::strlen(lower);
  if (a.size() != n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    char c = a[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lower[i]) return false;
  }
  return true;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// One output line, built in a fixed buffer; anything beyond it is cut.
class LineText {
 public:
  LineText& add(std::string_view s) {
    const std::size_t room = sizeof buf_ - len_;
    const std::size_t n = s.size() < room ? s.size() : room;
    std::memcpy(buf_ + len_, s.data(), n);
    len_ += n;
    return *this;
  }
  LineText& addInt(int value) {
    char digits[16];
    const int n = std::snprintf(digits, sizeof digits, "%d", value);
    return add(std::string_view(digits, n > 0 ? static_cast<std::size_t>(n) : 0));
  }
  std::string_view view() const { return {buf_, len_}; }

 private:
  char buf_[512];
  std::size_t len_ = 0;
};

// The client number at the start of `fields`, or -1 when there is none in range.
int clientOf(std::string_view& fields) {
  int c = -1;
  if (!readInt(fields, c) || c < 0 || c >= kMaxClients) return -1;
  return c;
}

// The leading decimal number of a value, skipping anything before it ("= 0" is 0); -1 if none.
int leadingNumber(std::string_view value) {
  while (!value.empty() && (value.front() < '0' || value.front() > '9')) value.remove_prefix(1);
  int n = -1;
  if (!readInt(value, n)) return -1;
  return n;
}

// Kinds that carry nothing for our reader, by the reason the summary counts them under.
struct SkippedKind {
  const char* kind;
  Skip reason;
};
constexpr SkippedKind kSkippedKinds[] = {
    {"say", Skip::kChat},     {"sayteam", Skip::kChat},   {"tell", Skip::kChat},
    {"red", Skip::kScore},    {"Score", Skip::kScore},
};

constexpr const char* kSkipNames[] = {
    "lines that are no events", "chat lines", "item pick-ups", "score lines", "lines of other kinds",
    "deaths no text represents", "events after the end of a match", "flag events of unknown clients",
    "client numbers reused without a disconnect", "games cut off by the end of the log",
    "captures that did not score",
};
static_assert(sizeof kSkipNames / sizeof kSkipNames[0] == static_cast<int>(Skip::kCount),
              "one name per reason");

// The map an admin's command loads: "map cpm1a", "devmap q3dm17"; empty for anything else.
std::string_view mapCommand(std::string_view command) {
  for (std::string_view verb : {std::string_view("map "), std::string_view("devmap ")}) {
    if (startsWith(command, verb)) {
      std::string_view map = command.substr(verb.size());
      while (!map.empty() && map.front() == ' ') map.remove_prefix(1);
      std::size_t end = 0;
      while (end < map.size() && map[end] != ' ') ++end;
      return map.substr(0, end);
    }
  }
  return {};
}

}  // namespace

const char* skipName(Skip reason) { return kSkipNames[static_cast<int>(reason)]; }

void NameText::set(std::string_view text) {
  len_ = 0;
  append(text);
}

void NameText::append(std::string_view text) {
  const std::size_t n = text.size() < kBytes - len_ ? text.size() : kBytes - len_;
  std::memcpy(text_ + len_, text.data(), n);
  len_ += n;
  text_[len_] = '\0';
}

const Converter::KindHandler Converter::kHandlers[] = {
    {"Kill", &Converter::onKill},
    {"Item", &Converter::onItem},
    {"ClientUserinfoChanged", &Converter::onUserinfo},
    {"ClientBegin", &Converter::onClientBegin},
    {"ClientConnect", &Converter::onClientConnect},
    {"ClientDisconnect", &Converter::onClientDisconnect},
    {"Weapon_Stats", &Converter::onWeaponStats},
    {"InitGame", &Converter::onInitGame},
    {"ShutdownGame", &Converter::onShutdownGame},
    {"Exit", &Converter::onExit},
    {"Warmup", &Converter::onWarmup},
    {"Game_Start", &Converter::onGameStart},
    {"Rcon", &Converter::onRcon},
    {"TeamScore", &Converter::onTeamScore},
    {"score", &Converter::onScore},
};

Converter::Converter(LineSink& out, const FlagLineGames* flagGames)
    : out_(out), flagGames_(flagGames) {
  flagLines_ = flagGames_ != nullptr && flagGames_->usesFlagLines(0);
}

void Converter::feed(std::string_view line) {
  ++linesRead_;
  // Excessive Plus names carry "^xRRGGBB" colours, which our reader would show as text.
  if (hasHexColour(line)) line = toGameColours(line, recoloured_, sizeof recoloured_);
  ServerLine s;
  if (!readServerLine(line, s)) {
    skip(Skip::kNotAnEvent);
    return;
  }
  // The statistics of a leaving player follow his disconnect; anything else lets it go.
  if (pendingDisconnect_ >= 0 && s.kind != "Weapon_Stats") flushPendingDisconnect();
  for (const KindHandler& h : kHandlers) {
    if (s.kind == h.kind) {
      (this->*h.handler)(s.fields);
      return;
    }
  }
  for (const FlagLineText& f : kFlagLineTexts) {
    if (s.kind == f.kind) {
      onFlagLine(s.fields, f);
      return;
    }
  }
  for (const SkippedKind& k : kSkippedKinds) {
    if (s.kind == k.kind) {
      skip(k.reason);
      return;
    }
  }
  skip(Skip::kOtherKind);
}

void Converter::finish() {
  flushPendingDisconnect();
  if (pendingEnd_ == nullptr && playerLines_ > 0) skip(Skip::kGameCutOff);
  flushPendingEnd();
}

// ---- games ----------------------------------------------------------------------------

void Converter::onInitGame(std::string_view fields) {
  pendingMap_ = NameText{};  // the map this line names is the one loaded
  closeServerGame();
  ++serverGames_;
  resetClients();
  resetFlags();
  warmup_ = false;
  for (int team = 1; team <= 2; ++team) {
    teamScore_[team] = 0;
    scored_[team] = false;
  }
  flagLines_ = flagGames_ != nullptr && flagGames_->usesFlagLines(serverGames_);
  bool hasType = false;
  const std::string_view type = infoValue(fields, "g_gametype", &hasType);
  gametype_ = hasType ? leadingNumber(type) : -1;
  writeMap(infoValue(fields, "mapname"));
}

void Converter::writeMap(std::string_view map) {
  if (map.size() > kMaxNameBytes) map = map.substr(0, kMaxNameBytes);
  if (map.empty()) return;
  LineText t;
  t.add("Current map: ").add(map);
  out_.writeLine(t.view());
}

void Converter::onShutdownGame(std::string_view) { closeServerGame(); }

void Converter::onExit(std::string_view fields) {
  if (pendingEnd_ != nullptr) return;
  if (warmup_) {
    pendingEnd_ = kMatchBegun;
    return;
  }
  pendingEnd_ = kClShutdown;
  for (const ExitText& e : kExitTexts) {
    if (startsWith(fields, e.reason)) {
      pendingEnd_ = e.line;
      break;
    }
  }
}

// A warm-up runs until the match starts (Game_Start) or the map is unloaded. Whatever was
// played before it in the same map was a game of its own and is ended first.
void Converter::onWarmup(std::string_view) {
  if (warmup_) return;
  if (pendingEnd_ == nullptr && playerLines_ > 0) closeClientGame(kClShutdown);
  warmup_ = true;
}

// A match starts. After a warm-up everything recorded during it is dropped. CPMA plays
// match after match on one map: a match that ended is closed now, and one that was abandoned
// without an Exit line is closed as a game of its own.
void Converter::onGameStart(std::string_view) {
  if (warmup_) {
    closeClientGame(pendingEnd_ != nullptr ? pendingEnd_ : kMatchBegun);
    warmup_ = false;
    return;
  }
  flushPendingDisconnect();
  flushPendingEnd();
  closeClientGame(kClShutdown);
}

// CPMA loads the map an admin asks for ("Rcon from 1.2.3.4: map cpm1a") without an InitGame
// line in its console log; the next match is played there. The map is written as soon as our
// reader's current game is over, so it names the next game, not the one still open.
void Converter::onRcon(std::string_view fields) {
  const std::string_view map = mapCommand(fields);
  if (map.empty()) {
    skip(Skip::kOtherKind);
    return;
  }
  if (pendingEnd_ == nullptr && playerLines_ == 0) {
    writeMap(map);
  } else {
    pendingMap_.set(map.substr(0, kMaxNameBytes));
  }
}

void Converter::closeClientGame(const char* boundary) {
  if (playerLines_ > 0) {
    // Our reader takes a game for capture the flag at its first flag event. A capture-the-flag
    // game in which no flag was touched gets one flag line that names nobody, so that it is
    // still shown as capture the flag (0 to 0), not as a team deathmatch.
    if (gametype_ == 4 && !flagEventWritten_ && boundary != kMatchBegun) {
      LineText t;
      t.add(" ").add(kNobodysFlagEvent);
      out_.writeLine(t.view());
    }
    for (Departed& d : departed_) writeDisconnect(d);
    giveFinalScores();
    out_.writeLine(boundary);
    if (boundary == kMatchBegun) {
      ++warmupsDropped_;
    } else {
      ++gamesHandedOn_;
    }
  }
  for (Departed& d : departed_) d = Departed{};
  playerLines_ = 0;
  eventsStarted_ = false;
  flagEventWritten_ = false;
  pendingEnd_ = nullptr;
  for (Client& c : clients_) c.inGame = false;
  for (FinalScore& f : finalScores_) f = FinalScore{};
  resetFlags();
  if (!pendingMap_.empty()) {
    writeMap(pendingMap_.view());
    pendingMap_ = NameText{};
  }
}

void Converter::closeServerGame() {
  flushPendingDisconnect();
  if (pendingEnd_ != nullptr) {
    closeClientGame(pendingEnd_);
  } else {
    closeClientGame(warmup_ ? kMatchBegun : kClShutdown);
  }
  warmup_ = false;
}

void Converter::flushPendingEnd() {
  if (pendingEnd_ != nullptr) closeClientGame(pendingEnd_);
}

// ---- clients --------------------------------------------------------------------------

void Converter::onClientConnect(std::string_view fields) {
  const int c = clientOf(fields);
  if (c < 0) return;
  // A number still in use changes hands only after a disconnect; a log that lost that line
  // still gives the old player his leave.
  if (clients_[c].connected && known(c)) {
    skip(Skip::kReusedClient);
    if (pendingDisconnect_ == c) pendingDisconnect_ = -1;
    depart(c);
  }
  dropFlagsOf(c);
  clients_[c] = Client{};
  clients_[c].connected = true;
}

void Converter::onUserinfo(std::string_view fields) {
  const int c = clientOf(fields);
  if (c < 0) return;
  while (!fields.empty() && fields.front() == ' ') fields.remove_prefix(1);
  Client& cl = clients_[c];
  cl.connected = true;

  bool hasName = false;
  std::string_view name = infoValue(fields, "n", &hasName);
  if (hasName) {
    if (name.empty()) name = kUnnamed;  // the server never lets a name be empty
    if (name.size() > kMaxNameBytes) name = name.substr(0, kMaxNameBytes);
    if (cl.name.empty()) {
      cl.name.set(name);
      cl.firstName.set(name);
      chooseWrittenName(c);
    } else if (name != cl.name.view()) {
      cl.name.set(name);
      rename(c);
    }
  }

  bool hasTeam = false;
  const std::string_view teamText = infoValue(fields, "t", &hasTeam);
  int team = cl.team;
  if (hasTeam) {
    std::string_view v = teamText;
    if (!readInt(v, team) || team < 0 || team > 3) team = cl.team;
  }
  if (team != cl.team) {
    dropFlagsOf(c);
    cl.team = team;
    if (pendingEnd_ == nullptr && cl.inGame && isTeam(team)) {
      LineText t;
      t.add(nameOf(c)).add(kNameEnd).add(" is on team ").add(teamWord(team));
      emit(t.view());
    }
  }
  // A spectator who joins the play after his ClientBegin enters the game now.
  if (eventsStarted_ && pendingEnd_ == nullptr && cl.begun) announce(c);
}

void Converter::chooseWrittenName(int c) {
  Client& cl = clients_[c];
  for (Departed& d : departed_) {
    if (d.client < 0) continue;
    if (d.name.view() == cl.name.view() || (d.client == c && d.firstName.view() == cl.name.view())) {
      cl.written = d.written;
      cl.inGame = true;
      d = Departed{};
      ++reconnects_;
      // Back under the name he first connected with: his row follows him to it.
      rename(c);
      return;
    }
  }
  ownName(c, cl.name.view());
}

// A player our reader knows in this game is renamed; anyone else simply gets the new name
// for his next line.
void Converter::rename(int c) {
  Client& cl = clients_[c];
  const NameText before = cl.written;
  ownName(c, cl.name.view());
  if (before.view() == cl.written.view()) return;
  if (cl.inGame && pendingEnd_ == nullptr) {
    LineText t;
    t.add(before.view()).add(kNameEnd).add(wording::kRenamedTo).add(cl.written.view()).add(kNameEnd);
    emit(t.view());
  }
}

void Converter::ownName(int c, std::string_view name) {
  Client& cl = clients_[c];
  cl.written.set(name);
  for (int other = 0; other < kMaxClients; ++other) {
    if (other == c || !clients_[other].connected || clients_[other].written.view() != name) continue;
    char number[8];
    const int n = std::snprintf(number, sizeof number, "(%d)", c);
    cl.written.append(kNameEnd);
    cl.written.append(std::string_view(number, n > 0 ? static_cast<std::size_t>(n) : 0));
    return;
  }
}

// Players entering after the end of a match belong to the next one (CPMA plays several
// matches on one map). Before the first event of a game entries are only noted: a game in
// which nothing happens writes no line, so it gives our reader no game of idle players.
void Converter::onClientBegin(std::string_view fields) {
  const int c = clientOf(fields);
  if (c < 0) return;
  clients_[c].begun = true;
  clients_[c].connected = true;
  flushPendingEnd();
  if (eventsStarted_) announce(c);
}

void Converter::onClientDisconnect(std::string_view fields) {
  const int c = clientOf(fields);
  if (c < 0) return;
  Client& cl = clients_[c];
  dropFlagsOf(c);
  cl.begun = false;
  cl.connected = false;
  // After the match has ended a player leaving changes nothing for the ended game, and his
  // record must keep its name for the statistics lines still to come.
  if (pendingEnd_ != nullptr) return;
  if (!cl.inGame) {
    clients_[c] = Client{};
    return;
  }
  pendingDisconnect_ = c;
}

void Converter::flushPendingDisconnect() {
  const int c = pendingDisconnect_;
  if (c < 0) return;
  pendingDisconnect_ = -1;
  depart(c);
  clients_[c] = Client{};
}

void Converter::depart(int c) {
  Client& cl = clients_[c];
  if (!cl.inGame || pendingEnd_ != nullptr) return;
  Departed* slot = &departed_[0];
  for (Departed& d : departed_) {
    if (d.client < 0) {
      slot = &d;
      break;
    }
  }
  // No room to wait for another return: the first of those away leaves for good now.
  if (slot->client >= 0) writeDisconnect(*slot);
  slot->name = cl.name;
  slot->firstName = cl.firstName;
  slot->written = cl.written;
  slot->client = c;
  cl.inGame = false;
}

void Converter::writeDisconnect(Departed& d) {
  if (d.client < 0) return;
  LineText t;
  t.add(d.written.view()).add(kNameEnd).add(" disconnected");
  out_.writeLine(t.view());
  ++playerLines_;
  d = Departed{};
}

void Converter::startEvent() {
  flushPendingDisconnect();
  flushPendingEnd();
  if (eventsStarted_) return;
  eventsStarted_ = true;
  for (int c = 0; c < kMaxClients; ++c) {
    if (clients_[c].begun) announce(c);
  }
}

void Converter::announce(int c) {
  Client& cl = clients_[c];
  if (cl.inGame || !known(c) || cl.team == 3) return;
  LineText t;
  t.add(nameOf(c)).add(kNameEnd).add(" entered the game").add(entrySuffix(cl.team));
  emit(t.view());
  cl.inGame = true;
}

void Converter::emit(std::string_view text) {
  flushPendingDisconnect();
  flushPendingEnd();
  out_.writeLine(text);
  ++playerLines_;
}

void Converter::resetClients() {
  for (Client& c : clients_) c = Client{};
  for (Departed& d : departed_) d = Departed{};
  pendingDisconnect_ = -1;
}

// ---- deaths ---------------------------------------------------------------------------

void Converter::onKill(std::string_view fields) {
  KillFields k;
  if (!readKill(fields, k) || k.victim < 0 || k.victim >= kMaxClients) {
    skip(Skip::kNotAnEvent);
    return;
  }
  // Between the end of a match and the next one nothing counts.
  if (pendingEnd_ != nullptr) {
    skip(Skip::kAfterMatch);
    return;
  }
  const bool killerIsPlayer = k.killer >= 0 && k.killer < kMaxClients;
  const bool self = killerIsPlayer && k.killer == k.victim;
  const int v = k.victim;
  const bool victimCarried = carrier_[1] == v || carrier_[2] == v;

  // The names the server keeps for the client numbers; the line's own names only when a log
  // starts in the middle of a game and a number was never introduced.
  const auto nameFor = [this](int c, std::string_view lineName) {
    if (known(c)) return nameOf(c);
    return lineName.substr(0, kMaxNameBytes);
  };

  const ClientObituary obituary = clientObituary(k.means, self, killerIsPlayer);
  const char* oneName = obituary.oneName;
  const char* twoName = obituary.twoName;
  const std::string_view victimName = nameFor(v, k.victimName);
  const std::string_view killerName = twoName != nullptr ? nameFor(k.killer, k.killerName) : "";
  if ((oneName == nullptr && twoName == nullptr) || victimName.empty() ||
      (twoName != nullptr && killerName.empty())) {
    skip(Skip::kDeathLeftOut);
  } else {
    if (!known(v) || (twoName != nullptr && !known(k.killer))) ++deathsOfUnknownClients_;
    startEvent();
    announce(v);
    if (twoName != nullptr) announce(k.killer);
    LineText t;
    t.add(victimName).add(kNameEnd);
    if (oneName != nullptr) {
      t.add(" ").add(oneName);
    } else {
      t.add(twoName).add(killerName).add(kNameEnd).add(obituary.ending);
    }
    emit(t.view());
    ++deathsWritten_;
    // The obituary itself makes our reader hold a record of each name it carries.
    if (known(v)) clients_[v].inGame = true;
    if (twoName != nullptr && known(k.killer)) clients_[k.killer].inGame = true;
  }

  // Flag carriers killed by the other team, for games that log only the flag touches.
  if (!flagLines_ && victimCarried && killerIsPlayer && !self && known(k.killer) &&
      isTeam(clients_[v].team) && isTeam(clients_[k.killer].team) &&
      clients_[v].team != clients_[k.killer].team) {
    writeFlagEvent(k.killer, kCarrierFrag, clients_[v].team);
  }
  dropFlagsOf(v);
}

// ---- flags ----------------------------------------------------------------------------

void Converter::writeFlagEvent(int c, const FlagLineText& text, int colour) {
  if (!known(c)) return;
  startEvent();
  announce(c);
  LineText t;
  t.add(nameOf(c)).add(kNameEnd).add(" ").add(colour == 1 ? text.red : text.blue);
  emit(t.view());
  clients_[c].inGame = true;
  flagEventWritten_ = true;
}

// On a stock server the only flag lines are the touches, "Item: 2 team_CTF_blueflag". The
// game lets a player touch the enemy flag (a pick-up), his own flag where it lies dropped (a
// return), or his own flag at home while he carries the enemy flag (a capture). A carrier's
// touch of his own flag is taken as a capture whatever we believe of that flag: a dropped
// flag often goes home without a line (a carrier dying in the void or lava, a flag falling
// off the map), and a carrier who does return his own flag on the way goes on to capture,
// which comes out as the same capture and the same return.
void Converter::onItem(std::string_view fields) {
  if (flagLines_ || (gametype_ >= 0 && gametype_ != 4)) {
    skip(Skip::kItem);
    return;
  }
  const int c = clientOf(fields);
  if (c < 0) {
    skip(Skip::kNotAnEvent);
    return;
  }
  while (!fields.empty() && fields.front() == ' ') fields.remove_prefix(1);
  int colour = 0;
  if (startsWith(fields, "team_CTF_redflag")) colour = 1;
  if (startsWith(fields, "team_CTF_blueflag")) colour = 2;
  if (colour == 0) {
    skip(Skip::kItem);
    return;
  }
  if (pendingEnd_ != nullptr) {
    skip(Skip::kAfterMatch);
    return;
  }
  if (!known(c)) {
    skip(Skip::kUnknownClient);
    return;
  }
  const int team = clients_[c].team;
  if (!isTeam(team)) return;

  if (team != colour) {
    carrier_[colour] = c;
    writeFlagEvent(c, kPickup, colour);
    return;
  }
  const int enemy = 3 - colour;
  if (carrier_[enemy] == c) {
    carrier_[enemy] = -1;
    writeFlagEvent(c, kCapture, enemy);
  } else {
    writeFlagEvent(c, kReturn, colour);
  }
}

void Converter::onFlagLine(std::string_view fields, const FlagLineText& text) {
  if (pendingEnd_ != nullptr) {
    skip(Skip::kAfterMatch);
    return;
  }
  const int c = clientOf(fields);
  if (c < 0) return;
  if (!known(c)) {
    skip(Skip::kUnknownClient);
    return;
  }
  const int team = clients_[c].team;
  if (!isTeam(team)) return;
  // A server that logs its team scores tells which captures counted: one without a rise of
  // the team's score (Excessive Plus, with nobody on the other team) did not.
  if (text.capture && flagGames_ != nullptr && flagGames_->logsTeamScores()) {
    if (!scored_[team]) {
      skip(Skip::kCaptureNotScored);
      return;
    }
    scored_[team] = false;
  }
  writeFlagEvent(c, text, text.enemyColour ? 3 - team : team);
}

// "TeamScore: 1 4 Stroggs": the red team has 4 points now.
void Converter::onTeamScore(std::string_view fields) {
  int team = 0;
  int points = 0;
  if (!readInt(fields, team) || !isTeam(team) || !readInt(fields, points)) {
    skip(Skip::kScore);
    return;
  }
  if (points > teamScore_[team]) scored_[team] = true;
  teamScore_[team] = points;
  skip(Skip::kScore);
}

// "score: 45  ping: 5  client: 5 Oootsimo" after the end of a match: the server's final score
// of client 5. The server counts points its log never shows (baseq3 gives them for defences
// and assists in capture the flag), so the page takes the server's figure; it goes to the sink
// with the match's end line, never into the converted log, where it would be an event.
void Converter::onScore(std::string_view fields) {
  skip(Skip::kScore);
  int score = 0;
  if (!readInt(fields, score)) return;
  const std::size_t at = fields.find("client:");
  if (at == std::string_view::npos) return;
  std::string_view rest = fields.substr(at + 7);
  const int c = clientOf(rest);
  if (c < 0 || pendingEnd_ == nullptr || pendingEnd_ == kMatchBegun || !clients_[c].inGame) return;
  FinalScore& f = finalScores_[c];
  f.written = clients_[c].written;
  f.score = score;
  f.given = true;
}

void Converter::giveFinalScores() {
  for (FinalScore& f : finalScores_) {
    if (!f.given) continue;
    out_.serverScore(f.written.view(), f.score);
    ++serverScores_;
  }
}

void Converter::dropFlagsOf(int c) {
  for (int colour = 1; colour <= 2; ++colour) {
    if (carrier_[colour] == c) carrier_[colour] = -1;
  }
}

void Converter::resetFlags() {
  carrier_[1] = -1;
  carrier_[2] = -1;
}

// ---- statistics -----------------------------------------------------------------------

void Converter::onWeaponStats(std::string_view fields) {
  const int c = clientOf(fields);
  if (c < 0) {
    flushPendingDisconnect();
    return;
  }
  if (pendingDisconnect_ == c) {
    writeAccuracy(c, fields);
    flushPendingDisconnect();
    return;
  }
  flushPendingDisconnect();
  // Only a player our reader holds a record of can take the figures; an ended match keeps
  // its records until its end line, which waits for these lines.
  if (clients_[c].inGame) writeAccuracy(c, fields);
}
// "MachineGun:2947:409:0:0 Shotgun:253:48:5:2 ... Given:9374 Recvd:7378 Armor:810": a weapon
// token is name:shots:hits:pick-ups:drops, a damage token name:amount. Each becomes one
// record: name + "^7 accuracy statistics " + keyword + shots and hits, or + the amount.
void Converter::writeAccuracy(int c, std::string_view stats) {
  while (!stats.empty()) {
    while (!stats.empty() && stats.front() == ' ') stats.remove_prefix(1);
    std::size_t end = 0;
    while (end < stats.size() && stats[end] != ' ') ++end;
    std::string_view token = stats.substr(0, end);
    stats.remove_prefix(end);

    const std::size_t colon = token.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string_view name = token.substr(0, colon);
    std::string_view numbers = token.substr(colon + 1);
    const StatsRow* row = nullptr;
    for (const StatsRow& r : kStatsRows) {
      if (sameNoCase(name, r.serverName)) {
        row = &r;
        break;
      }
    }
    if (row == nullptr) continue;
    int first = 0;
    int second = 0;
    if (!readInt(numbers, first)) continue;
    const bool isWeapon = row->weapon != kDamageTotal;
    if (isWeapon) {
      if (numbers.empty() || numbers.front() != ':') continue;
      numbers.remove_prefix(1);
      if (!readInt(numbers, second)) continue;
      if (first == 0 && second == 0) continue;
    } else if (first == 0) {
      continue;
    }
    const char* keyword = isWeapon ? weapons()[row->weapon].reportRow : row->damageKeyword;
    LineText t;
    t.add(nameOf(c)).add(kNameEnd).add(" accuracy statistics ").add(keyword).add(" ").addInt(first);
    if (isWeapon) t.add(" ").addInt(second);
    out_.writeLine(t.view());
    ++playerLines_;
  }
}
