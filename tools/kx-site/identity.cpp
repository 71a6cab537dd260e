// Player identity: the key of a logged name, the file name of its page, and the aliases file.
#include "kx-site/identity.h"

#include <cstdint>
#include <vector>

#include "base/strutil.h"

namespace kxsite {

namespace {

constexpr char kPageStart[] = "player_";
constexpr char kPageEnd[] = ".html";
constexpr char kHexDigits[] = "0123456789abcdef";
// Well under the 255 bytes a file name may have on common file systems, with room for the
// hash that ends a longer one.
constexpr std::size_t kMaxEncoded = 200;

bool isPlainByte(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

void appendEncoded(unsigned char c, std::string* out) {
  if (isPlainByte(c)) {
    *out += static_cast<char>(c);
    return;
  }
  *out += '-';
  *out += kHexDigits[c >> 4];
  *out += kHexDigits[c & 0xF];
}

// FNV-1a, 64 bits.
uint64_t hashOf(std::string_view s) {
  uint64_t h = 14695981039346656037ULL;
  for (char c : s) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ULL;
  }
  return h;
}

std::string_view trimmed(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string playerKey(std::string_view loggedName) {
  std::vector<char> plain(loggedName.size() + 1);
  int scratch = 0;
  const std::size_t length = stripColorCodesUncounted(loggedName, plain.data(), &scratch);
  std::string key(plain.data(), length);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

std::string playerPageName(std::string_view key) {
  std::string encoded;
  for (char c : key) appendEncoded(static_cast<unsigned char>(c), &encoded);
  if (encoded.size() > kMaxEncoded) {
    // "--" never occurs in an encoded key ('-' is always followed by a hex digit), so a cut
    // name cannot equal an uncut one.
    encoded.resize(kMaxEncoded - 18);
    // Never leave a '-' with fewer than its two hex digits.
    const std::size_t dash = encoded.rfind('-');
    if (dash != std::string::npos && encoded.size() - dash < 3) encoded.resize(dash);
    encoded += "--";
    const uint64_t h = hashOf(key);
    for (int shift = 60; shift >= 0; shift -= 4) encoded += kHexDigits[(h >> shift) & 0xF];
  }
  return kPageStart + encoded + kPageEnd;
}

bool Aliases::parse(std::string_view text, std::string* err) {
  mainOf_.clear();
  std::map<std::string, std::string> mainOf;
  // The name as written for each key, for the messages.
  std::map<std::string, std::string> written;
  int lineNumber = 0;
  auto fail = [&](const std::string& why) {
    *err = "aliases line " + std::to_string(lineNumber) + ": " + why;
    return false;
  };
  // Records that `name` belongs to `mainKey`; false when it already belongs to another.
  auto give = [&](std::string_view name, const std::string& mainKey, const std::string& mainName) {
    const std::string key = playerKey(name);
    const auto it = mainOf.find(key);
    if (it != mainOf.end() && it->second != mainKey) {
      return fail("\"" + std::string(name) + "\" is given to \"" + written[it->second] + "\" and to \"" +
                  mainName + "\"");
    }
    mainOf[key] = mainKey;
    return true;
  };

  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = trimmed(text.substr(start, end - start));
    start = end + 1;
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;

    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return fail("no \"=\" between the main name and the other names");
    const std::string_view mainName = trimmed(line.substr(0, eq));
    const std::string mainKey = playerKey(mainName);
    if (mainKey.empty()) return fail("the main name is empty");
    written.emplace(mainKey, std::string(mainName));
    if (!give(mainName, mainKey, std::string(mainName))) return false;

    std::string_view others = line.substr(eq + 1);
    while (true) {
      const std::size_t comma = others.find(',');
      const std::string_view name = trimmed(others.substr(0, comma));
      if (playerKey(name).empty()) return fail("an empty name after \"" + std::string(mainName) + " =\"");
      if (!give(name, mainKey, std::string(mainName))) return false;
      if (comma == std::string_view::npos) break;
      others.remove_prefix(comma + 1);
    }
  }
  mainOf_ = std::move(mainOf);
  return true;
}

std::string Aliases::resolve(const std::string& key) const {
  const auto it = mainOf_.find(key);
  return it == mainOf_.end() ? key : it->second;
}

}  // namespace kxsite
