// The pre-parser's side file of byte offsets: which lines of the log each converted line stands for.
#include "source_offsets.h"

#include "read/line_reader.h"

namespace {

std::uint64_t rotate(std::uint64_t x, int bits) { return (x << bits) | (x >> (64 - bits)); }

}  // namespace

void SourceOffsetsWriter::Lines::add(const Lines& later) {
  if (!later.any) return;
  if (!any) {
    *this = later;
    return;
  }
  last = later.last;
  if (later.hash == 0) return;
  // Order-sensitive: the same lines in another order give another hash. 0 stays "no text".
  const std::uint64_t h = rotate((hash ^ later.hash) * 0x9E3779B97F4A7C15ull, 29) + later.hash;
  hash = h == 0 ? 1 : h;
}

void SourceOffsetsWriter::sourceLine(std::uint64_t first, std::uint64_t last, std::string_view text) {
  settleFeed();
  feeding_.any = true;
  feeding_.first = first;
  feeding_.last = last;
  feeding_.hash = lineHash(text.data(), text.size());
}

void SourceOffsetsWriter::convertedLine(std::uint64_t converted) {
  if (written_ == 0) firstWritten_ = converted;
  lastWritten_ = converted;
  ++written_;
}

void SourceOffsetsWriter::endOfLog() {
  settleFeed();
  feeding_ = Lines{};
}

void SourceOffsetsWriter::finish() { settleFeed(); }

void SourceOffsetsWriter::settleFeed() {
  if (written_ == 0) {
    waiting_.add(feeding_);
  } else if (written_ == 1) {
    waiting_.add(feeding_);
    write(firstWritten_, waiting_);
    waiting_ = Lines{};
  } else {
    write(firstWritten_, waiting_);
    write(lastWritten_, feeding_);
    waiting_ = Lines{};
  }
  feeding_ = Lines{};
  written_ = 0;
}

void SourceOffsetsWriter::write(std::uint64_t converted, const Lines& lines) {
  if (file_ == nullptr || !lines.any) return;
  if (std::fprintf(file_, "%llu %llu %llu %016llx\n", static_cast<unsigned long long>(converted),
                   static_cast<unsigned long long>(lines.first), static_cast<unsigned long long>(lines.last),
                   static_cast<unsigned long long>(lines.hash)) < 0) {
    failed_ = true;
  }
}
