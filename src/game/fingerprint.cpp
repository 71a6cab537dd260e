// The fingerprint of a game's lines: two independent order-sensitive chains over the lines' hashes.
#include "game/fingerprint.h"

#include <cstdio>

namespace {

std::uint64_t rotate(std::uint64_t x, int bits) { return (x << bits) | (x >> (64 - bits)); }

}  // namespace

void GameFingerprint::add(const LineSpan& span) {
  if (span.length == 0) return;
  add(span.offset, span.offset + span.length - 1, span.hash);
}

void GameFingerprint::add(std::uint64_t first, std::uint64_t last, std::uint64_t hash) {
  if (!spanned_) first_ = first;
  spanned_ = true;
  last_ = last;
  // An empty line counts for the span only: it changes nothing a page shows.
  if (hash == 0) return;
  ++lines_;
  a_ = rotate((a_ ^ hash) * 0x9E3779B97F4A7C15ull, 27);
  b_ = (b_ + hash + lines_) * 0xC2B2AE3D27D4EB4Full;
  b_ ^= b_ >> 31;
}

void GameFingerprint::hex(char out[33]) const {
  std::snprintf(out, 33, "%016llx%016llx", static_cast<unsigned long long>(a_ ^ (lines_ * 0xFF51AFD7ED558CCDull)),
                static_cast<unsigned long long>(b_));
}
