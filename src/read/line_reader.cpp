// Reads a log in 510-byte fgets pieces, but through one large buffer filled by fread.
#include "read/line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/strutil.h"

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
  notRegular_ = false;
  openErrno_ = 0;
  // Non-blocking, so that opening a FIFO without a writer returns at once; the type is then
  // checked on what was opened, not on the name.
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    openErrno_ = errno;
    return false;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    notRegular_ = true;
    ::close(fd);
    return false;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) {
    openErrno_ = errno;
    ::close(fd);
    return false;
  }
  return openStream(file);
}

const char* LineReader::error() const {
  if (notRegular_) return "Not a regular file";
  return openErrno_ != 0 ? std::strerror(openErrno_) : input_.error().c_str();
}

bool LineReader::openStream(std::FILE* file) {
  close();
  if (file == nullptr) return false;
  if (!input_.openStream(file)) return false;
  if (data_ == nullptr) data_ = new char[kChunkSize];
  return true;
}

void LineReader::close() {
  input_.close();
  begin_ = 0;
  end_ = 0;
  position_ = 0;
  eof_ = false;
}

bool LineReader::refill() {
  if (eof_ || !input_.isOpen()) return false;
  begin_ = 0;
  end_ = input_.read(data_, kChunkSize);
  if (end_ == 0) {
    // A read error ends the log just as its end would; failed() tells a compressed log's.
    eof_ = true;
    return false;
  }
  return true;
}

std::size_t LineReader::readLine(char* buf) {
  std::size_t plain = 0;
  return readLine(buf, &plain);
}

std::size_t LineReader::readLine(char* buf, std::size_t* plain, LineSpan* span) {
  span->offset = position_;
  const std::size_t n = readLine(buf, plain);
  span->length = static_cast<std::uint32_t>(n);
  span->hash = n == 0 ? 0 : lineHash(buf, n);
  return n;
}

std::size_t LineReader::readLine(char* buf, std::size_t* plain) {
  *plain = 0;
  if (!input_.isOpen()) return 0;
  const std::size_t limit = kLineLimit - 1;
  std::size_t n = 0;
  bool plainSoFar = true;
  while (n < limit) {
    if (begin_ == end_ && !refill()) break;
    const char* start = data_ + begin_;
    const std::size_t room = limit - n;
    const std::size_t avail = end_ - begin_;
    const std::size_t window = avail < room ? avail : room;
    // Mostly the line end is the first byte that is not plain text; else it is looked for
    // from there on.
    const std::size_t odd = plainSoFar ? firstUnwanted(start, window) : 0;
    if (plainSoFar) {
      *plain = n + odd;
      plainSoFar = odd == window;
    }
    std::size_t take = window;
    bool ended = false;
    if (odd < window && start[odd] == '\n') {
      take = odd + 1;
      ended = true;
    } else if (odd < window) {
      const void* newline = std::memchr(start + odd, '\n', window - odd);
      if (newline != nullptr) {
        take = static_cast<std::size_t>(static_cast<const char*>(newline) - start) + 1;
        ended = true;
      }
    }
    std::memcpy(buf + n, start, take);
    n += take;
    begin_ += take;
    if (ended) break;
  }
  if (n == 0) return 0;
  buf[n] = '\0';
  position_ += n;
  return n;
}

std::uint64_t lineHash(const char* bytes, std::size_t length) {
  if (length > 0 && bytes[length - 1] == '\n') --length;
  if (length > 0 && bytes[length - 1] == '\r') --length;
  if (length == 0) return 0;
  // Eight bytes a step, each step multiplied through and folded: fast enough to run on every
  // line, and a change of any byte changes the result.
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
  std::uint64_t h = 0x6A09E667F3BCC909ull ^ (length * kMultiplier);
  std::size_t i = 0;
  for (; i + 8 <= length; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + i, sizeof word);
    h = (h ^ word) * kMultiplier;
    h ^= h >> 29;
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, bytes + i, length - i);
  h = (h ^ tail) * kMultiplier;
  h ^= h >> 32;
  h *= 0xD6E8FEB86659FD93ull;
  h ^= h >> 32;
  // 0 stands for "nothing in the piece".
  return h == 0 ? 1 : h;
}
