// Chat lines become player quotes: the first one, any longer one, or by chance a long-enough one.
#include "game/quotes.h"

#include <array>
#include <cstdlib>

#include "game/player_table.h"
#include "base/strutil.h"

namespace {
constexpr std::size_t kQuoteMinForChance = 10;
constexpr int kChanceLimit = 4;
constexpr std::size_t kLengths = 1024;

// The chance draw: the C library's generator seeded with the line length, first number,
// modulo 10. Nothing else in the program draws, so the draw depends on the length alone.
int drawAfterSeeding(std::size_t length) {
  std::srand(static_cast<unsigned>(length));
  return std::rand() % 10;
}

// The draws of the usual line lengths, made once at start-up (reseeding costs more than the
// rest of a rejected line).
const std::array<signed char, kLengths> kDrawByLength = [] {
  std::array<signed char, kLengths> draws{};
  for (std::size_t length = 0; length < kLengths; ++length) {
    draws[length] = static_cast<signed char>(drawAfterSeeding(length));
  }
  return draws;
}();

int drawForLength(std::size_t length) {
  return length < kLengths ? kDrawByLength[length] : drawAfterSeeding(length);
}

}  // namespace

void scanForQuotes(PlayerTable& players, const ScannedText& scanned) {
  const std::string_view line = scanned.text;
  const int r = drawForLength(line.size());

  const int sep = scanned.scan.pos(kTextChatSeparator);
  if (sep < 0) return;
  const int player = players.getPlayerIndex(substring(line, 0, sep - 1));
  if (player >= players.getTotalPlayers()) return;

  const std::string_view message =
      substring(line, sep + 4, static_cast<int>(line.size()));
  char candidate[kTextSize + 2];
  const std::size_t len = stripColorCodes(message, candidate);
  const std::string_view said(candidate, len);

  Text510& quote = players[player].quote;
  if (quote == kSentinelName || said.size() > quote.size() ||
      (said.size() > kQuoteMinForChance && r <= kChanceLimit)) {
    quote.assign(said);
  }
}
