// Turns a client console log of the Excessive Plus kind into the OSP client form our reader knows.
#include "client_log.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "read/client_clock.h"
#include "read/vocabulary.h"
#include "hex_colour.h"

namespace {

using client_clock::skipColours;

// Moves `text` past a clock and the blank after it; leaves it unchanged when it does not start
// with one.
void skipClock(std::string_view& text) { text.remove_prefix(client_clock::prefixLength(text)); }

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The mod's wording (colour resets already written as "^7") and the OSP client's, which
// follows the name and a blank. From the mod's text on, the rest of the line is replaced: the
// times it appends ("(5.450s)") go.
struct ClientText {
  const char* mod;
  const char* osp;
};
constexpr ClientText kClientTexts[] = {
    {" entered the game. (^4BLUE^7)", "entered the game (^4BLUE^7)"},
    {" entered the game. (^1RED^7)", "entered the game (^1RED^7)"},
    {" entered the game.", "entered the game"},
    {" got ^4BLUE^7's flag!", wording::kGotBlueFlag},
    {" got ^1RED^7's flag!", wording::kGotRedFlag},
    {" captured ^4BLUE^7's flag!", wording::kCapturedBlueFlag},
    {" captured ^1RED^7's flag!", wording::kCapturedRedFlag},
    {" returned ^4BLUE^7's flag!", wording::kReturnedBlueFlag},
    {" returned ^1RED^7's flag!", wording::kReturnedRedFlag},
    {" fragged ^4BLUE^7's flag carrier!", wording::kFraggedBlueCarrier},
    {" fragged ^1RED^7's flag carrier!", wording::kFraggedRedCarrier},
};

// Messages with a second name after them. The mod closes such a line with a full stop, which
// our reader would take for the end of the second name.
constexpr const char* kTwoNameTexts[] = {
    wording::kDisemboweled, wording::kSwimming,      wording::kImpaled,   wording::kPummeled,
    wording::kMachinegunned, wording::kGunnedDown,   wording::kShredded,  wording::kAlmostDodged,
    wording::kAte,          wording::kElectrocuted,  wording::kRailed,    wording::kMeltedBy,
    wording::kBlasted,      wording::kInvade,        wording::kRenamedTo,
};

// The lines that end a match for our reader.
constexpr const char* kMatchEnds[] = {
    "Timelimit hit.", "Pointlimit hit.", "hit the capturelimit.", "hit the fraglimit.", "wins the match: ",
};

constexpr const char* kClientSkipNames[] = {"lines written twice", "statistics lines of the mod",
                                            "capture lines the mod's scoreboard does not count"};
static_assert(sizeof kClientSkipNames / sizeof kClientSkipNames[0] == static_cast<int>(ClientSkip::kCount),
              "one name per reason");

void append(std::vector<char>& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

std::string_view view(const std::vector<char>& text) { return {text.data(), text.size()}; }

// The mod's "^xRRGGBB" colours in the game's own codes, before anything else reads the line, so
// that a name reads the same in the events, the scoreboard and the lines written.
std::string_view recolour(std::string_view line, std::vector<char>& buffer) {
  if (!hasHexColour(line)) return line;
  buffer.resize(line.size());
  return toGameColours(line, buffer.data(), buffer.size());
}

}  // namespace

const char* clientSkipName(ClientSkip reason) { return kClientSkipNames[static_cast<int>(reason)]; }

bool cleanClientLine(std::string_view line, std::vector<char>& out, ClientSkip& reason) {
  out.clear();
  if (startsWith(line, "^\\")) {
    reason = ClientSkip::kRepeated;
    return false;
  }
  skipClock(line);
  if (startsWith(line, "[skipnotify]")) {
    reason = ClientSkip::kStatistics;
    return false;
  }
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '^' && i + 1 < line.size() && (line[i + 1] == 's' || line[i + 1] == '7')) {
      // "^s" is the mod's colour reset; a reset right after a reset adds nothing.
      if (out.size() >= 2 && out[out.size() - 2] == '^' && out.back() == '7') {
        ++i;
        continue;
      }
      append(out, "^7");
      ++i;
      continue;
    }
    out.push_back(line[i]);
  }
  return true;
}

