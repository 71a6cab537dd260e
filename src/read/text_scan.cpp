// One pass over a string finds every vocabulary text in it: hashed four-byte anchors, checked on a hit.
#include "read/text_scan.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>


namespace {

constexpr const char* kLooseTexts[] = {
#define KX_TEXT_STRING(name, text) text,
    KX_LOOSE_TEXTS(KX_TEXT_STRING)
#undef KX_TEXT_STRING
};

constexpr int kAnchorBytes = 4;
// The scan takes four windows out of one eight-byte load by shifting, which is the byte order
// of little-endian machines.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the anchor scan assumes little-endian loads");
constexpr int kHashBits = 15;
constexpr uint32_t kHashMultiplier = 0x9E3779B1u;

inline uint32_t load32(const char* p) {
  uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline uint32_t anchorHash(uint32_t window) { return (window * kHashMultiplier) >> (32 - kHashBits); }

// How unlikely a byte is in ordinary chat and obituaries: anchors are put where the rare
// bytes are, so that a hit in a chat line is seldom a false one.
int rarity(unsigned char c) {
  if (c >= 'a' && c <= 'z') return 1;
  if (c == ' ') return 1;
  if (c >= 'A' && c <= 'Z') return 3;
  return 4;
}

struct Candidate {
  uint16_t text;
  uint8_t offset;  // where the anchor stands in the text
};

// Every text once, each with an anchor window; a byte per hash value saying whether some
// anchor has it (32 KiB, so it stays in the first-level cache) and, per hash, the texts to check.
struct Vocabulary {
  std::vector<std::string_view> texts;
  int8_t tableIndex[kMaxTexts][kTableCount];
  uint8_t anchored[1u << kHashBits] = {};
  std::vector<uint32_t> bucketStart;  // per hash: range in candidates
  std::vector<Candidate> candidates;
  std::vector<uint16_t> entryIds[kTableCount];
  // Per text, the tables that list it and its first place in each: (table, index) pairs.
  std::vector<std::pair<int8_t, int8_t>> placesOf[kMaxTexts];

  Vocabulary() {
    std::memset(tableIndex, -1, sizeof tableIndex);
    for (const char* text : kLooseTexts) add(text);
    for (int t = 0; t < kTableCount; ++t) {
      const char* const* table = tableTexts(static_cast<TableId>(t));
      for (int i = 0; table[i] != nullptr; ++i) {
        const int id = add(table[i]);
        entryIds[t].push_back(static_cast<uint16_t>(id));
        // A text listed twice counts at its first place.
        if (tableIndex[id][t] < 0) tableIndex[id][t] = static_cast<int8_t>(i);
      }
    }
    for (int id = 0; id < static_cast<int>(texts.size()); ++id)
      for (int t = 0; t < kTableCount; ++t)
        if (tableIndex[id][t] >= 0) placesOf[id].push_back({static_cast<int8_t>(t), tableIndex[id][t]});
    buildAnchors();
  }

  int add(std::string_view text) {
    for (std::size_t id = 0; id < texts.size(); ++id)
      if (texts[id] == text) return static_cast<int>(id);
    // A short or unbounded text would need another kind of scan: a programming error.
    if (text.size() < kAnchorBytes || text.size() > 255 || texts.size() >= kMaxTexts) std::abort();
    texts.push_back(text);
    return static_cast<int>(texts.size() - 1);
  }

  // Per four-byte window, the number of texts holding it.
  std::unordered_map<uint32_t, int> windowTexts;

  int chooseAnchor(std::string_view text) const {
    int best = 0;
    int bestScore = -1;
    for (std::size_t off = 0; off + kAnchorBytes <= text.size(); ++off) {
      int score = 0;
      for (int k = 0; k < kAnchorBytes; ++k) score += rarity(static_cast<unsigned char>(text[off + k])) * 4;
      // Windows that many texts share make every hit a list of checks.
      score -= windowTexts.at(load32(text.data() + off));
      if (score > bestScore) {
        bestScore = score;
        best = static_cast<int>(off);
      }
    }
    return best;
  }

  void buildAnchors() {
    for (std::string_view text : texts) {
      std::vector<uint32_t> seen;
      for (std::size_t off = 0; off + kAnchorBytes <= text.size(); ++off) seen.push_back(load32(text.data() + off));
      std::sort(seen.begin(), seen.end());
      seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
      for (uint32_t window : seen) ++windowTexts[window];
    }
    std::vector<std::vector<Candidate>> buckets(1u << kHashBits);
    for (std::size_t id = 0; id < texts.size(); ++id) {
      const int off = chooseAnchor(texts[id]);
      const uint32_t h = anchorHash(load32(texts[id].data() + off));
      anchored[h] = 1;
      buckets[h].push_back({static_cast<uint16_t>(id), static_cast<uint8_t>(off)});
    }
    bucketStart.assign((1u << kHashBits) + 1, 0);
    for (std::size_t h = 0; h < buckets.size(); ++h) {
      bucketStart[h] = static_cast<uint32_t>(candidates.size());
      candidates.insert(candidates.end(), buckets[h].begin(), buckets[h].end());
    }
    bucketStart[buckets.size()] = static_cast<uint32_t>(candidates.size());
  }

  static const Vocabulary& get() {
    static const Vocabulary* vocabulary = new Vocabulary();  // never destroyed: used until exit
    return *vocabulary;
  }
};

}  // namespace

const char* const* tableTexts(TableId table) {
  switch (table) {
    case kValidStrings: return valid_strings;
    case kAddPlayerStrings: return addPlayer_strings;
    case kResetStrings: return reset_strings;
    case kDualStrings: return dual_strings;
    case kSelfStrings: return self_strings;
    case kSuicideStrings: return suicide_strings;
    case kCtfRedStrings: return ctf_red_strings;
    case kCtfBlueStrings: return ctf_blue_strings;
    case kFlagEventStrings: return flagEventStrings();
    case kPossessiveStrings: return possessive_strings;
    case kTableCount: break;
  }
  std::abort();
}

void scanText(std::string_view s, TextScan& out) {
  const Vocabulary& v = Vocabulary::get();
  std::memset(out.bits_, 0, sizeof out.bits_);
  out.foundCount_ = 0;
  const int n = s.size() < 32767 ? static_cast<int>(s.size()) : 32767;
  const char* p = s.data();
  auto hit = [&v](uint32_t h) { return static_cast<unsigned>(v.anchored[h]); };
  auto check = [&](int i, uint32_t h) {
    for (uint32_t c = v.bucketStart[h]; c < v.bucketStart[h + 1]; ++c) {
      const Candidate cand = v.candidates[c];
      const std::string_view text = v.texts[cand.text];
      const int start = i - cand.offset;
      if (start < 0 || start + static_cast<int>(text.size()) > n) continue;
      if (std::memcmp(p + start, text.data(), text.size()) != 0) continue;
      const int id = cand.text;
      if (!out.found(id)) {
        out.bits_[id >> 6] |= uint64_t{1} << (id & 63);
        out.first_[id] = static_cast<int16_t>(start);
        out.foundIds_[out.foundCount_++] = static_cast<uint16_t>(id);
      }
      // Anchors are met in order, so the occurrences of one text are too.
      out.last_[id] = static_cast<int16_t>(start);
    }
  };
  int i = 0;
  // Four windows per step from one eight-byte load; most steps hit nothing and branch once.
  for (; i + 8 <= n; i += 4) {
    uint64_t eight;
    std::memcpy(&eight, p + i, sizeof eight);
    const uint32_t h0 = anchorHash(static_cast<uint32_t>(eight));
    const uint32_t h1 = anchorHash(static_cast<uint32_t>(eight >> 8));
    const uint32_t h2 = anchorHash(static_cast<uint32_t>(eight >> 16));
    const uint32_t h3 = anchorHash(static_cast<uint32_t>(eight >> 24));
    if ((hit(h0) | hit(h1) | hit(h2) | hit(h3)) == 0) continue;
    if (hit(h0)) check(i, h0);
    if (hit(h1)) check(i + 1, h1);
    if (hit(h2)) check(i + 2, h2);
    if (hit(h3)) check(i + 3, h3);
  }
  for (; i + kAnchorBytes <= n; ++i) {
    const uint32_t h = anchorHash(load32(p + i));
    if (hit(h)) check(i, h);
  }
  for (int t = 0; t < kTableCount; ++t) {
    out.tableFirst_[t] = -1;
    out.tableFirstPos_[t] = -1;
  }
  for (int k = 0; k < out.foundCount_; ++k) {
    const int id = out.foundIds_[k];
    for (const auto& [t, index] : v.placesOf[id]) {
      if (out.tableFirst_[t] < 0 || index < out.tableFirst_[t]) {
        out.tableFirst_[t] = index;
        out.tableFirstPos_[t] = out.first_[id];
      }
    }
  }
}

int TextScan::firstFrom(TableId table, int from) const {
  const Vocabulary& v = Vocabulary::get();
  int best = -1;
  for (int k = 0; k < foundCount_; ++k) {
    const int id = foundIds_[k];
    const int index = v.tableIndex[id][table];
    if (index >= 0 && last_[id] >= from && (best < 0 || index < best)) best = index;
  }
  return best;
}

bool TextScan::hasEntry(TableId table, int index) const {
  return found(Vocabulary::get().entryIds[table][static_cast<std::size_t>(index)]);
}

void TextScan::copyFrom(const TextScan& other) {
  std::memcpy(bits_, other.bits_, sizeof bits_);
  std::memcpy(tableFirst_, other.tableFirst_, sizeof tableFirst_);
  std::memcpy(tableFirstPos_, other.tableFirstPos_, sizeof tableFirstPos_);
  foundCount_ = other.foundCount_;
  for (int k = 0; k < foundCount_; ++k) {
    const int id = other.foundIds_[k];
    foundIds_[k] = static_cast<uint16_t>(id);
    first_[id] = other.first_[id];
    last_[id] = other.last_[id];
  }
}
