// Finds the main pages in the html directory and writes index.html from them (or from their
// game records), newest first.
#include "kx-index/games_index.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "kx-index/index_page.h"
#include "kx-index/page_reader.h"
#include "kx-index/record_reader.h"

namespace kxindex {

namespace {

constexpr const char kStemStart[] = "kalimostats_";
constexpr const char kMainSuffix[] = "_main.";
constexpr const char kWeaponSuffix[] = "_wpn.";
constexpr const char kIndexName[] = "index.html";
// Fixed, so that a run killed halfway leaves no more than this one file, which the next run
// removes; the directory lock keeps two runs from sharing it.
constexpr const char kTemporaryName[] = ".index.html.tmp";
constexpr const char kDefaultStylesheet[] = "c-kalimo.css";
constexpr std::size_t kStampLength = 19;  // YYYY_MM_DD_HH_MM_SS
// The program's pages are well under a megabyte, its records under one; what lies beyond
// these in a file is not read.
constexpr std::size_t kMaxPageBytes = 64u << 20;
constexpr std::size_t kMaxRecordBytes = 8u << 20;
constexpr std::size_t kFlushBytes = 1u << 16;
constexpr int kLockWaitSeconds = 60;
constexpr long kLockPollNanoseconds = 100L * 1000 * 1000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The only characters the program leaves in a page name.
bool nameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || isDigit(c) || c == '.' || c == '_';
}

bool startsWith(const std::string& s, const char* prefix) {
  return s.compare(0, std::strlen(prefix), prefix) == 0;
}

bool stampShape(const std::string& s) {
  if (s.size() != kStampLength) return false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const bool underscore = i == 4 || i == 7 || i == 10 || i == 13 || i == 16;
    if (underscore ? s[i] != '_' : !isDigit(s[i])) return false;
  }
  return true;
}

struct Listed {
  std::string fileName;
  PageName page;
  bool regular = false;  // the listing says it is a regular file (else it has to be asked)
};

// What one listing of the directory tells: the main pages, and the names of the weapon pages
// and game records beside them, so that a page's companions are found without asking the file
// system for each.
struct Listing {
  std::vector<Listed> pages;  // newest first
  std::vector<std::pair<std::string, bool>> companions;  // name, regular as Listed; sorted
  bool anyRecord = false;
};

enum class Companion { kAbsent, kRegular, kUnsure };

Companion companionOf(const Listing& listing, const std::string& name) {
  const auto at = std::lower_bound(listing.companions.begin(), listing.companions.end(), name,
                                   [](const std::pair<std::string, bool>& c, const std::string& n) { return c.first < n; });
  if (at == listing.companions.end() || at->first != name) return Companion::kAbsent;
  return at->second ? Companion::kRegular : Companion::kUnsure;
}

bool newerFirst(const Listed& a, const Listed& b) {
  if (a.page.stamp != b.page.stamp) return a.page.stamp > b.page.stamp;
  if (a.page.gameId != b.page.gameId) return a.page.gameId > b.page.gameId;
  return a.fileName > b.fileName;
}

bool regularFileAt(int dirFd, const std::string& name) {
  struct stat st {};
  return ::fstatat(dirFd, name.c_str(), &st, 0) == 0 && S_ISREG(st.st_mode);
}

// Reads the file into `text`; false with the reason in `error` when it cannot be read (ENOENT
// when there is no such file, EINVAL when it is not a regular file). A file longer than
// `limit` is read that far, with EFBIG in `error`.
bool readFileAt(int dirFd, const std::string& name, std::size_t limit, std::string* text, int* error) {
  text->clear();
  // Non-blocking, so that a FIFO swapped in after the listing cannot stop the run.
  const int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    *error = errno;
    return false;
  }
  struct stat st {};
  *error = ::fstat(fd, &st) != 0 ? errno : S_ISREG(st.st_mode) ? 0 : EINVAL;
  if (*error == 0) {
    if (static_cast<std::size_t>(st.st_size) > limit) *error = EFBIG;
    text->resize(std::min(static_cast<std::size_t>(st.st_size), limit));
    std::size_t got = 0;
    while (got < text->size()) {
      const ssize_t n = ::read(fd, &(*text)[got], text->size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) *error = errno;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    text->resize(got);
  }
  ::close(fd);
  return *error == 0 || *error == EFBIG;
}