bool endsMatch(std::string_view cleaned) {
  for (const char* end : kMatchEnds) {
    if (cleaned.find(end) != std::string_view::npos) return true;
  }
  return false;
}

std::string_view toOspWords(std::string_view cleaned, std::vector<char>& written) {
  std::string_view text = cleaned;
  written.clear();
  for (const ClientText& t : kClientTexts) {
    const std::size_t at = text.find(t.mod);
    if (at != std::string_view::npos) {
      append(written, text.substr(0, at));
      append(written, " ");
      append(written, t.osp);
      text = view(written);
      break;
    }
  }
  if (!text.empty() && text.back() == '.') {
    for (const char* two : kTwoNameTexts) {
      if (text.find(two) != std::string_view::npos) {
        text.remove_suffix(1);
        break;
      }
    }
  }
  return text;
}

namespace {

std::string withoutColours(std::string_view name) {
  std::string plain;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '^' && i + 1 < name.size()) {
      ++i;
    } else {
      plain.push_back(name[i]);
    }
  }
  return plain;
}

// The name before `at` in an OSP line, without the one colour reset our reader trims.
std::string_view nameBefore(std::string_view text, std::size_t at) {
  std::string_view name = text.substr(0, at);
  if (name.size() >= 2 && name.substr(name.size() - 2) == "^7") name.remove_suffix(2);
  return name;
}

// The OSP events that tell a player's side: the text after the name and a blank, and the side
// of the player it names.
struct SideText {
  const char* text;
  int team;  // 0 red, 1 blue
  bool capture;
};
constexpr SideText kSideTexts[] = {
    {wording::kCapturedBlueFlag, 0, true},    {wording::kCapturedRedFlag, 1, true},
    {wording::kGotBlueFlag, 0, false},        {wording::kGotRedFlag, 1, false},
    {wording::kReturnedRedFlag, 0, false},    {wording::kReturnedBlueFlag, 1, false},
    {wording::kFraggedBlueCarrier, 0, false}, {wording::kFraggedRedCarrier, 1, false},
    {"entered the game (^1RED^7)", 0, false}, {"entered the game (^4BLUE^7)", 1, false},
};

// Where " " + `wording` first occurs in `text` (the blank's position); npos when it does not.
std::size_t findAfterBlank(std::string_view text, std::string_view wording) {
  for (std::size_t at = text.find(wording); at != std::string_view::npos; at = text.find(wording, at + 1)) {
    if (at > 0 && text[at - 1] == ' ') return at - 1;
  }
  return std::string_view::npos;
}

// Added lines stay far below our reader's 509-byte pieces.
constexpr std::size_t kMaxAddedName = 400;

void trimBlanks(std::string_view& text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
}

}  // namespace

ClientMatchPlan::Seen* ClientMatchPlan::Match::find(const std::string& player) {
  for (auto& [name, seen] : players) {
    if (name == player) return &seen;
  }
  return nullptr;
}

ClientMatchPlan::Match& ClientMatchPlan::current() {
  if (matches_.size() <= static_cast<std::size_t>(ended_)) matches_.resize(static_cast<std::size_t>(ended_) + 1);
  return matches_[static_cast<std::size_t>(ended_)];
}

ClientMatchPlan::Match* ClientMatchPlan::lastEnded() {
  return ended_ == 0 ? nullptr : &matches_[static_cast<std::size_t>(ended_ - 1)];
}

