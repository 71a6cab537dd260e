// Shared set-up of the page writer tests: a clean game, an in-memory page, and a scratch directory.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "html/writer.h"
#include "players/player_table.h"
#include "run/config.h"
#include "run/game.h"
#include "run/scratch_pool.h"

namespace html_test {

// A game with no players, no map, free for all, and the configuration the tests assume.
inline void resetHtmlState() {
  initPlayers();
  initGlobals();
  resetScratchPool();
  setConfigDefaults();
  g_config_file_extension = "html";
  g_config_stylesheet = "c-kalimo.css";
  g_config_use_name_colors = "yes";
  g_config_display_unknown_team_players = "no";
  g_config_make_weapon_stats = "no";
  g_config_header_file = "no-such-header.html";
  g_config_footer_file = "no-such-footer.html";
  fpw = nullptr;
}

// Registers a player directly in the next free slot.
inline PlayerRecord& addTestPlayer(std::string_view rawName, int team) {
  const int slot = getTotalPlayers();
  PlayerRecord& p = q3players[slot];
  p.rawName = rawName;
  p.name = rawName;
  p.team = team;
  return p;
}

// Points the page stream at a memory buffer; text() hands back everything written since.
class PageCapture {
 public:
  PageCapture() { fpw = open_memstream(&buffer_, &size_); }
  ~PageCapture() {
    close();
    std::free(buffer_);
  }
  std::string text() {
    close();
    return std::string(buffer_, size_);
  }

 private:
  void close() {
    if (fpw != nullptr) {
      std::fclose(fpw);
      fpw = nullptr;
    }
  }
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
};

// Runs the test inside a fresh directory that has an "html" subdirectory (unless told not
// to), and returns to the old working directory afterwards.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(bool withHtmlDir = true) {
    char pattern[] = "/tmp/kx-html-test-XXXXXX";
    path_ = mkdtemp(pattern);
    if (getcwd(oldDir_, sizeof oldDir_) == nullptr) oldDir_[0] = '\0';
    if (chdir(path_.c_str()) != 0) std::abort();
    if (withHtmlDir && mkdir("html", 0700) != 0) std::abort();
  }
  ~ScratchDirectory() {
    if (oldDir_[0] != '\0' && chdir(oldDir_) != 0) std::abort();
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  char oldDir_[PATH_MAX];
};

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

// Number of non-overlapping occurrences of `needle` in `haystack`.
inline int countOf(std::string_view haystack, std::string_view needle) {
  int count = 0;
  for (std::size_t at = haystack.find(needle); at != std::string_view::npos;
       at = haystack.find(needle, at + needle.size())) {
    ++count;
  }
  return count;
}

}  // namespace html_test
