// Reads a log in 510-byte fgets pieces, but through one large buffer filled by fread.
#include "run/line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
  notRegular_ = false;
  // Non-blocking, so that opening a FIFO without a writer returns at once; the type is then
  // checked on what was opened, not on the name.
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    notRegular_ = true;
    ::close(fd);
    return false;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) {
    ::close(fd);
    return false;
  }
  return openStream(file);
}

bool LineReader::openStream(std::FILE* file) {
  close();
  if (file == nullptr) return false;
  file_ = file;
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