void ClientMatchPlan::scanLine(std::string_view line) {
  ++lineNumber_;
  line = recolour(line, recoloured_);
  ClientSkip reason;
  if (!cleanClientLine(line, cleaned_, reason)) {
    // The statistics block is left out of the output but holds the map and the scoreboard.
    if (reason != ClientSkip::kStatistics || lastEnded() == nullptr) return;
    std::string_view rest = line;
    skipClock(rest);
    rest.remove_prefix(std::string_view("[skipnotify]").size());
    scanStatistics(rest);
    return;
  }
  capColumn_ = -1;
  const std::string_view text = toOspWords(view(cleaned_), written_);
  if (endsMatch(text)) {
    current().endLine = lineNumber_;
    ++ended_;
    return;
  }
  // "^1RED^7 team wins 15 to 13": the result of the match that just ended.
  const std::size_t wins = text.find(" team wins ");
  if (wins != std::string_view::npos && lastEnded() != nullptr) {
    const std::string winner = withoutColours(text.substr(0, wins));
    int won = -1;
    int lost = -1;
    if ((winner == "RED" || winner == "BLUE") &&
        std::sscanf(std::string(text.substr(wins + 11)).c_str(), "%d to %d", &won, &lost) == 2 && won >= 0 &&
        lost >= 0) {
      const int w = winner == "RED" ? kRed : kBlue;
      lastEnded()->result[w] = won;
      lastEnded()->result[1 - w] = lost;
    }
    return;
  }
  scanEvent(text);
}

void ClientMatchPlan::scanStatistics(std::string_view line) {
  std::string_view text = line;
  skipColours(text);
  if (startsWith(text, "Map:")) {
    text.remove_prefix(4);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    skipColours(text);
    std::size_t end = 0;
    while (end < text.size() && text[end] != ' ' && text[end] != '^') ++end;
    if (end > 0) lastEnded()->map.assign(text.substr(0, end < kMaxNameBytes ? end : kMaxNameBytes));
    return;
  }
  if (startsWith(text, "-")) return;  // the rule under a table's header
  const std::size_t colon = text.find("^3:");
  if (colon == std::string_view::npos) {
    capColumn_ = -1;  // a blank line ends a table
    return;
  }
  if (startsWith(text, "Name ")) {
    // "Name                 ^3: ^1Kll Dth Sui  Time Cap Eff Score    DG    DR"
    capColumn_ = -1;
    std::istringstream words(withoutColours(text.substr(colon + 3)));
    std::string word;
    for (int i = 0; words >> word; ++i) {
      if (word == "Cap") capColumn_ = i;
    }
    return;
  }
  if (capColumn_ < 0) return;
  // "^7S^2t^7eff               ^s ^3:^s  37  21   0  6:38   5  64    99 18500 10500"
  text = line;
  std::string_view name = text.substr(0, text.find("^3:"));
  const std::string columns = withoutColours(text.substr(name.size() + 3));
  trimBlanks(name);
  if (name.size() >= 2 && name.substr(name.size() - 2) == "^s") name.remove_suffix(2);
  trimBlanks(name);
  std::istringstream words(columns);
  std::string word;
  for (int i = 0; words >> word; ++i) {
    if (i != capColumn_) continue;
    char* end = nullptr;
    const long caps = std::strtol(word.c_str(), &end, 10);
    if (name.empty() || *end != '\0' || caps < 0 || caps > 1000) return;
    std::string raw(name);
    for (std::size_t at = raw.find("^s"); at != std::string::npos; at = raw.find("^s", at)) raw[at + 1] = '7';
    lastEnded()->scoreboard.push_back({withoutColours(name), raw, static_cast<int>(caps)});
    return;
  }
}

