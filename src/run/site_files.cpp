// Site files: the header and footer every page copies, read in fgets-sized pieces and kept while unchanged.
#include "run/site_files.h"

#include <cstdio>
#include <cstring>

#include "base/fixed_string.h"

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Copies a file in fgets-sized pieces. fgets does not report how much it read, so the buffer
// is pre-filled with '\n' to find the end of each piece even when the file holds NUL bytes:
// every byte of the file is kept, except where a piece's visible text ends at a NUL as fgets
// leaves it.
void readPieces(std::FILE* in, std::string& out) {
  char piece[kTextSize];
  for (;;) {
    std::memset(piece, '\n', sizeof piece);
    if (std::fgets(piece, sizeof piece, in) == nullptr) break;
    const void* firstNewline = std::memchr(piece, '\n', sizeof piece);
    std::size_t len;
    if (firstNewline == nullptr) {
      len = sizeof piece - 1;  // a full piece: 509 bytes, no line end among them
    } else {
      const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(firstNewline) - piece);
      if (at + 1 < sizeof piece && piece[at + 1] == '\0') {
        len = at + 1;  // a line with its line end
      } else {
        len = at - 1;  // the last piece of a file without a final line end; piece[at-1] is the NUL
      }
    }
    out.append(piece, len);
  }
}

}  // namespace

std::string_view SiteFile::bytes(const std::string& fileName) {
  struct stat now;
  const bool exists = ::stat(fileName.c_str(), &now) == 0;
  if (!(exists && known_ && sameFile(now, seen_))) {
    bytes_.clear();
    known_ = false;
    if (std::FILE* in = std::fopen(fileName.c_str(), "rb")) {
      readPieces(in, bytes_);
      std::fclose(in);
      known_ = exists;
      seen_ = now;
    }
  }
  return bytes_;
}

