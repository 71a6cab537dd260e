// Chat lines become player quotes: the first one, any longer one, or by chance a long-enough one.
#include "log/quotes.h"

#include <cstdlib>

#include "log/text_match.h"
#include "players/player_table.h"
#include "run/strutil.h"

namespace {
constexpr std::size_t kQuoteMinForChance = 10;
constexpr int kChanceLimit = 4;
}  // namespace

void scanForQuotes(std::string_view line) {
  // The draw happens for every rejected line, chat or not, so it depends on the length only.
  std::srand(static_cast<unsigned>(line.size()));
  const int r = std::rand() % 10;

  const int sep = textPos(line, KX_TEXT("^7: "));
  if (sep < 0) return;
  const int player = getPlayerIndex(substring(line, 0, sep - 1));
  if (player >= getTotalPlayers()) return;

  const std::string_view message =
      substring(line, sep + 4, static_cast<int>(line.size()));
  char candidate[kTextSize + 2];
  const std::size_t len = stripColorCodes(message, candidate);
  const std::string_view said(candidate, len);

  Text510& quote = q3players[player].quote;
  if (quote == kSentinelName || said.size() > quote.size() ||
      (said.size() > kQuoteMinForChance && r <= kChanceLimit)) {
    quote.assign(said);
  }
}
