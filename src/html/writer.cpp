// Page writers: the page stream, its lazy opening with the page names and SQL lines, and the byte-level writers.
#include "html/writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <string>

#include "html/escape.h"
#include "html/page_sink.h"
#include "players/clans.h"
#include "run/config.h"
#include "run/main_loop.h"
#include "run/strutil.h"

PageBuffer* fpw = nullptr;
Text510 out_filename_stats;
Text510 out_filename_wepns;

namespace {

constexpr char kStemStart[] = "kalimostats_";
constexpr char kMainPageSuffix[] = "main.";
constexpr char kWeaponPageSuffix[] = "wpn.";
constexpr char kPageDirectory[] = "html/";
constexpr std::size_t kMaxFileName = 255;  // NAME_MAX of Linux file systems

// Quake III colour index 0..7 to its HTML colour.
constexpr const char* kNameColors[8] = {"#555555", "#FF0000", "#00FF00", "#FFFF00",
                                         "#4444FF", "#00FFFF", "#FF00FF", "#FFFFFF"};

// The two pages of the game being written: their buffers and their files, created as soon as
// the pages are begun so that a page that cannot be created stops the run at that point.
struct GamePages {
  PageBuffer main;
  PageBuffer weapon;
  int mainFd = -1;
  int weaponFd = -1;
};

GamePages& pages() {
  static GamePages* p = new GamePages();  // never destroyed: used until exit
  return *p;
}

// Creates (or empties) html/<fileName> as fopen(..., "w") would; -1 when it cannot.
int createPageFile(const Text510& fileName) {
  if (pageSink() != nullptr) return kPageInMemory;
  char path[sizeof kPageDirectory + kTextSize];
  std::memcpy(path, kPageDirectory, sizeof kPageDirectory);
  std::memcpy(path + sizeof kPageDirectory - 1, fileName.c_str(), fileName.size() + 1);
  return ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

void writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // as the stream writes did: a failed write is not reported
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void closePage(int& fd, PageBuffer& page) {
  if (fd < 0) return;
  if (fd == kPageInMemory) {
    pageSink()(page.view());
  } else {
    writeAll(fd, page.view());
    ::close(fd);
  }
  fd = -1;
  page.clear();
}

// The header and footer files, read again only when they change: every page copies them.
struct CopiedFile {
  std::string bytes;
  bool present = false;
  struct stat seen {};
  bool known = false;
};

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Copies a file into the page in fgets-sized pieces. fgets does not report how much it read,
// so the buffer is pre-filled with '\n' to find the end of each piece even when the file
// holds NUL bytes: every byte of the file reaches the page, except where a piece's visible
// text ends at a NUL as fgets leaves it.
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

void copyFileIntoPage(const Text510& fileName, CopiedFile& cache) {
  struct stat now;
  const bool exists = ::stat(fileName.c_str(), &now) == 0;
  if (!(exists && cache.known && sameFile(now, cache.seen))) {
    cache.bytes.clear();
    cache.present = false;
    cache.known = false;
    if (std::FILE* in = std::fopen(fileName.c_str(), "rb")) {
      readPieces(in, cache.bytes);
      std::fclose(in);
      cache.present = true;
      cache.known = exists;
      cache.seen = now;
    }
  }
  if (cache.present) wrText(cache.bytes);
}

}  // namespace

bool beginPage() {
  char stem[kTextSize];
  buildPageStem(stem);
  out_filename_stats = stem;
  out_filename_wepns = stem;
  out_filename_stats.append(kMainPageSuffix);
  out_filename_stats.append(g_config_file_extension.view());
  out_filename_wepns.append(kWeaponPageSuffix);
  out_filename_wepns.append(g_config_file_extension.view());

  // Only a run opens the SQL file; pages written without it (tests) just have no record.
  if (g_run.fp_sql_gamestats != nullptr) {
    std::fputs("SELECT @oldestHtml:=MIN(html) from gamestats;\n", g_run.fp_sql_gamestats);
    std::fputs("UPDATE gamestats SET html='", g_run.fp_sql_gamestats);
    writeBytes(g_run.fp_sql_gamestats, out_filename_stats.view());
    std::fputs("' WHERE html=@oldestHtml LIMIT 1;\n", g_run.fp_sql_gamestats);
  }

  return createMainPage();
}

bool createMainPage() {
  GamePages& p = pages();
  p.main.clear();
  p.mainFd = createPageFile(out_filename_stats);
  if (p.mainFd < 0) {
    std::printf("ERROR: couldnt open file to write\n");
    return false;
  }
  fpw = &p.main;
  return true;
}

bool beginWeaponPage() {
  GamePages& p = pages();
  p.weapon.clear();
  p.weaponFd = createPageFile(out_filename_wepns);
  if (p.weaponFd < 0) {
    // The main page was closed before the weapon page was tried: what it holds stays.
    closePage(p.mainFd, p.main);
    fpw = nullptr;
    std::printf("ERROR: couldnt open file to write\n");
    return false;
  }
  fpw = &p.weapon;
  return true;
}

void endWeaponPage() { fpw = &pages().main; }

void finishPage() {
  GamePages& p = pages();
  closePage(p.weaponFd, p.weapon);
  closePage(p.mainFd, p.main);
  fpw = nullptr;
}

void buildPageStem(char* dest) {
  char label[kTextSize];
  detectClans(label);
  label[kTextSize - 1] = '\0';

  char gameId[16];
  std::snprintf(gameId, sizeof gameId, "%d", g_run.g_game_count);
  Text510 stem;
  stem.assign(kStemStart);
  stem.append(g_run.g_time_now.view());
  stem.append("_");
  stem.append(gameId);
  stem.append("_");

  // A very long game label (clan tags made of absurdly long names) is cut so that the longer
  // of the two page names still fits both our 510-byte names and the file system's limit on a
  // file name; otherwise one odd game would end the run for all the games after it.
  const std::size_t reserved = stem.size() + 1 /* final '_' */ + (sizeof kMainPageSuffix - 1) +
                               g_config_file_extension.size();
  const std::size_t limit = Text510::kCapacity < kMaxFileName ? Text510::kCapacity : kMaxFileName;
  std::size_t labelLen = std::strlen(label);
  const std::size_t room = reserved < limit ? limit - reserved : 0;
  if (labelLen > room) labelLen = room;

  stem.append(std::string_view(label, labelLen));
  stem.append("_");
  std::memcpy(dest, stem.c_str(), stem.size() + 1);
  stripIllegalFilenameChars(dest);
}

void wr(const char* format, ...) {
  va_list args;
  va_start(args, format);
  fpw->format(format, args);
  va_end(args);
}

void wrText(std::string_view text) { fpw->append(text); }

void htmlWriteQ3String(std::string_view name) {
  const bool colors = isYes(g_config_use_name_colors);
  wr(colors ? "<font color=#FFFFFF>" : "<font size=\"0\">");

  // Plain characters are gathered into runs and written as literal bytes.
  std::size_t runStart = 0;
  std::size_t i = 0;
  const std::size_t len = name.size();
  while (i + 1 < len) {
    if (name[i] == '^' && name[i + 1] != '^') {
      wrNameText(name.substr(runStart, i - runStart));
      if (colors) {
        wr("</font>");
        // Signed remainder on purpose: bytes 128..255 give negative indices, which select no
        // colour, except those that are a multiple of 8 (colour 0).
        const int index = static_cast<signed char>(name[i + 1]) % 8;
        if (index >= 0) wr("<font color=%s>", kNameColors[index]);
      }
      i += 2;
      runStart = i;
    } else {
      ++i;
    }
  }
  // The last character is written unless a colour code consumed it.
  wrNameText(name.substr(runStart, len > runStart ? len - runStart : 0));
  wr("</font>");
}

void htmlReadHeader() {
  static CopiedFile header;
  copyFileIntoPage(g_config_header_file, header);
}

void htmlReadFooter() {
  static CopiedFile footer;
  copyFileIntoPage(g_config_footer_file, footer);
}
