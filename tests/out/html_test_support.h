// Shared set-up of the page writer tests: a clean game, an in-memory page, a scratch directory.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "out/writer.h"
#include "game/player_table.h"
#include "run/config.h"
#include "run/game.h"
#include "base/scratch_pool.h"

namespace html_test {

// A game with no players, no map, free for all, and the configuration the tests assume.
inline void resetHtmlState() {
  q3players.initPlayers();
  g_game.reset();
  resetScratchPool();
  setConfigDefaults();
  g_config_make_weapon_stats = "no";
  g_config_header_file = "no-such-header.html";
  g_config_footer_file = "no-such-footer.html";
  fpw = nullptr;
}

// Registers a player directly in the next free slot.
inline PlayerRecord& addTestPlayer(std::string_view rawName, int team) {
  PlayerRecord& p = q3players[getTotalPlayers()];
  p.rawName = rawName;
  p.name = rawName;
  p.team = team;
  return p;
}

// Runs `write` with the writers pointed at a fresh page buffer and returns what it wrote.
template <class Write>
std::string written(Write write) {
  PageBuffer page;
  fpw = &page;
  write();
  fpw = nullptr;
  return std::string(page.view());
}

// Runs the test inside a fresh directory holding an empty "html" directory.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    char pattern[] = "/tmp/kx-html-test-XXXXXX";
    path_ = mkdtemp(pattern);
    if (getcwd(oldDir_, sizeof oldDir_) == nullptr || chdir(path_.c_str()) != 0 || mkdir("html", 0700) != 0) {
      std::abort();
    }
  }
  ~ScratchDirectory() {
    if (chdir(oldDir_) != 0) std::abort();
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

 private:
  std::string path_;
  char oldDir_[PATH_MAX];
};

inline std::string readFile(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

}  // namespace html_test
