// Reads one line of a dedicated server's log: its time, its kind and the fields behind the kind.
#include "server_line.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isKindChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

void skipBlanks(std::string_view& text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
}

std::size_t countDigits(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && isDigit(text[n])) ++n;
  return n;
}

// CPMA prints some times with a character below '0' in the tenths place ("57.+", "5./"), as a
// tenths figure below zero comes out; it stands where the digit would.
bool isOddTenth(char c) { return c >= '\'' && c < '0'; }

// A time is digits, then ':' and two digits or '.' and digits, then one blank. On success
// moves `text` past the blank. Nothing in the conversion needs the time's value.
bool skipTime(std::string_view& text) {
  const std::size_t n = countDigits(text);
  if (n == 0 || n + 1 >= text.size()) return false;
  std::size_t m = countDigits(text.substr(n + 1));
  if (text[n] == '.' && m == 0 && isOddTenth(text[n + 1])) m = 1;
  if (text[n] == ':' ? m != 2 : (text[n] != '.' || m == 0)) return false;
  const std::size_t end = n + 1 + m;
  if (end >= text.size() || text[end] != ' ') return false;
  text.remove_prefix(end + 1);
  return true;
}

}  // namespace

bool readServerLine(std::string_view line, ServerLine& out) {
  out = ServerLine{};
  std::string_view text = line;
  skipBlanks(text);
  if (skipTime(text)) skipBlanks(text);
  // CPMA names the sender of a remote command: "Rcon from 185.132.0.79: map cpm1a".
  static constexpr std::string_view kRconFrom = "Rcon from ";
  if (text.substr(0, kRconFrom.size()) == kRconFrom) {
    const std::size_t colon = text.find(": ");
    if (colon == std::string_view::npos) return false;
    out.kind = text.substr(0, 4);
    out.fields = text.substr(colon + 2);
    return true;
  }
  std::size_t n = 0;
  while (n < text.size() && isKindChar(text[n])) ++n;
  if (n == 0 || n >= text.size() || text[n] != ':') return false;
  out.kind = text.substr(0, n);
  text.remove_prefix(n + 1);
  skipBlanks(text);
  out.fields = text;
  return true;
}

bool readInt(std::string_view& text, int& value) {
  std::string_view rest = text;
  skipBlanks(rest);
  bool negative = false;
  if (!rest.empty() && rest.front() == '-') {
    negative = true;
    rest.remove_prefix(1);
  }
  std::size_t n = 0;
  long long v = 0;
  while (n < rest.size() && isDigit(rest[n])) {
    if (v < 100000000) v = v * 10 + (rest[n] - '0');
    ++n;
  }
  if (n == 0) return false;
  value = static_cast<int>(negative ? -v : v);
  text = rest.substr(n);
  return true;
}

std::string_view infoValue(std::string_view info, std::string_view key, bool* found) {
  if (found != nullptr) *found = false;
  if (!info.empty() && info.front() == '\\') info.remove_prefix(1);
  while (!info.empty()) {
    const std::size_t keyEnd = info.find('\\');
    if (keyEnd == std::string_view::npos) return {};
    const std::string_view k = info.substr(0, keyEnd);
    info.remove_prefix(keyEnd + 1);
    const std::size_t valueEnd = info.find('\\');
    const std::string_view value = info.substr(0, valueEnd);
    if (k == key) {
      if (found != nullptr) *found = true;
      return value;
    }
    if (valueEnd == std::string_view::npos) return {};
    info.remove_prefix(valueEnd + 1);
  }
  return {};
}

bool readKill(std::string_view fields, KillFields& out) {
  std::string_view text = fields;
  int means = 0;
  if (!readInt(text, out.killer) || !readInt(text, out.victim) || !readInt(text, means)) return false;
  if (text.empty() || text.front() != ':') return false;
  text.remove_prefix(1);
  skipBlanks(text);

  static constexpr std::string_view kBy = " by MOD_";
  static constexpr std::string_view kKilled = " killed ";
  const std::size_t by = text.rfind(kBy);
  if (by == std::string_view::npos) return false;
  std::string_view meansText = text.substr(by + 4);
  std::size_t meansEnd = 0;
  while (meansEnd < meansText.size() && meansText[meansEnd] != ' ') ++meansEnd;
  out.means = meansText.substr(0, meansEnd);

  const std::string_view names = text.substr(0, by);
  const std::size_t killed = names.find(kKilled);
  if (killed == std::string_view::npos) return false;
  out.killerName = names.substr(0, killed);
  out.victimName = names.substr(killed + kKilled.size());
  return true;
}