// Lists the directory; false with errno set when it cannot be listed.
bool listPages(int dirFd, Listing* listing, std::vector<std::string>* notes) {
  const int listFd = ::dup(dirFd);
  DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
  if (dir == nullptr) {
    const int error = errno;
    if (listFd >= 0) ::close(listFd);
    errno = error;
    return false;
  }
  while (const dirent* entry = ::readdir(dir)) {
    Listed l;
    l.fileName = entry->d_name;
    l.regular = entry->d_type == DT_REG;
    if (entry->d_type != DT_REG && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) {
      if (parsePageName(l.fileName, &l.page)) notes->push_back(l.fileName + ": not a regular file, left out");
      continue;
    }
    if (parsePageName(l.fileName, &l.page)) {
      listing->pages.push_back(std::move(l));
    } else if (isRecordName(l.fileName) || l.fileName.find(kWeaponSuffix) != std::string::npos) {
      listing->anyRecord = listing->anyRecord || isRecordName(l.fileName);
      listing->companions.emplace_back(std::move(l.fileName), l.regular);
    } else if (startsWith(l.fileName, kStemStart) && l.fileName.find(kMainSuffix) != std::string::npos) {
      notes->push_back(l.fileName + ": not a page name kalimostats writes, left out");
    }
  }
  ::closedir(dir);
  std::sort(listing->pages.begin(), listing->pages.end(), newerFirst);
  std::sort(listing->companions.begin(), listing->companions.end());
  return true;
}