void ClientMatchPlan::scanEvent(std::string_view text) {
  Match& match = current();
  const auto saw = [&](std::string_view raw, int team) {
    const std::string player = withoutColours(raw);
    Seen* seen = match.find(player);
    if (seen == nullptr) {
      match.players.push_back({player, Seen{}});
      seen = &match.players.back().second;
    }
    seen->raw.assign(raw);
    if (team != kNoTeam) seen->team = static_cast<Team>(team);
    seen->lastLine = lineNumber_;
    return player;
  };
  for (const char* two : kTwoNameTexts) {
    const std::size_t at = text.find(two);
    if (at == std::string_view::npos || std::string_view(two) == wording::kRenamedTo) continue;
    std::string_view killer = text.substr(at + std::strlen(two));
    const std::size_t possessive = killer.find("^7's ");
    if (possessive != std::string_view::npos) killer = killer.substr(0, possessive + 2);
    killer = nameBefore(killer, killer.size());
    // Both names are seen here too: a capture credited after this line finds the player known.
    match.kills.push_back({saw(nameBefore(text, at), kNoTeam), saw(killer, kNoTeam)});
    return;
  }
  const std::size_t renamed = text.find(wording::kRenamedTo);
  if (renamed != std::string_view::npos) {
    const Seen* before = match.find(withoutColours(nameBefore(text, renamed)));
    std::string_view after = text.substr(renamed + std::strlen(wording::kRenamedTo));
    if (after.size() >= 2 && after.substr(after.size() - 2) == "^7") after.remove_suffix(2);
    saw(after, before != nullptr ? before->team : kNoTeam);
    return;
  }
  for (const SideText& side : kSideTexts) {
    const std::size_t at = findAfterBlank(text, side.text);
    if (at == std::string_view::npos) continue;
    const std::string player = saw(nameBefore(text, at), side.team);
    if (side.capture) match.captures.push_back({lineNumber_, player, static_cast<Team>(side.team)});
    return;
  }
}

void ClientMatchPlan::add(long before, const std::string& raw, Team team, int count) {
  // A name as long as a whole line would make a line our reader cuts: credited to nobody.
  if (raw.size() > kMaxAddedName) {
    uncredited_ += count;
    return;
  }
  const std::string line = raw + "^7 " + (team == kRed ? wording::kCapturedBlueFlag : wording::kCapturedRedFlag);
  addedLines_.push_back({before, std::vector<std::string>(static_cast<std::size_t>(count), line)});
  added_ += count;
}

std::map<std::string, ClientMatchPlan::Team> ClientMatchPlan::sides(const Match& match) {
  std::map<std::string, Team> side;
  for (const auto& [player, seen] : match.players) {
    if (seen.team != kNoTeam) side[player] = seen.team;
  }
  // A player whose lines name no side is on the side opposite most of those he killed and
  // was killed by; a few rounds let one guess lead to the next.
  for (int round = 0; round < 3; ++round) {
    std::map<std::string, int> votes[2];
    for (const auto& [victim, killer] : match.kills) {
      const auto v = side.find(victim);
      const auto k = side.find(killer);
      if (v == side.end() && k != side.end()) ++votes[1 - k->second][victim];
      if (k == side.end() && v != side.end()) ++votes[1 - v->second][killer];
    }
    for (const auto& [player, red] : votes[kRed]) {
      const int blue = votes[kBlue].count(player) ? votes[kBlue][player] : 0;
      if (red != blue) side[player] = red > blue ? kRed : kBlue;
    }
    for (const auto& [player, blue] : votes[kBlue]) {
      if (!votes[kRed].count(player)) side[player] = kBlue;
    }
  }
  return side;
}

