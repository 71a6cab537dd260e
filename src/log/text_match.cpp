// One Aho-Corasick automaton over every registered message text, with a small cache of recent scans.
#include "log/text_match.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <unordered_map>
#include <utility>

#include "log/vocabulary.h"

namespace {

constexpr std::size_t kCacheEntries = 8;
constexpr std::size_t kCacheableSize = 1024;

struct Automaton {
  int classes = 1;
  std::array<uint8_t, 256> byteClass{};
  // The transition table holds row offsets (state * classes), so a step is one add and one
  // load; the lowest bit marks states where some text ends (rows are even: classes is made even).
  std::vector<uint32_t> delta;      // [row + class] -> next row | ends-a-text bit
  std::vector<int32_t> outBegin;    // per state: range in outTexts of texts ending there
  std::vector<int32_t> outTexts;
};

struct CacheEntry {
  std::size_t size = 0;
  bool used = false;
  char text[kCacheableSize];
  TextScan scan;
};

}  // namespace

// Owns the registered texts, the automaton built from them and the cache of recent scans.
struct TextScanner {
  std::vector<std::string_view> texts;
  std::unordered_map<std::string_view, TextId> ids;
  // Per table: for every registered text, its first index in the table, or -1. A handful
  // of tables, searched by address.
  std::vector<std::pair<const char* const*, std::vector<int32_t>>> tables;
  Automaton automaton;
  bool built = false;
  std::array<CacheEntry, kCacheEntries> cache;
  std::size_t mostRecent = 0;
  std::size_t nextVictim = 0;
  CacheEntry spill;  // for strings too long to cache

  static TextScanner& get() {
    static TextScanner* scanner = [] {
      auto* made = new TextScanner();  // never destroyed: used until exit
      // The vocabulary is known up front, so scans made before a table's first use are
      // already complete for it.
      for (const char* const* table : {valid_strings, addPlayer_strings, reset_strings, dual_strings,
                                       self_strings, suicide_strings, ctf_red_strings,
                                       ctf_blue_strings}) {
        made->tableIndex(table);
      }
      return made;
    }();
    return *scanner;
  }

  TextId add(std::string_view text);
  void build();
  void scan(std::string_view s, TextScan& out) const;
  const TextScan& lookup(std::string_view s);
  const std::vector<int32_t>& tableIndex(const char* const* table);
};

