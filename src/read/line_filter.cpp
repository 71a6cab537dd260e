// The line filter: only lines holding one of the known event texts reach the recognisers.
#include "read/line_filter.h"

#include "read/vocabulary.h"

namespace {
constexpr std::size_t kMaxEventLine = 500;
constexpr std::size_t kMinEventLine = 2;
}  // namespace

int validLine(const ScannedText& line) {
  if (line.text.size() > kMaxEventLine || line.text.size() < kMinEventLine) return 0;
  const int first = line.scan.first(kValidStrings);
  if (first < 0) return 0;
  // " ate " alone is too common in chat; it counts only as a rocket or grenade obituary.
  if (std::string_view(valid_strings[first]) == wording::kAte) {
    return line.has(kTextRocket) || line.has(kTextGrenade) ? 1 : 0;
  }
  return 1;
}

int validLine(std::string_view line) { return validLine(ScannedText(line)); }
