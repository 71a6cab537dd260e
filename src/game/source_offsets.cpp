// The pre-parser's side file of offsets in the log, read entry by entry as the converted lines come.
#include "game/source_offsets.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kEntryBytes = 96;  // four numbers of at most 20 digits, blanks and line break

// Reads the number at `*at` in base `base` up to `end` (a blank or the line break); false when
// there is none or it overflows.
bool readNumber(const char*& at, char end, int base, std::uint64_t& value) {
  value = 0;
  const char* start = at;
  for (; *at != end; ++at) {
    int digit = -1;
    if (*at >= '0' && *at <= '9') digit = *at - '0';
    if (base == 16 && *at >= 'a' && *at <= 'f') digit = *at - 'a' + 10;
    if (digit < 0) return false;
    const auto b = static_cast<std::uint64_t>(base);
    if (value > (std::numeric_limits<std::uint64_t>::max() - static_cast<std::uint64_t>(digit)) / b) return false;
    value = value * b + static_cast<std::uint64_t>(digit);
  }
  if (at == start) return false;
  ++at;
  return true;
}

}  // namespace

bool SourceOffsets::open(const char* path) {
  *this = SourceOffsets();
  // Not a FIFO or a device left under the name: such a file is no file of the pre-parser's.
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  std::FILE* file = nullptr;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) file = ::fdopen(fd, "rb");
  if (file == nullptr) {
    ::close(fd);
    return false;
  }
  file_.reset(file);
  return true;
}

bool SourceOffsets::readEntry() {
  char line[kEntryBytes];
  if (std::fgets(line, sizeof line, file_.get()) == nullptr) return false;
  const char* at = line;
  std::uint64_t converted = 0;
  Lines lines;
  const bool entry = std::strchr(line, '\n') != nullptr && readNumber(at, ' ', 10, converted) &&
                     readNumber(at, ' ', 10, lines.first) && readNumber(at, ' ', 10, lines.last) &&
                     readNumber(at, '\n', 16, lines.hash) && *at == '\0';
  // Entries follow the converted log and the log's lines follow on from each other: anything
  // else is no file of the pre-parser's, or one cut short, and says nothing more.
  const bool firstEntry = expectedFirst_ == 0;  // later ones start after a byte of the log
  if (!entry || (!firstEntry && converted <= nextConverted_) || lines.first != expectedFirst_ ||
      lines.last < lines.first) {
    broken_ = true;
    return false;
  }
  nextConverted_ = converted;
  next_ = lines;
  expectedFirst_ = lines.last + 1;
  ahead_ = true;
  return true;
}

bool SourceOffsets::take(std::uint64_t converted, Lines& lines) {
  if (!known()) return false;
  if (!ahead_ && !readEntry()) return false;
  if (nextConverted_ < converted) {
    // An entry for a line that was never asked for: its lines would be lost.
    broken_ = true;
    return false;
  }
  if (nextConverted_ > converted) return false;
  lines = next_;
  ahead_ = false;
  return true;
}