void TextScanner::build() {
  Automaton& a = automaton;
  a = Automaton();
  for (std::string_view t : texts)
    for (char c : t) {
      uint8_t& cls = a.byteClass[static_cast<unsigned char>(c)];
      if (cls == 0) cls = static_cast<uint8_t>(a.classes++);
    }
  if (a.classes % 2 != 0) ++a.classes;  // even rows leave the low bit of a row offset free
  const int C = a.classes;

  // Trie of the texts.
  std::vector<int32_t> trie(C, -1);
  std::vector<std::vector<int32_t>> ending(1);
  for (std::size_t id = 0; id < texts.size(); ++id) {
    int state = 0;
    for (char c : texts[id]) {
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
  std::vector<int32_t> delta(static_cast<std::size_t>(states) * C, 0);
  std::vector<int32_t> fail(states, 0);
  std::vector<std::vector<int32_t>> out(states);
  std::deque<int32_t> queue;
  for (int c = 0; c < C; ++c) {
    const int next = trie[c];
    if (next > 0) {
      delta[c] = next;
      queue.push_back(next);
    }
  }
  while (!queue.empty()) {
    const int s = queue.front();
    queue.pop_front();
    out[s] = ending[s];
    out[s].insert(out[s].end(), out[fail[s]].begin(), out[fail[s]].end());
    for (int c = 0; c < C; ++c) {
      const int next = trie[s * C + c];
      if (next > 0) {
        fail[next] = delta[fail[s] * C + c];
        delta[s * C + c] = next;
        queue.push_back(next);
      } else {
        delta[s * C + c] = delta[fail[s] * C + c];
      }
    }
  }
  a.outBegin.assign(states + 1, 0);
  for (int s = 0; s < states; ++s) {
    a.outBegin[s] = static_cast<int32_t>(a.outTexts.size());
    a.outTexts.insert(a.outTexts.end(), out[s].begin(), out[s].end());
  }
  a.outBegin[states] = static_cast<int32_t>(a.outTexts.size());
  a.delta.resize(delta.size());
  for (std::size_t i = 0; i < delta.size(); ++i) {
    const int next = delta[i];
    a.delta[i] = static_cast<uint32_t>(next * C) | (out[next].empty() ? 0u : 1u);
  }

  for (CacheEntry& e : cache) e.used = false;
  built = true;
}

void TextScanner::scan(std::string_view s, TextScan& out) const {
  const Automaton& a = automaton;
  if (out.stamp_.size() != texts.size()) {
    out.pos_.assign(texts.size(), -1);
    out.stamp_.assign(texts.size(), 0);
    out.generation_ = 0;
    out.found_.reserve(texts.size());
  }
  // Stamps of earlier scans never match the new generation, so nothing is cleared per scan.
  if (++out.generation_ == 0) {
    std::fill(out.stamp_.begin(), out.stamp_.end(), 0);
    out.generation_ = 1;
  }
  out.found_.clear();
  const int C = a.classes;
  const uint32_t* delta = a.delta.data();
  const int32_t* outBegin = a.outBegin.data();
  const uint8_t* byteClass = a.byteClass.data();
  uint32_t row = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const uint32_t step = delta[row + byteClass[static_cast<unsigned char>(s[i])]];
    row = step & ~1u;
    if ((step & 1u) == 0) continue;
    const uint32_t state = row / static_cast<uint32_t>(C);
    for (int32_t k = outBegin[state]; k < outBegin[state + 1]; ++k) {
      const int32_t id = a.outTexts[k];
      if (out.stamp_[id] != out.generation_) {
        out.stamp_[id] = out.generation_;
        out.pos_[id] = static_cast<int32_t>(i + 1 - texts[id].size());
        out.found_.push_back(id);
      }
    }
  }
}

const TextScan& TextScanner::lookup(std::string_view s) {
  if (!built) build();
  if (s.size() > kCacheableSize) {
    scan(s, spill.scan);
    return spill.scan;
  }
  auto same = [&s](const CacheEntry& e) {
    return e.used && e.size == s.size() && (s.empty() || std::memcmp(e.text, s.data(), s.size()) == 0);
  };
  // Recognisers ask about the same line many times in a row: try the latest scan first.
  if (same(cache[mostRecent])) return cache[mostRecent].scan;
  for (std::size_t i = 0; i < kCacheEntries; ++i) {
    if (same(cache[i])) {
      mostRecent = i;
      return cache[i].scan;
    }
  }
  // Round robin, but never over the latest scan: the line being recognised stays cached.
  if (nextVictim == mostRecent) nextVictim = (nextVictim + 1) % kCacheEntries;
  const std::size_t slot = nextVictim;
  nextVictim = (nextVictim + 1) % kCacheEntries;
  CacheEntry& e = cache[slot];
  e.used = true;
  e.size = s.size();
  if (!s.empty()) std::memcpy(e.text, s.data(), s.size());
  scan(s, e.scan);
  mostRecent = slot;
  return e.scan;
}

const std::vector<int32_t>& TextScanner::tableIndex(const char* const* table) {
  std::vector<int32_t>* index = nullptr;
  for (auto& entry : tables) {
    if (entry.first == table) {
      if (entry.second.size() == texts.size()) return entry.second;
      index = &entry.second;
      break;
    }
  }
  if (index == nullptr) {
    tables.emplace_back(table, std::vector<int32_t>());
    index = &tables.back().second;
  }
  for (const char* const* t = table; *t != nullptr; ++t) add(*t);
  index->assign(texts.size(), -1);
  for (int i = 0; table[i] != nullptr; ++i) {
    int32_t& first = (*index)[ids[table[i]]];
    if (first < 0) first = i;  // a text listed twice counts at its first place
  }
  return *index;
}

TextId TextScanner::add(std::string_view text) {
  auto it = ids.find(text);
  if (it != ids.end()) return it->second;
  if (text.empty()) std::abort();  // an empty text would match everywhere: a programming error
  const TextId id = static_cast<TextId>(texts.size());
  texts.push_back(text);
  ids.emplace(text, id);
  built = false;
  return id;
}

TextId textId(std::string_view text) { return TextScanner::get().add(text); }

void registerTable(const char* const* table) { TextScanner::get().tableIndex(table); }

int TextScan::firstOf(const char* const* table, int* at) const {
  const std::vector<int32_t>& indexOf = TextScanner::get().tableIndex(table);
  // Only the few texts the string holds are looked at, not the whole table.
  int best = -1;
  TextId bestId = 0;
  for (TextId id : found_) {
    const int32_t index = indexOf[id];
    if (index >= 0 && (best < 0 || index < best)) {
      best = index;
      bestId = id;
    }
  }
  if (at != nullptr) *at = best >= 0 ? pos_[bestId] : -1;
  return best;
}

const TextScan& scanTexts(std::string_view s) {
  TextScanner& m = TextScanner::get();
  return m.lookup(s);
}

bool hasText(std::string_view s, TextId text) { return scanTexts(s).has(text); }

int textPos(std::string_view s, TextId text) { return scanTexts(s).pos(text); }

int firstOfTable(std::string_view s, const char* const* table) {
  registerTable(table);
  return scanTexts(s).firstOf(table);
}

int firstOfTable(std::string_view s, const char* const* table, int* pos) {
  registerTable(table);
  return scanTexts(s).firstOf(table, pos);
}
