// Match information lines: the OSP announcement, map, Clan Arena rounds, connects, renames and leaves.
#include "log/match_info.h"

#include <cstdio>
#include <cstring>

#include "log/text_match.h"
#include "players/obituary.h"
#include "players/player_table.h"
#include "players/reconcile.h"
#include "run/game.h"
#include "run/line_reader.h"
#include "run/main_loop.h"
#include "run/strutil.h"

int g_mod = 0;

namespace {

constexpr int kGameTypeClanArena = 3;
constexpr std::size_t kCutNameLength = 29;
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
    g_mapname.assign(word);
    toLowerCase(g_mapname.data());
  }
  std::fputs("MAP: ", stdout);
  writeBytes(stdout, g_mapname.view());
  std::fputs("\n", stdout);
}

// A player seen again: on another team (or without one) the old record is closed under a
// numbered marker, so the entry line starts a fresh record under the plain name.
void markReentry(std::string_view raw) {
  const int n = playerCount();
  const int p = getVictim(raw);
  if (p >= n) return;
  const PlayerRecord& player = q3players[p];
  if ((player.team == TEAM_RED && hasText(raw, KX_TEXT(" entered the game (^1RED^7)"))) ||
      (player.team == TEAM_BLUE && hasText(raw, KX_TEXT(" entered the game (^4BLUE^7)")))) {
    return;
  }
  ++g_int_swap;
  const int q = mergeIdenticalPlayerNonChopped(p);
  PlayerRecord& target = q3players[q < playerCount() ? q : p];
  target.disconnected = 1;
  char marker[64];
  std::snprintf(marker, sizeof marker, "^7<font color=#CC6600>&nbsp;%d</font>", g_int_swap);
  target.rawName.append(marker);
}

int markLeave(char* line, char* strippedLine) {
  static const TextId kDisconnected = textId("disconnected");
  std::string_view raw(line);
  // The game cuts long names in this message; two bytes of the cut fall at 29 and 30.
  const bool longName = getVictimName(raw).size() > kCutNameLength;
  if (longName && hasText(std::string_view(strippedLine), kDisconnected)) {
    const std::size_t len = raw.size();
    if (len > kCutNameLength + 1) {
      std::memmove(line + kCutNameLength, line + kCutNameLength + 2, len - kCutNameLength - 1);
    }
    raw = std::string_view(line);
    stripColorCodes(raw, strippedLine);
  }
  const int n = playerCount();
  const int p = getVictim(raw);
  if (p >= n) return 1;
  // Asked of the line as it now stands: the cut may have broken the word.
  const bool disconnected = hasText(std::string_view(strippedLine), kDisconnected);
  const int q = disconnected ? mergeIdenticalPlayerChopped(p) : mergeIdenticalPlayerNonChopped(p);
  PlayerRecord& target = q3players[q < playerCount() ? q : p];
  target.rawName.append(kLeaveMarker);
  target.disconnected = 1;
  return 1;
}

}  // namespace

namespace {

// The texts this handler asks about, registered before any line is scanned.
struct MatchTexts {
  TextId shutdown = textId("RE_Shutdown( 0 )");
  TextId ospLoaded = textId("Loaded OSP Client Version:");
  TextId usingModel = textId(" is using model ");
  TextId currentMap = textId("Current map: ");
  TextId redLeads = textId("^1RED^7 leads: ");
  TextId blueLeads = textId("^4BLUE^7 leads: ");
  TextId tied = textId("Match tied: ");
  TextId connect = textId("]/connect ");
  TextId reconnect = textId("]/reconnect");
  TextId resolved = textId(" resolved to ");
  TextId renamed = textId("renamed to");
  TextId disconnected = textId("disconnected");
  TextId overflow = textId("Server command overflow");
  TextId lostCommands = textId("Lost reliable commands");
  TextId kicked = textId("was kicked");
  TextId entered = textId("entered the game");
};

}  // namespace

int updateMiscInfo(char* line, char* strippedLine) {
  static const MatchTexts t;
  const std::string_view raw(line);
  const std::string_view stripped(strippedLine);
  // Most questions are about the stripped line; the few about the raw line ask afresh.
  const TextScan& s = scanTexts(stripped);

  const bool shutdown = s.has(t.shutdown);
  if (!shutdown) {
    if (s.has(t.ospLoaded)) {
      g_mod = 1;
      return 1;
    }
    if (s.has(t.usingModel)) return 1;
    if (s.has(t.currentMap)) {
      readMap(raw);
      return 1;
    }
    const TextScan& r = scanTexts(raw);
    if (r.has(t.redLeads)) {
      ++g_ca_win_red;
      g_gametype = kGameTypeClanArena;
      return 1;
    }
    if (r.has(t.blueLeads)) {
      ++g_ca_win_blue;
      g_gametype = kGameTypeClanArena;
      return 1;
    }
    if (r.has(t.tied)) {
      // A tied round goes to the side that was behind.
      if (g_ca_win_red > g_ca_win_blue) {
        ++g_ca_win_blue;
      } else if (g_ca_win_red < g_ca_win_blue) {
        ++g_ca_win_red;
      }
      g_gametype = kGameTypeClanArena;
      return 1;
    }
  } else {
    g_mod = 0;
  }

  const TextScan& st = scanTexts(stripped);
  if (g_connect_sequence == 0 && (st.has(t.connect) || st.has(t.reconnect))) {
    g_connect_sequence = 1;
    return 1;
  }
  if (g_connect_sequence == 1 && st.has(t.resolved)) {
    g_connect_sequence = 2;
    return 1;
  }
  if (g_connect_sequence == 2 && shutdown) {
    g_connect_sequence = kGameEnded;  // the boundary step ends the game on this same line
  }

  if (st.has(t.renamed)) {
    const int p = getVictim(raw);
    // A name not in the table is renamed in the sink record, where nobody sees it.
    PlayerRecord& player = q3players[p];
    player.name.assign(getAttackerName(stripped));
    player.rawName.assign(getAttackerName(raw));
    return 1;
  }

  const bool leaving = st.has(t.disconnected) || st.has(t.overflow) || st.has(t.lostCommands) ||
                       st.has(t.kicked);
  if (!leaving) {
    // Server logs carry no team-coloured entries, so re-entries are told apart on clients only.
    if (st.has(t.entered) && g_log_type == 0) markReentry(raw);
    return 0;
  }
  return markLeave(line, strippedLine);
}
