// Shared set-up of the output tests: a finished game built by hand, a page written in memory, a scratch directory.
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

#include "base/scratch_pool.h"
#include "game/game_result.h"
#include "game/player_table.h"
#include "out/writer.h"
#include "run/config.h"
#include "run/state.h"

namespace html_test {

// Adds a player to a finished game, with no figures, no quote, and no rival but himself.
inline PlayerRecord& addPlayer(GameResult& game, std::string_view rawName, int team) {
  game.players.reserve(MAX_PLAYERS);  // the references handed out stay valid
  const int slot = game.playerCount();
  PlayerRecord& p = game.players.emplace_back();
  p.rawName = rawName;
  p.name = rawName;
  p.team = team;
  p.quote = kSentinelName;
  game.easiestPrey.push_back(slot);
  game.worstEnemy.push_back(slot);
  return p;
}

// Runs `write` with a writer over a fresh page buffer and returns what it wrote.
template <class Write>
std::string written(const PageOptions& options, Write write) {
  PageBuffer page;
  PageNames names;
  names.main = "main.html";
  names.weapon = "wpn.html";
  PageWriter w(page, options, names, SiteFiles{});
  write(w);
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
