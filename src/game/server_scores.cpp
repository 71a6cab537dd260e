// The server's own final scores of a server log's players, read from the pre-parser's side file.
#include "game/server_scores.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace {

// Reads the decimal number at the start of `text` (a '-' first only with `signedValue`) and the
// one blank after it; false when there is none, it overflows `limit`, or no blank follows.
bool readField(std::string_view& text, bool signedValue, std::uint64_t limit, std::uint64_t& magnitude,
               bool& negative) {
  negative = signedValue && !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  std::size_t n = 0;
  magnitude = 0;
  while (n < text.size() && text[n] >= '0' && text[n] <= '9') {
    const unsigned digit = static_cast<unsigned>(text[n] - '0');
    if (magnitude > (limit - digit) / 10) return false;
    magnitude = magnitude * 10 + digit;
    ++n;
  }
  if (n == 0 || n >= text.size() || text[n] != ' ') return false;
  text.remove_prefix(n + 1);
  return true;
}

// Reads the whole regular file `path` into `text`; false when it cannot be read or is larger
// than `limit`. A FIFO or device is refused without waiting for it.
bool readSmallFile(const char* path, std::size_t limit, std::string& text) {
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0 &&
            static_cast<std::uint64_t>(st.st_size) <= limit;
  if (ok) {
    text.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < text.size()) {
      const ssize_t n = ::read(fd, &text[got], text.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    // A file that grew after the size was taken is read as far as that size.
    text.resize(got);
  }
  ::close(fd);
  return ok;
}

}  // namespace

ServerScores ServerScores::fromFile(const char* path) {
  std::string text;
  if (!readSmallFile(path, kMaxFileBytes, text)) return ServerScores();
  return fromText(text);
}

ServerScores ServerScores::fromText(std::string_view text) {
  ServerScores scores;
  constexpr auto kMaxScore = static_cast<std::uint64_t>(std::numeric_limits<int>::max());
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    // A last line without its line end may have been cut short: it is no entry.
    if (end == std::string_view::npos) break;
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);

    std::uint64_t offset = 0;
    std::uint64_t magnitude = 0;
    bool negative = false;
    if (!readField(line, false, std::numeric_limits<std::uint64_t>::max(), offset, negative)) continue;
    if (!readField(line, true, kMaxScore, magnitude, negative) || line.empty()) continue;
    const int score = negative ? -static_cast<int>(magnitude) : static_cast<int>(magnitude);
    scores.entries_.push_back(Entry{offset, scores.names_.size(), line.size(), score});
    scores.names_.append(line);
  }
  std::stable_sort(scores.entries_.begin(), scores.entries_.end(),
                   [](const Entry& a, const Entry& b) { return a.offset < b.offset; });
  return scores;
}

bool ServerScores::find(std::uint64_t endOffset, std::string_view name, int& score) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), endOffset,
                             [](const Entry& e, std::uint64_t offset) { return e.offset < offset; });
  for (; it != entries_.end() && it->offset == endOffset; ++it) {
    if (nameOf(*it) == name) {
      score = it->score;
      return true;
    }
  }
  return false;
}
