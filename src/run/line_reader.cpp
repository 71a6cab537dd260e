// Reads a log in 510-byte fgets pieces, but through one large buffer filled by fread.
#include "run/line_reader.h"

#include <cstring>

namespace {
// Large enough that a log is read with few system calls; allocated once per reader.
constexpr std::size_t kChunkSize = 64 * 1024;
}  // namespace

LineReader::~LineReader() {
  close();
  delete[] data_;
}

bool LineReader::open(const char* path) {
  close();
  file_ = std::fopen(path, "rb");
  if (file_ == nullptr) return false;
  if (data_ == nullptr) data_ = new char[kChunkSize];
  return true;
}

void LineReader::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  begin_ = 0;
  end_ = 0;
  eof_ = false;
}

bool LineReader::refill() {
  if (eof_ || file_ == nullptr) return false;
  begin_ = 0;
  end_ = std::fread(data_, 1, kChunkSize, file_);
  if (end_ == 0) {
    // A read error ends the log just as its end would (fgets gives up the same way).
    eof_ = true;
    return false;
  }
  return true;
}

std::size_t LineReader::readLine(char* buf) {
  if (file_ == nullptr) return 0;
  const std::size_t limit = kLineLimit - 1;
  std::size_t n = 0;
  while (n < limit) {
    if (begin_ == end_ && !refill()) break;
    const char* start = data_ + begin_;
    const std::size_t room = limit - n;
    const std::size_t avail = end_ - begin_;
    const std::size_t window = avail < room ? avail : room;
    const void* newline = std::memchr(start, '\n', window);
    const std::size_t take =
        newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - start) + 1 : window;
    std::memcpy(buf + n, start, take);
    n += take;
    begin_ += take;
    if (newline) break;
  }
  if (n == 0) return 0;
  buf[n] = '\0';
  return n;
}
