// Match information lines: the OSP announcement, map, Clan Arena rounds, connects, renames and leaves.
#include "game/match_info.h"

#include <cstdio>
#include <cstring>

#include "base/console.h"
#include "read/line_record.h"
#include "game/obituary.h"
#include "game/player_table.h"
#include "game/reconcile.h"
#include "game/game.h"
#include "read/line_reader.h"
#include "base/strutil.h"

namespace {

constexpr char kLeaveMarker[] = "^7<font color=#CC6600>&nbsp;x</font>";

// The third blank-separated word of the line, as a scanf of three words would read it.
bool thirdWord(std::string_view line, std::string_view* word) {
  std::size_t i = 0;
  auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; };
  for (int w = 0; w < 3; ++w) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i == line.size()) return false;
    const std::size_t start = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    if (w == 2) *word = line.substr(start, i - start);
  }
  return true;
}

void readMap(Game& game, std::string_view raw) {
  std::string_view word;
  if (thirdWord(raw, &word)) {
    game.state.g_mapname.assign(word);
    toLowerCase(game.state.g_mapname.data());
  }
  consoleWrite("MAP: ");
  consoleWrite(game.state.g_mapname.view());
  consoleWrite("\n");
}

// A player seen again: on another team (or without one) the old record is closed under a
// numbered marker, so the entry line starts a fresh record under the plain name.
void markReentry(Game& game, const ScannedText& raw) {
  const int n = game.players.getTotalPlayers();
  const int p = getVictim(game.players, raw);
  if (p >= n) return;
  const PlayerRecord& player = game.players[p];
  if ((player.team == TEAM_RED && raw.has(kTextEnteredRed)) ||
      (player.team == TEAM_BLUE && raw.has(kTextEnteredBlue))) {
    return;
  }
  ++game.state.g_int_swap;
  const int q = mergeIdenticalPlayerNonChopped(game.players, p);
  PlayerRecord& target = game.players[q < game.players.getTotalPlayers() ? q : p];
  target.disconnected = 1;
  char marker[64];
  std::snprintf(marker, sizeof marker, "^7<font color=#CC6600>&nbsp;%d</font>", game.state.g_int_swap);
  target.appendMark(marker);
  target.marks.rejoined = game.state.g_int_swap;
}

LineUse markLeave(Game& game, LineRecord& line) {
  // The game cuts long names in this message; two bytes of the cut fall at 29 and 30.
  const bool longName = getVictimName(line.raw).size() > kCutNameLength;
  if (longName && line.stripped.has(kTextDisconnected)) {
    char* raw = line.rawBuffer;
    const std::size_t len = line.raw.text.size();
    if (len > kCutNameLength + 1) {
      std::memmove(raw + kCutNameLength, raw + kCutNameLength + 2, len - kCutNameLength - 1);
    }
    line.scanRaw(std::strlen(raw));
    line.stripAndScan();
  }
  const int n = game.players.getTotalPlayers();
  const int p = getVictim(game.players, line.raw);
  if (p >= n) return LineUse::kHandled;
  // Asked of the line as it now stands: the cut may have broken the word.
  const bool disconnected = line.stripped.has(kTextDisconnected);
  const int q = disconnected ? mergeIdenticalPlayerChopped(game.players, p) : mergeIdenticalPlayerNonChopped(game.players, p);
  PlayerRecord& target = game.players[q < game.players.getTotalPlayers() ? q : p];
  target.appendMark(kLeaveMarker);
  target.marks.left = true;
  target.disconnected = 1;
  return LineUse::kHandled;
}

}  // namespace

LineUse updateMiscInfo(Game& game, LineRecord& line) {
  const TextScan& s = line.stripped.scan;
  const std::string_view raw = line.raw.text;

  const bool shutdown = s.has(kTextReShutdown);
  if (!shutdown) {
    if (s.has(kTextOspLoaded)) {
      game.log.g_mod = 1;
      return LineUse::kHandled;
    }
    if (s.has(kTextUsingModel)) return LineUse::kHandled;
    if (s.has(kTextCurrentMap)) {
      readMap(game, raw);
      return LineUse::kHandled;
    }
    const TextScan& r = line.raw.scan;
    if (r.has(kTextRedLeads)) {
      ++game.state.g_ca_win_red;
      game.state.g_gametype = GT_CA;
      return LineUse::kHandled;
    }
    if (r.has(kTextBlueLeads)) {
      ++game.state.g_ca_win_blue;
      game.state.g_gametype = GT_CA;
      return LineUse::kHandled;
    }
    if (r.has(kTextTied)) {
      // A tied round goes to the side that was behind.
      if (game.state.g_ca_win_red > game.state.g_ca_win_blue) {
        ++game.state.g_ca_win_blue;
      } else if (game.state.g_ca_win_red < game.state.g_ca_win_blue) {
        ++game.state.g_ca_win_red;
      }
      game.state.g_gametype = GT_CA;
      return LineUse::kHandled;
    }
  } else {
    game.log.g_mod = 0;
  }

  if (game.state.g_connect_sequence == 0 && (s.has(kTextConnect) || s.has(kTextReconnect))) {
    game.state.g_connect_sequence = 1;
    return LineUse::kHandled;
  }
  if (game.state.g_connect_sequence == 1 && s.has(kTextResolved)) {
    game.state.g_connect_sequence = 2;
    return LineUse::kHandled;
  }
  if (game.state.g_connect_sequence == 2 && shutdown) {
    game.state.g_connect_sequence = kGameEnded;  // the boundary step ends the game on this same line
  }

  if (s.has(kTextRenamed)) {
    const int p = getVictim(game.players, line.raw);
    // A name not in the table is renamed in the sink record, where nobody sees it.
    PlayerRecord& player = game.players[p];
    player.name.assign(getAttackerName(line.stripped));
    player.rawName.assign(getAttackerName(line.raw));
    return LineUse::kHandled;
  }

  const bool leaving = s.has(kTextDisconnected) || s.has(kTextOverflow) ||
                       s.has(kTextLostCommands) || s.has(kTextKicked);
  if (!leaving) {
    // Server logs carry no team-coloured entries, so re-entries are told apart on clients only.
    if (s.has(kTextEntered) && game.log.g_log_type == 0) markReentry(game, line.raw);
    return LineUse::kPassedOn;
  }
  return markLeave(game, line);
}