// The scoreboard is trusted over the lines: the mod counted
// every capture of the match and the client saw only those after it joined.
void ClientMatchPlan::reconcile(Match& match) {
  if (match.result[kRed] < 0 || match.scoreboard.empty() || match.endLine == 0) return;
  const std::map<std::string, Team> side = sides(match);
  const auto listed = [&](const std::string& player) {
    for (const Row& row : match.scoreboard) {
      if (row.player == player) return true;
    }
    return false;
  };
  int credited[2] = {0, 0};
  for (const Row& row : match.scoreboard) {
    std::vector<long> lines;
    for (const Capture& c : match.captures) {
      if (c.player == row.player) lines.push_back(c.line);
    }
    const auto found = side.find(row.player);
    const int missing = row.caps - static_cast<int>(lines.size());
    if (found == side.end()) {
      uncredited_ += missing > 0 ? missing : 0;
      continue;
    }
    if (missing < 0) dropped_.insert(dropped_.end(), lines.begin(), lines.begin() + (-missing));
    if (missing > 0) {
      const Seen* seen = match.find(row.player);
      add(match.endLine, seen != nullptr ? seen->raw : row.raw, found->second, missing);
    }
    credited[found->second] += row.caps;
  }
  for (const Capture& c : match.captures) {
    if (!listed(c.player)) ++credited[c.team];
  }
  for (int team : {kRed, kBlue}) {
    const int rest = match.result[team] - credited[team];
    if (rest <= 0) continue;
    const Seen* gone = nullptr;
    for (const auto& [player, seen] : match.players) {
      if (!listed(player) && seen.team == team && (gone == nullptr || seen.lastLine > gone->lastLine)) gone = &seen;
    }
    if (gone != nullptr) {
      add(gone->lastLine + 1, gone->raw, static_cast<Team>(team), rest);
    } else {
      uncredited_ += rest;
    }
  }
}

void ClientMatchPlan::finish() {
  for (Match& match : matches_) reconcile(match);
  std::stable_sort(addedLines_.begin(), addedLines_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  // One entry per line, in the order the entries were made.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < addedLines_.size(); ++i) {
    if (kept > 0 && addedLines_[kept - 1].first == addedLines_[i].first) {
      auto& into = addedLines_[kept - 1].second;
      into.insert(into.end(), addedLines_[i].second.begin(), addedLines_[i].second.end());
    } else if (kept++ != i) {
      addedLines_[kept - 1] = std::move(addedLines_[i]);
    }
  }
  addedLines_.resize(kept);
  std::sort(dropped_.begin(), dropped_.end());
}

std::string_view ClientMatchPlan::mapOf(int match) const {
  if (match < 0 || static_cast<std::size_t>(match) >= matches_.size()) return {};
  return matches_[static_cast<std::size_t>(match)].map;
}

const std::vector<std::string>* ClientMatchPlan::addedBefore(long line) const {
  const auto at = std::lower_bound(addedLines_.begin(), addedLines_.end(), line,
                                   [](const auto& entry, long l) { return entry.first < l; });
  return at != addedLines_.end() && at->first == line ? &at->second : nullptr;
}

bool ClientMatchPlan::dropped(long line) const { return std::binary_search(dropped_.begin(), dropped_.end(), line); }

ClientLogConverter::ClientLogConverter(LineSink& out, const ClientMatchPlan* plan) : out_(out), plan_(plan) {}

void ClientLogConverter::feed(std::string_view line) {
  ++linesRead_;
  line = recolour(line, recoloured_);
  const std::vector<std::string>* added = plan_ != nullptr ? plan_->addedBefore(linesRead_) : nullptr;
  if (added != nullptr) {
    for (const std::string& text : *added) out_.writeLine(text);
  }
  ClientSkip reason;
  if (!cleanClientLine(line, cleaned_, reason)) {
    ++skipped_[static_cast<int>(reason)];
    return;
  }
  if (plan_ != nullptr && plan_->dropped(linesRead_)) {
    ++skipped_[static_cast<int>(ClientSkip::kUncounted)];
    return;
  }
  const std::string_view text = toOspWords(view(cleaned_), written_);
  if (endsMatch(text)) {
    const std::string_view map = plan_ != nullptr ? plan_->mapOf(ended_) : std::string_view();
    if (!map.empty()) {
      std::string current = "Current map: ";
      current.append(map);
      out_.writeLine(current);
    }
    ++ended_;
  }
  out_.writeLine(text);
}