// Waits until no other run writes this directory's index. A file system without locks lets
// the run go on unlocked.
bool lockDirectory(int dirFd, const std::string& htmlDir, std::string* err) {
  const long polls = kLockWaitSeconds * (1000L * 1000 * 1000 / kLockPollNanoseconds);
  for (long i = 0; i <= polls; ++i) {
    if (::flock(dirFd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return true;
    const timespec pause{0, kLockPollNanoseconds};
    ::nanosleep(&pause, nullptr);
  }
  *err = "another kx-index has been writing the index of \"" + htmlDir + "\" for " +
         std::to_string(kLockWaitSeconds) + " s; not written";
  return false;
}

// Creates the temporary file of the index; -1 when it cannot.
int createTemporary(int dirFd, const std::string& tempPath, std::string* err) {
  for (int attempt = 0;; ++attempt) {
    const int fd = ::openat(dirFd, kTemporaryName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST || attempt > 0) break;
    // Under the lock nobody else uses the name: what has it was left by a killed run or put
    // there by someone else. Removing a link removes the link, never the file it points at.
    if (::unlinkat(dirFd, kTemporaryName, 0) != 0 && errno != ENOENT) break;
  }
  *err = "cannot write \"" + tempPath + "\": " + std::strerror(errno);
  return -1;
}

// The index's bytes on their way into the temporary file.
class IndexFile {
 public:
  explicit IndexFile(int fd) : fd_(fd) {}
  std::string* buffer() { return &buffer_; }
  void flushIfFull() {
    if (buffer_.size() >= kFlushBytes) flush();
  }
  // The error of the first write that failed; 0 when all went out.
  int finish() {
    flush();
    return error_;
  }

 private:
  void flush() {
    std::size_t done = 0;
    while (error_ == 0 && done < buffer_.size()) {
      const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        error_ = n < 0 ? errno : EIO;
        break;
      }
      done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
  }

  int fd_;
  int error_ = 0;
  std::string buffer_;
};

// Reads the row of a listed page: from its game record when it has one that can be read, else
// from the page. The page of a record's row is read only for its style sheet, when `needStyle`.
GameRow readRow(int dirFd, const Listing& listing, const Listed& l, bool needStyle, std::string* text,
                std::vector<std::string>* notes) {
  GameRow row;
  row.page = l.page;
  row.mainPage = l.fileName;
  bool fromRecord = false;
  int error = 0;
  const std::string record = recordOf(l.fileName);
  if (companionOf(listing, record) == Companion::kAbsent) {
    // no record: the page is read
  } else if (readFileAt(dirFd, record, kMaxRecordBytes, text, &error) && error == 0) {
    std::string why;
    fromRecord = readGameRecord(*text, &row, &why);
    if (!fromRecord) notes->push_back(record + ": " + why + "; the page is read instead");
  } else if (error != ENOENT) {
    notes->push_back(record + ": cannot be read (" + std::strerror(error) + "); the page is read instead");
  }
  if (fromRecord) {
    if (needStyle && readFileAt(dirFd, l.fileName, kMaxPageBytes, text, &error)) row.stylesheet = stylesheetOf(*text);
    return row;
  }
  if (!readFileAt(dirFd, l.fileName, kMaxPageBytes, text, &error)) {
    notes->push_back(l.fileName + ": cannot be read, listed without its details");
  }
  row = readGamePage(l.page, l.fileName, *text);
  if (!row.complete) notes->push_back(l.fileName + ": page is incomplete, listed as far as it goes");
  return row;
}

// Writes the rows of the listed pages, newest first, each read and written before the next;
// the head, which names the newest page's style sheet, goes first. Returns the rows written.
int writeRows(int dirFd, const Listing& listing, IndexFile* file, std::vector<std::string>* notes) {
  std::string pending;  // rows read before any page named a style sheet
  bool headWritten = false;
  std::string text;
  int number = 0;
  for (const Listed& l : listing.pages) {
    if (!l.regular && !regularFileAt(dirFd, l.fileName)) {
      notes->push_back(l.fileName + ": not a regular file, left out");
      continue;
    }
    GameRow row = readRow(dirFd, listing, l, !headWritten, &text, notes);
    const std::string weapons = weaponPageOf(l.fileName);
    const Companion w = companionOf(listing, weapons);
    if (w == Companion::kRegular || (w == Companion::kUnsure && regularFileAt(dirFd, weapons))) row.weaponPage = weapons;
    if (!headWritten && !row.stylesheet.empty()) {
      appendIndexHead(row.stylesheet, listing.anyRecord, file->buffer());
      *file->buffer() += pending;
      pending = std::string();
      headWritten = true;
    }
    appendIndexRow(row, ++number, headWritten ? file->buffer() : &pending);
    file->flushIfFull();
  }
  if (!headWritten) {
    appendIndexHead(kDefaultStylesheet, listing.anyRecord, file->buffer());
    *file->buffer() += pending;
  }
  appendIndexEnd(number == 0, file->buffer());
  return number;
}

}  // namespace

bool parsePageName(const std::string& fileName, PageName* out) {
  for (char c : fileName) {
    if (!nameChar(c)) return false;
  }
  if (!startsWith(fileName, kStemStart)) return false;
  const std::size_t main = fileName.rfind(kMainSuffix);
  if (main == std::string::npos) return false;
  const std::size_t stampAt = std::strlen(kStemStart);
  if (fileName.size() < stampAt + kStampLength + 1) return false;
  PageName p;
  p.stamp = fileName.substr(stampAt, kStampLength);
  if (!stampShape(p.stamp) || fileName[stampAt + kStampLength] != '_') return false;
  const std::size_t idAt = stampAt + kStampLength + 1;
  std::size_t idEnd = idAt;
  while (idEnd < fileName.size() && isDigit(fileName[idEnd])) ++idEnd;
  if (idEnd == idAt || idEnd - idAt > 9 || idEnd >= main || fileName[idEnd] != '_') return false;
  p.gameId = std::stol(fileName.substr(idAt, idEnd - idAt));
  p.label = fileName.substr(idEnd + 1, main - idEnd - 1);
  p.ext = fileName.substr(main + std::strlen(kMainSuffix));
  if (p.ext.empty() || p.ext.find('.') != std::string::npos) return false;
  *out = p;
  return true;
}

std::string weaponPageOf(const std::string& mainFileName) {
  const std::size_t main = mainFileName.rfind(kMainSuffix);
  if (main == std::string::npos) return std::string();
  return mainFileName.substr(0, main) + kWeaponSuffix + mainFileName.substr(main + std::strlen(kMainSuffix));
}

bool writeIndex(const std::string& htmlDir, int* gamesListed, std::vector<std::string>* notes,
                std::string* err) {
  const int dirFd = ::open(htmlDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) {
    *err = "cannot read the directory \"" + htmlDir + "\": " + std::strerror(errno);
    return false;
  }
  // The lock comes first, so that a run that waited lists what the run before it left.
  bool ok = lockDirectory(dirFd, htmlDir, err);
  Listing listing;
  if (ok && !listPages(dirFd, &listing, notes)) {
    *err = "cannot read the directory \"" + htmlDir + "\": " + std::strerror(errno);
    ok = false;
  }
  // A reader sees the old index or the new one, never half of one.
  const std::string finalPath = htmlDir + "/" + kIndexName;
  const std::string tempPath = htmlDir + "/" + kTemporaryName;
  const int fd = ok ? createTemporary(dirFd, tempPath, err) : -1;
  ok = fd >= 0;
  int rows = 0;
  if (ok) {
    IndexFile file(fd);
    rows = writeRows(dirFd, listing, &file, notes);
    int error = file.finish();
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
      *err = "cannot write \"" + tempPath + "\": " + std::strerror(error);
      ::unlinkat(dirFd, kTemporaryName, 0);
      ok = false;
    } else if (::renameat(dirFd, kTemporaryName, dirFd, kIndexName) != 0) {
      *err = "cannot rename \"" + tempPath + "\" to \"" + finalPath + "\": " + std::strerror(errno);
      ::unlinkat(dirFd, kTemporaryName, 0);
      ok = false;
    }
  }
  ::close(dirFd);  // and with it the lock
  if (ok) *gamesListed = rows;
  return ok;
}

}  // namespace kxindex
