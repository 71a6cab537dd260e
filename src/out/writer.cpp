// Page writers: the page stream, its lazy opening with the page names and SQL lines, and the byte-level writers.
#include "out/writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <string>

#include "out/escape.h"
#include "out/page_files.h"
#include "out/page_sink.h"
#include "run/config.h"
#include "run/main_loop.h"
#include "run/output_queue.h"
#include "base/strutil.h"

PageBuffer* fpw = nullptr;
Text510 out_filename_stats;
Text510 out_filename_wepns;

namespace {

constexpr char kStemStart[] = "kalimostats_";
constexpr char kMainPageSuffix[] = "main.";
constexpr char kWeaponPageSuffix[] = "wpn.";
constexpr std::size_t kMaxFileName = 255;  // NAME_MAX of Linux file systems

// Quake III colour index 0..7 to its HTML colour.
constexpr const char* kNameColors[8] = {"#555555", "#FF0000", "#00FF00", "#FFFF00",
                                         "#4444FF", "#00FFFF", "#FF00FF", "#FFFFFF"};

// The two pages of the game being written. The files are made when the pages are finished,
// by the output queue's writer when it runs, else here.
struct GamePages {
  PageBuffer main;
  PageBuffer weapon;
  bool hasWeapon = false;
  std::size_t mainBeforeWeapon = 0;
};

GamePages& pages() {
  static GamePages* p = new GamePages();  // never destroyed: used until exit
  return *p;
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

bool beginPage(std::string_view label) {
  char stem[kTextSize];
  buildPageStem(stem, label);
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
  p.weapon.clear();
  p.hasWeapon = false;
  p.mainBeforeWeapon = 0;
  fpw = &p.main;
  return true;
}

bool beginWeaponPage() {
  GamePages& p = pages();
  p.hasWeapon = true;
  p.mainBeforeWeapon = p.main.size();
  fpw = &p.weapon;
  return true;
}

void endWeaponPage() { fpw = &pages().main; }

bool finishPage() { return finishPage(std::string(), std::string()); }

bool finishPage(std::string recordName, std::string record) {
  GamePages& p = pages();
  fpw = nullptr;
  std::unique_ptr<PageJob> job = OutputQueue::running() ? OutputQueue::spareJob() : std::make_unique<PageJob>();
  job->mainName = out_filename_stats;
  job->weaponName = out_filename_wepns;
  job->hasWeapon = p.hasWeapon;
  job->mainBeforeWeapon = p.mainBeforeWeapon;
  job->recordName = std::move(recordName);
  job->record = std::move(record);
  job->mainSize = p.main.size();
  job->weaponSize = p.weapon.size();
  // The job takes the pages' bytes and leaves its own spent storage for the next game.
  p.main.swapStorage(job->main);
  p.weapon.swapStorage(job->weapon);
  if (OutputQueue::running()) {
    OutputQueue::submit(std::move(job));
    return true;
  }
  if (PageSink sink = pageSink()) {
    if (job->hasWeapon) sink(std::string_view(job->weapon.data(), job->weaponSize));
    sink(std::string_view(job->main.data(), job->mainSize));
    return true;
  }
  const std::string failure = writePageJob(*job);
  if (failure.empty()) return true;
  writeBytes(stdout, failure);
  return false;
}

void buildPageStem(char* dest, std::string_view label) {
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
  std::size_t labelLen = label.size();
  const std::size_t room = reserved < limit ? limit - reserved : 0;
  if (labelLen > room) labelLen = room;

  stem.append(label.substr(0, labelLen));
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
        wrText("</font>");
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
  wrText("</font>");
}

void htmlReadHeader() {
  static CopiedFile header;
  copyFileIntoPage(g_config_header_file, header);
}

void htmlReadFooter() {
  static CopiedFile footer;
  copyFileIntoPage(g_config_footer_file, footer);
}
