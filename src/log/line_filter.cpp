// The line filter: only lines holding one of the known event texts reach the recognisers.
#include "log/line_filter.h"

#include "log/text_match.h"
#include "log/vocabulary.h"

namespace {
constexpr std::size_t kMaxEventLine = 500;
constexpr std::size_t kMinEventLine = 2;
}  // namespace

int validLine(std::string_view line) {
  if (line.size() > kMaxEventLine || line.size() < kMinEventLine) return 0;
  const int first = firstOfTable(line, valid_strings);
  if (first < 0) return 0;
  // " ate " alone is too common in chat; it counts only as a rocket or grenade obituary.
  if (std::string_view(valid_strings[first]) == " ate ") {
    return hasText(line, KX_TEXT("rocket")) || hasText(line, KX_TEXT("grenade")) ? 1 : 0;
  }
  return 1;
}
