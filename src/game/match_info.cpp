// Match information lines: the OSP announcement, map, Clan Arena rounds, connects, renames and leaves.
#include "game/match_info.h"

#include <cstdio>
#include <cstring>

#include "read/line_record.h"
#include "game/obituary.h"
#include "game/player_table.h"
#include "game/reconcile.h"
#include "run/game.h"
#include "read/line_reader.h"
#include "run/main_loop.h"
#include "base/strutil.h"

namespace {

constexpr char kLeaveMarker[] = "^7<font color=#CC6600>&nbsp;x</font>";

int playerCount() { return getTotalPlayers(); }

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

void readMap(std::string_view raw) {
  std::string_view word;
  if (thirdWord(raw, &word)) {
    g_game.g_mapname.assign(word);
    toLowerCase(g_game.g_mapname.data());
  }
  std::fputs("MAP: ", stdout);
  writeBytes(stdout, g_game.g_mapname.view());
  std::fputs("\n", stdout);
}

// A player seen again: on another team (or without one) the old record is closed under a
// numbered marker, so the entry line starts a fresh record under the plain name.
void markReentry(const ScannedText& raw) {
  const int n = playerCount();
  const int p = getVictim(raw);
  if (p >= n) return;
  const PlayerRecord& player = q3players[p];
  if ((player.team == TEAM_RED && raw.has(kTextEnteredRed)) ||
      (player.team == TEAM_BLUE && raw.has(kTextEnteredBlue))) {
    return;
  }
  ++g_game.g_int_swap;
  const int q = mergeIdenticalPlayerNonChopped(p);
  PlayerRecord& target = q3players[q < playerCount() ? q : p];
  target.disconnected = 1;
  char marker[64];
  std::snprintf(marker, sizeof marker, "^7<font color=#CC6600>&nbsp;%d</font>", g_game.g_int_swap);
  target.appendMark(marker);
  target.marks.rejoined = g_game.g_int_swap;
}

int markLeave(LineRecord& line) {
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
  const int n = playerCount();
  const int p = getVictim(line.raw);
  if (p >= n) return 1;
  // Asked of the line as it now stands: the cut may have broken the word.
  const bool disconnected = line.stripped.has(kTextDisconnected);
  const int q = disconnected ? mergeIdenticalPlayerChopped(p) : mergeIdenticalPlayerNonChopped(p);
  PlayerRecord& target = q3players[q < playerCount() ? q : p];
  target.appendMark(kLeaveMarker);
  target.marks.left = true;
  target.disconnected = 1;
  return 1;
}

}  // namespace

int updateMiscInfo(LineRecord& line) {
  const TextScan& s = line.stripped.scan;
  const std::string_view raw = line.raw.text;

  const bool shutdown = s.has(kTextReShutdown);
  if (!shutdown) {
    if (s.has(kTextOspLoaded)) {
      g_run.g_mod = 1;
      return 1;
    }
    if (s.has(kTextUsingModel)) return 1;
    if (s.has(kTextCurrentMap)) {
      readMap(raw);
      return 1;
    }
    const TextScan& r = line.raw.scan;
    if (r.has(kTextRedLeads)) {
      ++g_game.g_ca_win_red;
      g_game.g_gametype = GT_CA;
      return 1;
    }
    if (r.has(kTextBlueLeads)) {
      ++g_game.g_ca_win_blue;
      g_game.g_gametype = GT_CA;
      return 1;
    }
    if (r.has(kTextTied)) {
      // A tied round goes to the side that was behind.
      if (g_game.g_ca_win_red > g_game.g_ca_win_blue) {
        ++g_game.g_ca_win_blue;
      } else if (g_game.g_ca_win_red < g_game.g_ca_win_blue) {
        ++g_game.g_ca_win_red;
      }
      g_game.g_gametype = GT_CA;
      return 1;
    }
  } else {
    g_run.g_mod = 0;
  }

  if (g_game.g_connect_sequence == 0 && (s.has(kTextConnect) || s.has(kTextReconnect))) {
    g_game.g_connect_sequence = 1;
    return 1;
  }
  if (g_game.g_connect_sequence == 1 && s.has(kTextResolved)) {
    g_game.g_connect_sequence = 2;
    return 1;
  }
  if (g_game.g_connect_sequence == 2 && shutdown) {
    g_game.g_connect_sequence = kGameEnded;  // the boundary step ends the game on this same line
  }

  if (s.has(kTextRenamed)) {
    const int p = getVictim(line.raw);
    // A name not in the table is renamed in the sink record, where nobody sees it.
    PlayerRecord& player = q3players[p];
    player.name.assign(getAttackerName(line.stripped));
    player.rawName.assign(getAttackerName(line.raw));
    return 1;
  }

  const bool leaving = s.has(kTextDisconnected) || s.has(kTextOverflow) ||
                       s.has(kTextLostCommands) || s.has(kTextKicked);
  if (!leaving) {
    // Server logs carry no team-coloured entries, so re-entries are told apart on clients only.
    if (s.has(kTextEntered) && g_run.g_log_type == 0) markReentry(line.raw);
    return 0;
  }
  return markLeave(line);
}

int updateMiscInfo(char* line, char* strippedLine) {
  static LineRecord record;
  record.setText(line);
  resolveSlots(record);
  const int done = updateMiscInfo(record);
  std::memcpy(line, record.rawBuffer, record.raw.text.size() + 1);
  std::memcpy(strippedLine, record.strippedBuffer, record.stripped.text.size() + 1);
  return done;
}
