// Game boundaries: which lines end a game, whether it earns a page, and the end-of-game pipeline.
#include "run/game.h"

#include <cstdio>
#include <vector>

#include "out/page.h"
#include "out/writer.h"
#include "game/match_info.h"
#include "read/line_record.h"
#include "read/vocabulary.h"
#include "game/awards.h"
#include "game/osp_report.h"
#include "game/player_table.h"
#include "game/reconcile.h"
#include "game/teams.h"
#include "game/game_result.h"
#include "game/totals.h"
#include "run/config.h"
#include "run/main_loop.h"


namespace {

// The finished game; its storage is reused from game to game.
GameResult& finished() {
  static GameResult* result = new GameResult();  // never destroyed: pages may still be written at exit
  return *result;
}

bool isWarmupEnd(std::string_view line) {
  return line == "^3Match has begun!" || line == "^3All players ready!^7 Match starting...";
}

bool qualifies() {
  if (g_game.g_make_html != 1) return false;
  // A team deathmatch is still type 0 here; it becomes type 1 only in the totals.
  if (g_game.g_gametype == GT_FFA) return getTotalPlayers() > 1;
  if (isTeamGameType(g_game.g_gametype)) {
    return getTeamTotalPlayers(TEAM_RED) > 0 && getTeamTotalPlayers(TEAM_BLUE) > 0;
  }
  return false;
}

bool writeGame() {
  if (g_game.g_connect_sequence == kGameEnded) {
    std::fputs("\nServer connect/reconnect detected:\n", stdout);
    std::fputs("Forcing html stats generation.\n", stdout);
  }
  assignTeamToUnknownPlayers();
  mergeAllIdenticalPlayers();
  addUpTables();
  assignAwards();
  fixPlayerNames();
  sort();
  if (g_run.g_game_count == kLastGameId) g_run.g_game_count = kFirstGameId;
  ++g_run.g_game_count;
  std::printf("\nGenerating Stats ----------------<GAME ID %d>-----\n", g_run.g_game_count);
  printPlayers();
  // The game label is made here, at the point of the run where the page naming has always
  // made it (its name search counts in the scratch pool).
  takeGameResult(finished());
  if (!makeHtml(finished(), isYes(g_config_write_game_records))) return false;
  std::fputs("-------------------------------------<done>---------\n", stdout);
  std::fputs("\n", stdout);
  return true;
}

}  // namespace

bool checkForNewGameStart(std::string_view text) {
  static LineRecord line;
  line.setText(text);
  return checkForNewGameStart(line);
}

bool checkForNewGameStart(const LineRecord& record) {
  const ScannedText& line = record.raw;
  // Asked before the OSP report is read: the report's lines come from the same reader, which
  // may reuse this line's record for them.
  const bool warmupEnd = isWarmupEnd(line.text);
  // The first boundary text in table order that acts decides; the others are passed over.
  for (int i = 0; reset_strings[i] != nullptr; ++i) {
    if (!line.scan.hasEntry(kResetStrings, i)) continue;
    const BoundaryKind kind = boundaryKind(i);
    if (kind == BoundaryKind::kRules) {
      scanOspStats();  // the OSP report follows the line that ended the match
      g_game.g_reset_count = kGameEnded;
      break;
    }
    if (kind == BoundaryKind::kLeft || (kind == BoundaryKind::kOspComplete && g_run.g_mod == 1)) {
      g_game.g_reset_count = kGameEnded;
      break;
    }
  }

  if (g_game.g_connect_sequence == kGameEnded) g_game.g_reset_count = kGameEnded;

  // Everything so far was the warm-up before the real match: drop it.
  if (warmupEnd) {
    g_game.g_make_html = 0;
    g_game.g_reset_count = kGameEnded;
    std::fputs("\nOSP warm-up detected: Skipping html generation for warm-up.\n", stdout);
  }

  if (g_game.g_reset_count != kGameEnded) return true;

  if (qualifies() && !writeGame()) return false;

  fpw = nullptr;
  initPlayers();
  initGlobals();
  return true;
}

