// Turns a client console log of the Excessive Plus kind into the OSP client form our reader knows.
#include "client_log.h"

#include <string>

#include "client_clock.h"

namespace {

using client_clock::skipColours;

// Moves `text` past a clock and the blank after it; leaves it unchanged when it does not start
// with one.
void skipClock(std::string_view& text) { text.remove_prefix(client_clock::prefixLength(text)); }

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The mod's wording (colour resets already written as "^7") and the OSP client's. From the
// mod's text on, the rest of the line is replaced: the times it appends ("(5.450s)") go.
struct ClientText {
  const char* mod;
  const char* osp;
};
constexpr ClientText kClientTexts[] = {
    {" entered the game. (^4BLUE^7)", " entered the game (^4BLUE^7)"},
    {" entered the game. (^1RED^7)", " entered the game (^1RED^7)"},
    {" entered the game.", " entered the game"},
    {" got ^4BLUE^7's flag!", " got the BLUE flag!"},
    {" got ^1RED^7's flag!", " got the RED flag!"},
    {" captured ^4BLUE^7's flag!", " captured the BLUE flag!"},
    {" captured ^1RED^7's flag!", " captured the RED flag!"},
    {" returned ^4BLUE^7's flag!", " returned the BLUE flag!"},
    {" returned ^1RED^7's flag!", " returned the RED flag!"},
    {" fragged ^4BLUE^7's flag carrier!", " fragged BLUE's flag carrier!"},
    {" fragged ^1RED^7's flag carrier!", " fragged RED's flag carrier!"},
};

// Messages with a second name after them. The mod closes such a line with a full stop, which
// our reader would take for the end of the second name.
constexpr const char* kTwoNameTexts[] = {
    " was disemboweled by ", " was swimming too close to ", " was impaled by ", " was pummeled by ",
    " was machinegunned by ", " was gunned down by ", " was shredded by ", " almost dodged ", " ate ",
    " was electrocuted by ", " was railed by ", " was melted by ", " was blasted by ", " tried to invade ",
    " renamed to ",
};

// The lines that end a match for our reader.
constexpr const char* kMatchEnds[] = {
    "Timelimit hit.", "Pointlimit hit.", "hit the capturelimit.", "hit the fraglimit.", "wins the match: ",
};

constexpr const char* kClientSkipNames[] = {"lines written twice", "statistics lines of the mod"};
static_assert(sizeof kClientSkipNames / sizeof kClientSkipNames[0] == static_cast<int>(ClientSkip::kCount),
              "one name per reason");

void append(std::vector<char>& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

std::string_view view(const std::vector<char>& text) { return {text.data(), text.size()}; }

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

void ClientMatchMaps::scanLine(std::string_view line) {
  ClientSkip reason;
  // The statistics block is left out of the output but holds the map.
  if (!cleanClientLine(line, cleaned_, reason)) {
    if (reason != ClientSkip::kStatistics || ended_ == 0) return;
    std::string_view rest = line;
    skipClock(rest);
    rest.remove_prefix(std::string_view("[skipnotify]").size());
    skipColours(rest);
    if (!startsWith(rest, "Map:")) return;
    rest.remove_prefix(4);
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    skipColours(rest);
    std::size_t end = 0;
    while (end < rest.size() && rest[end] != ' ' && rest[end] != '^') ++end;
    if (end == 0) return;
    maps_.resize(static_cast<std::size_t>(ended_));
    maps_[static_cast<std::size_t>(ended_ - 1)].assign(rest.substr(0, end < kMaxNameBytes ? end : kMaxNameBytes));
    return;
  }
  if (endsMatch(view(cleaned_))) ++ended_;
}

std::string_view ClientMatchMaps::mapOf(int match) const {
  if (match < 0 || static_cast<std::size_t>(match) >= maps_.size()) return {};
  return maps_[static_cast<std::size_t>(match)];
}

ClientLogConverter::ClientLogConverter(LineSink& out, const ClientMatchMaps* maps) : out_(out), maps_(maps) {}

void ClientLogConverter::feed(std::string_view line) {
  ++linesRead_;
  ClientSkip reason;
  if (!cleanClientLine(line, cleaned_, reason)) {
    ++skipped_[static_cast<int>(reason)];
    return;
  }
  std::string_view text = view(cleaned_);
  written_.clear();
  for (const ClientText& t : kClientTexts) {
    const std::size_t at = text.find(t.mod);
    if (at != std::string_view::npos) {
      append(written_, text.substr(0, at));
      append(written_, t.osp);
      text = view(written_);
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
  if (endsMatch(text)) {
    const std::string_view map = maps_ != nullptr ? maps_->mapOf(ended_) : std::string_view();
    if (!map.empty()) {
      std::string current = "Current map: ";
      current.append(map);
      out_.writeLine(current);
    }
    ++ended_;
  }
  out_.writeLine(text);
}
