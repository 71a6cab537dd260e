// Output files: created under a short temporary name, written in one piece, renamed when whole.
#include "out/page_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/strutil.h"

namespace {

constexpr char kPageDirectory[] = "html/";
constexpr char kCreateError[] = "ERROR: couldnt open file to write\n";

std::string pagePath(std::string_view name) { return std::string(kPageDirectory) + std::string(name); }

// A temporary name no longer than any page name (those are kept within the file system's
// limit), unique within the run, and hidden from listings of the pages.
std::string temporaryPath() {
  static std::atomic<unsigned> sequence{0};
  char name[64];
  std::snprintf(name, sizeof name, "%s.kx-%ld-%u", kPageDirectory, static_cast<long>(::getpid()),
                sequence.fetch_add(1));
  return name;
}

struct OpenPage {
  std::string temporary;
  int fd = -1;
};

// Creates the page's temporary file; false when the page cannot be created: when the place
// of the page itself could not be opened for writing (a directory, a read-only file there)
// or the directory takes no new file.
bool create(OpenPage& page, std::string_view name) {
  // Non-blocking, so that a FIFO put in the way cannot stop the run.
  const int existing = ::open(pagePath(name).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (existing >= 0) {
    ::close(existing);
  } else if (errno != ENOENT) {
    return false;
  }
  page.temporary = temporaryPath();
  // Only a file made here is written: anything found at the name (a link planted there, whose
  // target would be overwritten) is taken away, never followed, and the name made afresh.
  constexpr int kCreate = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  page.fd = ::open(page.temporary.c_str(), kCreate, 0666);
  if (page.fd < 0 && errno == EEXIST && ::unlink(page.temporary.c_str()) == 0) {
    page.fd = ::open(page.temporary.c_str(), kCreate, 0666);
  }
  return page.fd >= 0;
}

void discard(OpenPage& page) {
  if (page.fd >= 0) ::close(page.fd);
  if (!page.temporary.empty()) ::unlink(page.temporary.c_str());
  page.fd = -1;
  page.temporary.clear();
}

std::string writeError(std::string_view name, int error) {
  return "ERROR: could not write " + pagePath(name) + ": " + std::strerror(error) + "\n";
}

// Writes `size` bytes and puts the page in place; the console text of a failure, or "".
std::string complete(OpenPage& page, std::string_view name, const char* bytes, std::size_t size) {
  if (!writeAllBytes(page.fd, bytes, size)) {
    const int error = errno;
    discard(page);
    return writeError(name, error);
  }
  const int fd = page.fd;
  page.fd = -1;
  if (::close(fd) != 0 || ::rename(page.temporary.c_str(), pagePath(name).c_str()) != 0) {
    const int error = errno;
    discard(page);
    return writeError(name, error);
  }
  page.temporary.clear();
  return "";
}

}  // namespace

OutputFile& GameFiles::add() {
  if (count == files.size()) files.emplace_back();
  OutputFile& file = files[count++];
  file.name.clear();
  file.size = 0;
  file.aroundNext = false;
  file.writtenBeforeNext = 0;
  return file;
}

std::string writeGameFiles(const GameFiles& game) {
  for (std::size_t i = 0; i < game.count; ++i) {
    const OutputFile& file = game.files[i];
    OpenPage page;
    if (!create(page, file.name)) return kCreateError;
    if (file.aroundNext && i + 1 < game.count) {
      const OutputFile& inner = game.files[++i];
      OpenPage innerPage;
      if (!create(innerPage, inner.name)) {
        std::string failed = complete(page, file.name, file.bytes.data(), file.writtenBeforeNext);
        return failed.empty() ? kCreateError : failed;
      }
      std::string failed = complete(innerPage, inner.name, inner.bytes.data(), inner.size);
      if (!failed.empty()) {
        discard(page);
        return failed;
      }
    }
    std::string failed = complete(page, file.name, file.bytes.data(), file.size);
    if (!failed.empty()) return failed;
  }
  return "";
}
