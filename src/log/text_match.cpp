// One Aho-Corasick automaton over every registered message text, with a small cache of recent lines.
#include "log/text_match.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::size_t kCacheEntries = 8;
constexpr std::size_t kCacheableSize = 1024;

struct Automaton {
  int classes = 1;
  std::array<uint8_t, 256> byteClass{};
  std::vector<int32_t> delta;       // [state * classes + class] -> state
  std::vector<int32_t> outBegin;    // per state: range in outTexts of texts ending there
  std::vector<int32_t> outTexts;
};

struct CacheEntry {
  std::size_t size = 0;
  bool used = false;
  char text[kCacheableSize];
  std::vector<int32_t> first;  // per text: index of its first occurrence, or -1
};

struct Matcher {
  std::vector<std::string_view> texts;
  std::unordered_map<std::string_view, TextId> ids;
  std::unordered_map<const char* const*, std::vector<TextId>> tables;
  Automaton automaton;
  bool built = false;
  std::array<CacheEntry, kCacheEntries> cache;
  std::size_t nextVictim = 0;
  CacheEntry spill;  // for strings too long to cache
};

Matcher& matcher() {
  static Matcher* m = new Matcher();  // never destroyed: queries may run during exit
  return *m;
}

void build(Matcher& m) {
  Automaton& a = m.automaton;
  a = Automaton();
  for (std::string_view t : m.texts)
    for (char c : t) {
      uint8_t& cls = a.byteClass[static_cast<unsigned char>(c)];
      if (cls == 0) cls = static_cast<uint8_t>(a.classes++);
    }
  const int C = a.classes;

  // Trie of the texts.
  std::vector<int32_t> trie(C, -1);
  std::vector<std::vector<int32_t>> ending(1);
  for (std::size_t id = 0; id < m.texts.size(); ++id) {
    int state = 0;
    for (char c : m.texts[id]) {
      const int cls = a.byteClass[static_cast<unsigned char>(c)];
      int next = trie[state * C + cls];
      if (next < 0) {
        next = static_cast<int>(ending.size());
        trie[state * C + cls] = next;
        ending.emplace_back();
        trie.resize(trie.size() + C, -1);
      }
      state = next;
    }
    ending[state].push_back(static_cast<int32_t>(id));
  }
  const int states = static_cast<int>(ending.size());

  // Breadth-first: failure links, the complete transition table and the output sets.
  a.delta.assign(static_cast<std::size_t>(states) * C, 0);
  std::vector<int32_t> fail(states, 0);
  std::vector<std::vector<int32_t>> out(states);
  std::deque<int32_t> queue;
  for (int c = 0; c < C; ++c) {
    const int next = trie[c];
    if (next > 0) {
      a.delta[c] = next;
      fail[next] = 0;
      queue.push_back(next);
    }
  }
  out[0] = ending[0];
  while (!queue.empty()) {
    const int s = queue.front();
    queue.pop_front();
    out[s] = ending[s];
    out[s].insert(out[s].end(), out[fail[s]].begin(), out[fail[s]].end());
    for (int c = 0; c < C; ++c) {
      const int next = trie[s * C + c];
      if (next > 0) {
        fail[next] = a.delta[fail[s] * C + c];
        a.delta[s * C + c] = next;
        queue.push_back(next);
      } else {
        a.delta[s * C + c] = a.delta[fail[s] * C + c];
      }
    }
  }
  a.outBegin.assign(states + 1, 0);
  for (int s = 0; s < states; ++s) {
    a.outBegin[s] = static_cast<int32_t>(a.outTexts.size());
    a.outTexts.insert(a.outTexts.end(), out[s].begin(), out[s].end());
  }
  a.outBegin[states] = static_cast<int32_t>(a.outTexts.size());

  for (CacheEntry& e : m.cache) e.used = false;
  m.built = true;
}

void scanInto(const Matcher& m, std::string_view s, std::vector<int32_t>& first) {
  const Automaton& a = m.automaton;
  first.assign(m.texts.size(), -1);
  const int C = a.classes;
  const int32_t* delta = a.delta.data();
  const int32_t* outBegin = a.outBegin.data();
  int state = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    state = delta[state * C + a.byteClass[static_cast<unsigned char>(s[i])]];
    for (int32_t k = outBegin[state]; k < outBegin[state + 1]; ++k) {
      const int32_t id = a.outTexts[k];
      if (first[id] < 0) first[id] = static_cast<int32_t>(i + 1 - m.texts[id].size());
    }
  }
}

// The first-occurrence table of `s`, from the cache when the same text was scanned lately.
const std::vector<int32_t>& lookup(std::string_view s) {
  Matcher& m = matcher();
  if (!m.built) build(m);
  if (s.size() > kCacheableSize) {
    scanInto(m, s, m.spill.first);
    return m.spill.first;
  }
  for (CacheEntry& e : m.cache) {
    if (e.used && e.size == s.size() && (s.empty() || std::memcmp(e.text, s.data(), s.size()) == 0)) {
      return e.first;
    }
  }
  CacheEntry& e = m.cache[m.nextVictim];
  m.nextVictim = (m.nextVictim + 1) % kCacheEntries;
  e.used = true;
  e.size = s.size();
  if (!s.empty()) std::memcpy(e.text, s.data(), s.size());
  scanInto(m, s, e.first);
  return e.first;
}

}  // namespace

TextId textId(std::string_view text) {
  Matcher& m = matcher();
  auto it = m.ids.find(text);
  if (it != m.ids.end()) return it->second;
  if (text.empty()) std::abort();  // an empty text would match everywhere; a programming error
  const TextId id = static_cast<TextId>(m.texts.size());
  m.texts.push_back(text);
  m.ids.emplace(text, id);
  m.built = false;
  return id;
}

bool hasText(std::string_view s, TextId text) { return lookup(s)[text] >= 0; }

int textPos(std::string_view s, TextId text) { return lookup(s)[text]; }

int firstOfTable(std::string_view s, const char* const* table) {
  int pos;
  return firstOfTable(s, table, &pos);
}

int firstOfTable(std::string_view s, const char* const* table, int* pos) {
  Matcher& m = matcher();
  auto it = m.tables.find(table);
  if (it == m.tables.end()) {
    std::vector<TextId> ids;
    for (const char* const* t = table; *t != nullptr; ++t) ids.push_back(textId(*t));
    it = m.tables.emplace(table, std::move(ids)).first;
  }
  const std::vector<int32_t>& first = lookup(s);
  const std::vector<TextId>& ids = it->second;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (first[ids[i]] >= 0) {
      *pos = first[ids[i]];
      return static_cast<int>(i);
    }
  }
  *pos = -1;
  return -1;
}
