// The coloured clock a client log of the Excessive Plus kind prints before every console line.
#pragma once

#include <cstddef>
#include <string_view>

namespace client_clock {

// Moves `text` past any colour codes ("^1", "^7") at its start.
inline void skipColours(std::string_view& text) {
  while (text.size() >= 2 && text[0] == '^' && text[1] != '^') text.remove_prefix(2);
}

// The length of the clock at the start of `line`, the blank after it included: a bracketed
// time of digits and colons written with colour codes ("^1[^723^1:^724^1]^7 "). 0 when the
// line does not start with one.
inline std::size_t prefixLength(std::string_view line) {
  std::string_view rest = line;
  skipColours(rest);
  if (rest.empty() || rest.front() != '[') return 0;
  rest.remove_prefix(1);
  bool digit = false;
  bool colon = false;
  for (;;) {
    skipColours(rest);
    if (rest.empty()) return 0;
    const char c = rest.front();
    if (c == ']') break;
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == ':') {
      colon = true;
    } else {
      return 0;
    }
    rest.remove_prefix(1);
  }
  rest.remove_prefix(1);
  skipColours(rest);
  if (!digit || !colon || rest.empty() || rest.front() != ' ') return 0;
  return line.size() - rest.size() + 1;
}

}  // namespace client_clock
