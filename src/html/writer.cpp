// Page writers: the page stream, its lazy opening with the page names and SQL lines, and the byte-level writers.
#include "html/writer.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "players/clans.h"
#include "run/config.h"
#include "run/main_loop.h"
#include "run/strutil.h"

std::FILE* fpw = nullptr;
Text510 out_filename_stats;
Text510 out_filename_wepns;

namespace {

constexpr char kStemStart[] = "kalimostats_";
constexpr char kMainPageSuffix[] = "main.";
constexpr char kWeaponPageSuffix[] = "wpn.";
constexpr char kPageDirectory[] = "html/";
constexpr std::size_t kPageBufferSize = 1 << 16;
constexpr std::size_t kMaxFileName = 255;  // NAME_MAX of Linux file systems

// Quake III colour index 0..7 to its HTML colour.
constexpr const char* kNameColors[8] = {"#555555", "#FF0000", "#00FF00", "#FFFF00",
                                         "#4444FF", "#00FFFF", "#FF00FF", "#FFFFFF"};

// Creates the main page of the current game: names both pages, records the main page in the
// SQL file and opens it. Exits with status 1 when the file cannot be created.
void openMainPage() {
  char stem[kTextSize];
  buildPageStem(stem);
  out_filename_stats = stem;
  out_filename_wepns = stem;
  out_filename_stats.append(kMainPageSuffix);
  out_filename_stats.append(g_config_file_extension.view());
  out_filename_wepns.append(kWeaponPageSuffix);
  out_filename_wepns.append(g_config_file_extension.view());

  // Only a run opens the SQL file; pages written without it (tests) just have no record.
  if (fp_sql_gamestats != nullptr) {
    std::fputs("SELECT @oldestHtml:=MIN(html) from gamestats;\n", fp_sql_gamestats);
    std::fputs("UPDATE gamestats SET html='", fp_sql_gamestats);
    writeBytes(fp_sql_gamestats, out_filename_stats.view());
    std::fputs("' WHERE html=@oldestHtml LIMIT 1;\n", fp_sql_gamestats);
  }

  fpw = openPageFile(out_filename_stats, "w");
}

void ensurePageOpen() {
  if (fpw == nullptr) openMainPage();
}

// Copies a file into the page in fgets-sized pieces. fgets does not report how much it read,
// so the buffer is pre-filled with '\n' to find the end of each piece even when the file
// holds NUL bytes: every byte of the file reaches the page.
void copyFileIntoPage(const Text510& fileName) {
  std::FILE* in = std::fopen(fileName.c_str(), "rb");
  if (in == nullptr) return;
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
    wrText(std::string_view(piece, len));
  }
  std::fclose(in);
}

}  // namespace

std::FILE* openPageFile(const Text510& fileName, const char* mode) {
  char path[sizeof kPageDirectory + kTextSize];
  std::memcpy(path, kPageDirectory, sizeof kPageDirectory);
  std::memcpy(path + sizeof kPageDirectory - 1, fileName.c_str(), fileName.size() + 1);
  std::FILE* f = std::fopen(path, mode);
  if (f == nullptr) {
    std::printf("ERROR: couldnt open file to write\n");
    std::exit(1);
  }
  // Pages run to megabytes in small fragments: a large buffer saves most of the writes.
  std::setvbuf(f, nullptr, _IOFBF, kPageBufferSize);
  return f;
}

void buildPageStem(char* dest) {
  char label[kTextSize];
  detectClans(label);
  label[kTextSize - 1] = '\0';

  char gameId[16];
  std::snprintf(gameId, sizeof gameId, "%d", g_game_count);
  Text510 stem;
  stem.assign(kStemStart);
  stem.append(g_time_now.view());
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
  ensurePageOpen();
  // Most templates have no conversion at all: they go out as they stand.
  if (std::strchr(format, '%') == nullptr) {
    std::fputs(format, fpw);
    return;
  }
  va_list args;
  va_start(args, format);
  std::vfprintf(fpw, format, args);
  va_end(args);
}

void wrText(std::string_view text) {
  ensurePageOpen();
  writeBytes(fpw, text);
}

void htmlWriteQ3String(std::string_view name) {
  const bool colors = isYes(g_config_use_name_colors);
  wr(colors ? "<font color=#FFFFFF>" : "<font size=\"0\">");

  // Plain characters are gathered into runs and written as literal bytes.
  std::size_t runStart = 0;
  std::size_t i = 0;
  const std::size_t len = name.size();
  while (i + 1 < len) {
    if (name[i] == '^' && name[i + 1] != '^') {
      wrText(name.substr(runStart, i - runStart));
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
  wrText(name.substr(runStart, len > runStart ? len - runStart : 0));
  wr("</font>");
}

void htmlReadHeader() { copyFileIntoPage(g_config_header_file); }

void htmlReadFooter() { copyFileIntoPage(g_config_footer_file); }
