// How the server-log pre-parser turns a dedicated server's log into lines our reader counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "kx-preparse/converter.h"
#include "kx-preparse/flag_scan.h"
#include "kx-preparse/run.h"
#include "kx-preparse/server_line.h"
#include "log/line_filter.h"
#include "log/vocabulary.h"
#include "players/obituary.h"
#include "players/player_table.h"
#include "run/game.h"
#include "run/scratch_pool.h"

namespace {

class CollectSink : public LineSink {
 public:
  void writeLine(std::string_view text) override { lines.emplace_back(text); }
  std::vector<std::string> lines;
};

// Both passes over an inline log, as the program makes them over a file; the lines written.
std::vector<std::string> convertLines(const std::string& log) {
  std::vector<std::string> lines;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  FlagLineGames flagGames;
  for (const std::string& l : lines) flagGames.scanLine(l);
  CollectSink sink;
  Converter converter(sink, &flagGames);
  for (const std::string& l : lines) converter.feed(l);
  converter.finish();
  return sink.lines;
}

std::string convert(const std::string& log) {
  std::string text;
  for (const std::string& l : convertLines(log)) text += l + "\n";
  return text;
}

std::string lastLine(const std::string& log) {
  const std::vector<std::string> lines = convertLines(log);
  return lines.empty() ? "" : lines.back();
}

std::string tempPath(const char* name) { return testing::TempDir() + "kx_preparse_" + name; }

int runWith(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return runPreparse(static_cast<int>(args.size()), argv.data());
}

}  // namespace

TEST(KxPreparseLine, TimesKindsAndFields) {
  ServerLine s;
  // 20 * 60 + 34 = 1234; 1230 * 60 + 4 = 73804.
  const std::pair<const char*, double> timed[] = {
      {" 20:34 ClientConnect: 2", 1234.0}, {"1230:04 ShutdownGame:", 73804.0}, {"45.1 Kill: 1 2 3: a", 45.1}};
  for (const auto& [line, seconds] : timed) {
    ASSERT_TRUE(readServerLine(line, s)) << line;
    EXPECT_TRUE(s.hasTime);
    EXPECT_DOUBLE_EQ(seconds, s.seconds);
  }
  // Console logs of servers: the same kinds without a time.
  ASSERT_TRUE(readServerLine("Kill: 2 1 7: twist", s));
  EXPECT_FALSE(s.hasTime);
  EXPECT_EQ("Kill", s.kind);
  EXPECT_EQ("2 1 7: twist", s.fields);
  // A line cut and glued to the next, separators and console chatter have no kind.
  for (const char* garbled : {"26  0:00 -----------------", "  0:00 -----------------", "6601 files in pk3 files",
                              "^3ServerEd:^7 config found", ""}) {
    EXPECT_FALSE(readServerLine(garbled, s)) << garbled;
  }

  // Info strings: "t" is the team, not "tt" or "tl"; empty values keep the pairs in step.
  const std::string user = "n\\Dono da Bola\\g_redteam\\\\g_blueteam\\\\tt\\1\\t\\2\\tl\\0";
  EXPECT_EQ("Dono da Bola", infoValue(user, "n"));
  EXPECT_EQ("2", infoValue(user, "t"));
  bool found = true;
  EXPECT_EQ("", infoValue(user, "mapname", &found));
  EXPECT_FALSE(found);

  // The means is the last "by": a victim may be called "Mr by Me".
  KillFields k;
  ASSERT_TRUE(readKill("2 1 11: twist killed Mr by Me by MOD_LIGHTNING 5 in arena 0", k));
  EXPECT_EQ("MOD_LIGHTNING", k.means);
  EXPECT_EQ("Mr by Me", k.victimName);
  EXPECT_FALSE(readKill("2 1: twist killed x by MOD_LIGHTNING", k));
  EXPECT_FALSE(readKill("2 1 11: twist fragged x", k));
}

// Every means gives the client's wording for a killer who is another player ("3"), the victim
// himself ("2") or the world ("1022"), and our reader reads each written obituary back as the
// same death: the filter passes it, the names come back as written, the weapon is the right row.
TEST(KxPreparseDeaths, EachMeansInTheClientWordingOurReaderReadsBack) {
  const char* const himself = "V^7 killed himself.";
  struct Case {
    const char* means;
    const char* byOther;  // V the victim, K the killer; null: left out
    const char* byHimself;
    int weapon;
  };
  // A weapon that killed with the world as the killer is left out (the client's "died.").
  const Case weapons[] = {
      {"MOD_GAUNTLET", "V^7 was pummeled by K^7", himself, WP_GAUNTLET},
      {"MOD_MACHINEGUN", "V^7 was machinegunned by K^7", himself, WP_MACHINEGUN},
      {"MOD_SHOTGUN", "V^7 was gunned down by K^7", himself, WP_SHOTGUN},
      {"MOD_GRENADE", "V^7 ate K^7's grenade", himself, WP_GRENADE},
      {"MOD_GRENADE_SPLASH", "V^7 was shredded by K^7's shrapnel", "V^7 tripped on his own grenade.", WP_GRENADE},
      {"MOD_ROCKET", "V^7 ate K^7's rocket", himself, WP_ROCKET},
      {"MOD_ROCKET_SPLASH", "V^7 almost dodged K^7's rocket", "V^7 blew himself up.", WP_ROCKET},
      {"MOD_PLASMA", "V^7 was melted by K^7's plasmagun", himself, WP_PLASMA},
      {"MOD_PLASMA_SPLASH", "V^7 was melted by K^7's plasmagun", "V^7 melted himself.", WP_PLASMA},
      {"MOD_RAILGUN", "V^7 was railed by K^7", himself, WP_RAILGUN},
      {"MOD_LIGHTNING", "V^7 was electrocuted by K^7", himself, WP_LIGHTNING},
      {"MOD_BFG", "V^7 was blasted by K^7's BFG", himself, WP_BFG},
      {"MOD_BFG_SPLASH", "V^7 was blasted by K^7's BFG", "V^7 should have used a smaller gun.", WP_BFG},
      {"MOD_TELEFRAG", "V^7 tried to invade K^7's personal space", himself, WP_TELEFRAG},
      {"MOD_NAIL", "V^7 was impaled by K^7's shower of nails", himself, WP_NAILGUN},
      {"MOD_GRAPPLE", "V^7 was disemboweled by K^7's grappling hook", himself, WP_GRAPPLE},
      {"MOD_CHAINGUN", "V^7 was machinegunned by K^7", himself, WP_MACHINEGUN},
      {"MOD_PROXIMITY_MINE", "V^7 was shredded by K^7's shrapnel", "V^7 tripped on his own grenade.", WP_GRENADE},
      {"MOD_KAMIKAZE", nullptr, himself, 0},
      // A team change is no death; unknown means are left out.
      {"MOD_SWITCHTEAM", nullptr, nullptr, 0},
      {"MOD_JUICED", nullptr, nullptr, 0},
      {"MOD_NO_SUCH_THING", nullptr, nullptr, 0},
  };
  // Deaths by the surroundings have the same words whoever the killer is. Our reader knows
  // neither the client's "suicides" (/kill) nor "saw the light": the nearest deaths stand in.
  const std::pair<const char*, const char*> surroundings[] = {
      {"MOD_WATER", "V^7 sank like a rock."}, {"MOD_SLIME", "V^7 melted."},
      {"MOD_LAVA", "V^7 does a back flip into the lava."}, {"MOD_CRUSH", "V^7 was squished."},
      {"MOD_FALLING", "V^7 cratered."}, {"MOD_TRIGGER_HURT", "V^7 was in the wrong place."},
      {"MOD_TARGET_LASER", "V^7 was in the wrong place."}, {"MOD_SUICIDE", himself}};
  resetScratchPool();
  // Names with colour codes inside and at the end: the trailing "^7" is what the reader trims.
  const std::string victim = "^1Vi^2c^1";
  const std::string killer = "K^3il";
  const auto check = [&](const std::string& means, const char* killerSlot, const char* written, int weapon) {
    SCOPED_TRACE(means + " by " + killerSlot);
    const std::string obituary = lastLine("ClientUserinfoChanged: 2 n\\" + victim + "\\t\\0\n" +
                                          "ClientUserinfoChanged: 3 n\\" + killer + "\\t\\0\n" + "Kill: " +
                                          killerSlot + " 2 1: x killed y by " + means + " 2\n");
    if (written == nullptr) {
      EXPECT_EQ("", obituary);  // nothing happened: not even the players entered
      return;
    }
    std::string expected = std::string(written).replace(0, 1, victim);
    const std::size_t k = expected.find("K^7");
    if (k != std::string::npos) expected.replace(k, 1, killer);
    EXPECT_EQ(expected, obituary);
    freeMallocs();
    EXPECT_EQ(1, validLine(obituary));
    // The plain self-kill names no weapon.
    EXPECT_EQ(std::strcmp(written, himself) == 0 ? WP_SUICIDE : weapon, getWeapon(obituary));
    EXPECT_EQ(victim, getVictimName(obituary));
    EXPECT_EQ(k != std::string::npos ? killer : victim, getAttackerName(obituary));
  };
  for (const Case& c : weapons) {
    check(c.means, "3", c.byOther, c.weapon);
    check(c.means, "2", c.byHimself, c.weapon);
    check(c.means, "1022", nullptr, 0);
  }
  for (const auto& [means, written] : surroundings) {
    for (const char* killerSlot : {"3", "2", "1022"}) check(means, killerSlot, written, WP_SUICIDE);
  }
  freeMallocs();
}

TEST(KxPreparseGames, EachServerGameEndsOnceAfterItsStatistics) {
  // OSP: the statistics follow the Exit line; our reader must count them before the end.
  // Players enter at the first event, in client order; the kill after the Exit does not
  // count; the zero rows, the gauntlet and armour are no records of ours; the map that was
  // left without an Exit, cut short by a garbled line, ends with the shutdown line; an empty
  // game writes only its map.
  EXPECT_EQ("Current map: Q3DM17\nOrbb^7 entered the game\nMynx^7 entered the game\nMynx^7 was railed by Orbb^7\n"
            "Orbb^7 accuracy statistics Railgun 20 7\nOrbb^7 accuracy statistics Given 1350\nhit the fraglimit.\n"
            "Current map: q3dm6\nOrbb^7 entered the game\nOrbb^7 was in the wrong place.\n----- CL_Shutdown -----\n"
            "Current map: q3dm7\n",
            convert("  0:00 InitGame: \\g_gametype\\0\\mapname\\Q3DM17\n"
                    "  0:01 ClientConnect: 1\n  0:01 ClientUserinfoChanged: 1 n\\Orbb\\t\\0\n  0:01 ClientBegin: 1\n"
                    "  0:02 ClientUserinfoChanged: 2 n\\Mynx\\t\\0\n  0:02 ClientBegin: 2\n"
                    "  0:05 Kill: 1 2 10: Orbb killed Mynx by MOD_RAILGUN 2\n"
                    "  7:10 Exit: Fraglimit hit.\n  7:10 score: 25  ping: 0  client: 1 Orbb\n"
                    "  7:10 Kill: 2 1 10: Mynx killed Orbb by MOD_RAILGUN 2\n"
                    "  7:12 Weapon_Stats: 1 Railgun:20:7:1:0 Gauntlet:0:3:0:0 Given:1350 Recvd:0 Armor:5\n"
                    "  7:16 ShutdownGame:\n"
                    "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\n"
                    "  0:03 ClientUserinfoChanged: 1 n\\Orbb\\t\\0\n  0:03 ClientBegin: 1\n"
                    "  0:04 Kill: 1022 1 22: <world> killed Orbb by MOD_TRIGGER_HURT\n"
                    "26  0:00 ------------------------------------------------------------\n"
                    "  0:00 InitGame: \\mapname\\q3dm7\n  0:01 ShutdownGame:\n"));

  const std::string head = "InitGame: \\mapname\\m\nClientUserinfoChanged: 0 n\\A\\t\\0\nClientBegin: 0\n"
                           "Kill: 0 0 20: A killed A by MOD_SUICIDE\n";
  const std::pair<const char*, const char*> ends[] = {
      {"Exit: Timelimit hit.\nShutdownGame:\n", "Timelimit hit."},
      {"Exit: Fraglimit hit in arena 0\nShutdownGame:\n", "hit the fraglimit."},
      {"Exit: Capturelimit hit.\nShutdownGame:\n", "hit the capturelimit."},
      {"Exit: Roundlimit hit.\nShutdownGame:\n", "Pointlimit hit."},
      {"Exit: Voted: map q3dm17\nShutdownGame:\n", "----- CL_Shutdown -----"},
      {"Exit: Timelimit hit.\n", "Timelimit hit."},  // the log stops after the Exit: the match ended
      {"", "A^7 killed himself."},                   // it stops mid-game: no end
  };
  for (const auto& [tail, last] : ends) EXPECT_EQ(last, lastLine(head + tail)) << tail;
}

TEST(KxPreparseGames, WarmUpsAreDroppedAndMatchesOnOneMapSeparated) {
  EXPECT_EQ("Current map: m\nA^7 entered the game\nA^7 killed himself.\n^3Match has begun!\n"
            "A^7 entered the game\nA^7 cratered.\n----- CL_Shutdown -----\n",
            convert("InitGame: \\mapname\\m\nClientUserinfoChanged: 0 n\\A\\t\\0\nClientBegin: 0\nWarmup:\n"
                    "Kill: 0 0 20: A killed A by MOD_SUICIDE\nGame_Start:\n"
                    "Kill: 1022 0 19: <world> killed A by MOD_FALLING\nShutdownGame:\n"));
  // A warm-up in which nothing happens writes nothing; a map left while warming up drops it.
  EXPECT_EQ("Current map: m\n", convert("InitGame: \\mapname\\m\nWarmup:\nShutdownGame:\n"));
  EXPECT_EQ("^3Match has begun!", lastLine("InitGame: \\mapname\\m\nWarmup:\nClientUserinfoChanged: 0 n\\A\\t\\0\n"
                                           "Kill: 0 0 20: A killed A by MOD_SUICIDE\nShutdownGame:\n"));

  // CPMA plays on after an Exit: the next match starts at a ClientBegin or Game_Start.
  const std::string blew = "Kill: 1 1 7: JS killed JS by MOD_ROCKET_SPLASH 5 in arena 0\n";
  EXPECT_EQ("Current map: cpm16\nJS^7 entered the game\nJS^7 blew himself up.\nhit the fraglimit.\n"
            "JS^7 entered the game\nJS^7 blew himself up.\n----- CL_Shutdown -----\n"
            "JS^7 entered the game\nJS^7 blew himself up.\n",
            convert("InitGame: \\mapname\\cpm16\nClientUserinfoChanged: 1 n\\JS\\t\\0\nClientBegin: 1\n" + blew +
                    "Exit: Fraglimit hit in arena 0\nClientBegin: 1\nGame_Start: FFA in arena 0\n" + blew +
                    "Game_Start: FFA in arena 0\n" + blew));
}

TEST(KxPreparseClients, EntriesRenamesTeamsAndLeavingAsOurReaderTakesThem) {
  const std::vector<std::string> out = convertLines(
      "InitGame: \\g_gametype\\4\\mapname\\ctf1\n"
      // Renamed before his first line: only the new name is ever written.
      "ClientUserinfoChanged: 2 n\\Dono da Bola\\t\\1\nClientUserinfoChanged: 2 n\\Mocinha\\t\\1\nClientBegin: 2\n"
      "ClientUserinfoChanged: 3 n\\Z^2eh\\t\\2\nClientBegin: 3\n"
      // A player who only watches (team 3) does not enter until he joins a team.
      "ClientUserinfoChanged: 4 n\\Fasano\\t\\3\nClientBegin: 4\n"
      "Kill: 1022 3 22: <world> killed Zeh by MOD_TRIGGER_HURT\n"
      "ClientUserinfoChanged: 2 n\\Mocinha\\t\\2\nClientUserinfoChanged: 2 n\\^1Mo\\t\\2\n"
      "ClientUserinfoChanged: 4 n\\Fasano\\t\\1\n"
      // A leaving player's statistics come before his disconnect.
      "ClientDisconnect: 3\nWeapon_Stats: 3 Shotgun:10:4:0:0 Recvd:100\nClientDisconnect: 2\n"
      "ClientConnect: 2\nClientUserinfoChanged: 2 n\\\\t\\1\nClientBegin: 2\nShutdownGame:\n");
  // Those who left are written as leaving when the game ends: until then they may come back.
  const std::vector<std::string> expected = {
      "Current map: ctf1", "Mocinha^7 entered the game (^1RED^7)", "Z^2eh^7 entered the game (^4BLUE^7)",
      "Z^2eh^7 was in the wrong place.", "Mocinha^7 is on team BLUE", "Mocinha^7 renamed to ^1Mo^7",
      "Fasano^7 entered the game (^1RED^7)", "Z^2eh^7 accuracy statistics Shotgun 10 4",
      "Z^2eh^7 accuracy statistics Recvd 100", "UnnamedPlayer^7 entered the game (^1RED^7)",
      " defends the RED base", "Z^2eh^7 disconnected", "^1Mo^7 disconnected", "----- CL_Shutdown -----"};
  ASSERT_EQ(expected, out);

}

TEST(KxPreparseFlags, TouchesBecomePickUpsCapturesAndReturns) {
  const std::string head =
      "  0:00 InitGame: \\g_gametype\\4\\mapname\\ctf1\n  0:00 ClientUserinfoChanged: 0 n\\R\\t\\1\n"
      "  0:00 ClientBegin: 0\n  0:00 ClientUserinfoChanged: 1 n\\B\\t\\2\n  0:00 ClientBegin: 1\n";
  EXPECT_EQ("Current map: ctf1\nR^7 entered the game (^1RED^7)\nB^7 entered the game (^4BLUE^7)\n"
            "R^7 got the BLUE flag!\nR^7 captured the BLUE flag!\nB^7 got the RED flag!\n"
            "B^7 almost dodged R^7's rocket\nR^7 fragged BLUE's flag carrier!\n"
            "R^7 returned the RED flag!\nR^7 returned the RED flag!\n",
            convert(head +
                    "  0:10 Item: 0 team_CTF_blueflag\n"
                    "  0:20 Item: 0 team_CTF_redflag\n"  // home, carrying: a capture
                    "  0:30 Item: 1 team_CTF_redflag\n"
                    "  0:40 Kill: 0 1 7: R killed B by MOD_ROCKET_SPLASH\n"
                    "  0:45 Item: 0 team_CTF_redflag\n"     // dropped 5 s ago: a return
                    "  0:50 Item: 0 team_CTF_redflag\n"));  // home, not carrying: a return

  // A carrier touching his own flag captures, even while we hold it for dropped: a dropped
  // flag often goes home without a line (its carrier died in the void, it fell off the map).
  const std::string carrying = head + "  0:05 Item: 1 team_CTF_redflag\n  0:06 Item: 0 team_CTF_blueflag\n"
                                      "  0:10 Kill: 0 1 10: R killed B by MOD_RAILGUN\n";
  EXPECT_EQ("R^7 captured the BLUE flag!", lastLine(carrying + "  0:11 Item: 0 team_CTF_redflag\n"));

  // No flags outside capture the flag; touches after the end of the match are left out.
  EXPECT_EQ("Current map: dm\n", convert("InitGame: \\g_gametype\\0\\mapname\\dm\n"
                                         "ClientUserinfoChanged: 0 n\\R\\t\\1\nItem: 0 team_CTF_blueflag\n"));
  EXPECT_EQ("hit the capturelimit.",
            lastLine(head + "Item: 0 team_CTF_blueflag\nExit: Capturelimit hit.\nItem: 1 team_CTF_redflag\n"));
}

TEST(KxPreparseClients, OnePlayerOneRowAcrossReconnectsAndNameClashes) {
  // The lines after the map, the two entries and the first kill.
  const auto after = [](const std::string& more) {
    std::vector<std::string> lines = convertLines(
        "InitGame: \\g_gametype\\0\\mapname\\m\nClientConnect: 1\nClientUserinfoChanged: 1 n\\Zeh\\t\\0\n"
        "ClientBegin: 1\nClientConnect: 2\nClientUserinfoChanged: 2 n\\Dono\\t\\0\nClientBegin: 2\n"
        "Kill: 1 2 10: Zeh killed Dono by MOD_RAILGUN\n" + more);
    lines.erase(lines.begin(), lines.begin() + std::min<std::size_t>(4, lines.size()));
    return lines;
  };
  using Lines = std::vector<std::string>;
  // Back under the name he left with, on another number: his row goes on, no second entry.
  EXPECT_EQ((Lines{"Zeh^7 was railed by Dono^7", "----- CL_Shutdown -----"}),
            after("ClientDisconnect: 1\nClientConnect: 3\nClientUserinfoChanged: 3 n\\Zeh\\t\\0\nClientBegin: 3\n"
                  "Kill: 2 3 10: Dono killed Zeh by MOD_RAILGUN\nShutdownGame:\n"));
  // Back on his number under the name he first connected with, after a rename: the same row.
  EXPECT_EQ((Lines{"Zeh^7 renamed to Mocinha^7", "Mocinha^7 renamed to Zeh^7", "Zeh^7 was railed by Dono^7",
                   "----- CL_Shutdown -----"}),
            after("ClientUserinfoChanged: 1 n\\Mocinha\\t\\0\nClientDisconnect: 1\nClientConnect: 1\n"
                  "ClientUserinfoChanged: 1 n\\Zeh\\t\\0\nKill: 2 1 10: Dono killed Zeh by MOD_RAILGUN\nShutdownGame:\n"));
  // Someone else on a freed number is someone else; who did not come back leaves at the end.
  EXPECT_EQ((Lines{"Ann^7 entered the game", "Dono^7 was railed by Ann^7", "Zeh^7 disconnected",
                   "----- CL_Shutdown -----"}),
            after("ClientDisconnect: 1\nClientConnect: 1\nClientUserinfoChanged: 1 n\\Ann\\t\\0\nClientBegin: 1\n"
                  "Kill: 1 2 10: Ann killed Dono by MOD_RAILGUN\nShutdownGame:\n"));
  // Two bots of one name on opposite teams are two players.
  EXPECT_EQ("Sarge^7(4)^7 was railed by Sarge^7",
            lastLine("InitGame: \\g_gametype\\3\\mapname\\m\nClientUserinfoChanged: 3 n\\Sarge\\t\\1\n"
                     "ClientUserinfoChanged: 4 n\\Sarge\\t\\2\nKill: 3 4 10: Sarge killed Sarge by MOD_RAILGUN\n"));
}

TEST(KxPreparseBadInput, ReusedNumbersUnknownClientsAndCutLogsAreCountedNotFatal) {
  CollectSink sink;
  Converter converter(sink, nullptr);
  for (const char* line :
       {"InitGame: \\g_gametype\\4\\mapname\\m", "ClientConnect: 1", "ClientUserinfoChanged: 1 n\\A\\t\\1",
        "Kill: 1 1 20: A killed A by MOD_SUICIDE",
        // Number 1 connects again without a disconnect: A is gone, B is new.
        "ClientConnect: 1", "ClientUserinfoChanged: 1 n\\B\\t\\2", "Kill: 1 1 20: B killed B by MOD_SUICIDE",
        // Client 7 was never introduced: the line's names stand in; his flag touch is dropped.
        "Kill: 7 1 10: Ghost killed B by MOD_RAILGUN", "Item: 7 team_CTF_redflag", "ClientDisconnect: 1",
        "Item: 1 team_CTF_blueflag", "Kill: 1022 9 22: <world> killed  by MOD_FALLING"}) {
    converter.feed(line);
  }
  converter.finish();  // the log stops in the middle of the game
  const std::vector<std::string> expected = {"Current map: m",
                                             "A^7 entered the game (^1RED^7)",
                                             "A^7 killed himself.",
                                             "B^7 entered the game (^4BLUE^7)",
                                             "B^7 killed himself.",
                                             "B^7 was railed by Ghost^7"};
  EXPECT_EQ(expected, sink.lines);
  EXPECT_EQ(1, converter.skipped(Skip::kReusedClient));
  EXPECT_EQ(2, converter.skipped(Skip::kUnknownClient));
  EXPECT_EQ(1, converter.deathsOfUnknownClients());
  EXPECT_EQ(1, converter.skipped(Skip::kDeathLeftOut));  // a death without a name
  EXPECT_EQ(1, converter.skipped(Skip::kGameCutOff));
}

TEST(KxPreparseFlags, ServerScoresDecideAndAFlaglessGameStaysCaptureTheFlag) {
  // Excessive Plus counts a capture only with a rise of its TeamScore line.
  const std::string head = "InitGame: \\g_gametype\\4\\mapname\\m\nClientUserinfoChanged: 0 n\\R\\t\\1\n"
                           "ClientUserinfoChanged: 1 n\\B\\t\\2\nFlag_Pickup: 0\n";
  EXPECT_EQ("R^7 got the BLUE flag!", lastLine(head + "Flag_Capture: 0 9.1\nTeamScore: 1 0 Red\n"));
  EXPECT_EQ("R^7 captured the BLUE flag!",
            lastLine(head + "TeamScore: 1 1 Red\nTeamScore: 2 0 Blue\nFlag_Capture: 0 9.1\n"));
  // Without a touch of a flag the game still reads as capture the flag, for nobody.
  EXPECT_EQ(" defends the RED base\nhit the capturelimit.\n",
            convert("InitGame: \\g_gametype\\4\\mapname\\m\nClientUserinfoChanged: 0 n\\R\\t\\1\n"
                    "Kill: 0 0 20: R killed R by MOD_SUICIDE\nExit: Capturelimit hit.\n")
                .substr(std::string("Current map: m\nR^7 entered the game (^1RED^7)\nR^7 killed himself.\n").size()));
}

TEST(KxPreparseGames, AnAdminsMapCommandNamesTheNextMatch) {
  // CPMA's console: "Rcon from ...: map cpm1a" and the next match, without an InitGame line.
  EXPECT_EQ("Current map: cpm16\nJS^7 entered the game\nJS^7 blew himself up.\nhit the fraglimit.\n"
            "Current map: cpm1a\nJS^7 entered the game\nJS^7 blew himself up.\n",
            convert("InitGame: \\mapname\\cpm16\nClientUserinfoChanged: 1 n\\JS\\t\\0\nClientBegin: 1\n"
                    "Kill: 1 1 7: JS killed JS by MOD_ROCKET_SPLASH 5 in arena 0\nExit: Fraglimit hit in arena 0\n"
                    "score: 0  ping: 48  client: 1 JS\nRcon from 185.132.0.79: map cpm1a\nClientBegin: 1\n"
                    "Game_Start: FFA in arena 0\nKill: 1 1 7: JS killed JS by MOD_ROCKET_SPLASH 5 in arena 0\n"));
}

TEST(KxPreparseFlags, ModFlagLinesReplaceTheTouches) {
  // Excessive Plus logs the touch and then the event; only the event may count.
  const std::vector<std::string> out = convertLines(
      "InitGame: \\g_gametype\\4\\mapname\\ctf1\nClientUserinfoChanged: 0 n\\R\\t\\1\n"
      "ClientUserinfoChanged: 1 n\\B\\t\\2\nItem: 0 team_CTF_blueflag\nFlag_Pickup: 0\nKill_Carrier: 1\n"
      "Flag_ReturnWorld: 0 1.700\nItem: 1 team_CTF_blueflag\nScore: 1 4\nFlag_Return: 1 4.300\n"
      "Item: 0 team_CTF_redflag\nFlag_Capture: 0 21.650\nFlag_Assist_Return: 1\nDefend_Base: 0\n"
      "Defend_Flag: 1\nDefend_Carrier: 0\nDefend_Hurt_Carrier: 1\n");
  const std::vector<std::string> expected = {
      "Current map: ctf1", "R^7 entered the game (^1RED^7)", "R^7 got the BLUE flag!",
      "B^7 entered the game (^4BLUE^7)", "B^7 fragged RED's flag carrier!", "B^7 returned the BLUE flag!",
      "R^7 captured the BLUE flag!", "B^7 gets an assist for returning the BLUE flag!", "R^7 defends the RED base",
      "B^7 defends the BLUE flag", "R^7 defends the RED's flag carrier.",
      "B^7 defends BLUE's flag carrier against an agressive enemy"};
  ASSERT_EQ(expected, out);

}

TEST(KxPreparseStats, WeaponStatsRowsAsOneLineRecords) {
  initPlayers();
  resetScratchPool();
  const std::vector<std::string> out = convertLines(
      "ClientUserinfoChanged: 0 n\\Bob^1\\t\\0\nClientBegin: 0\nKill: 0 0 20: x killed x by MOD_SUICIDE\n"
      "Weapon_Stats: 0 Machinegun:10:1:0:0 MachineGun:2:2:0:0 Lightning:30:9:1:0 None:1:0:0:0 "
      "Gauntlet:0:7:0:0 BFG:0:0:0:0 R.Launcher:bad Given:0 Recvd:259 Armor:30 TeamDmg:4\n");
  const std::vector<std::string> expected = {
      "Bob^1^7 entered the game", "Bob^1^7 killed himself.", "Bob^1^7 accuracy statistics MachineGun 10 1",
      "Bob^1^7 accuracy statistics MachineGun 2 2", "Bob^1^7 accuracy statistics LightningGun 30 9",
      "Bob^1^7 accuracy statistics Recvd 259"};
  ASSERT_EQ(expected, out);
  // The reader splits such a record into the player and a row it parses from its start.
  freeMallocs();
  EXPECT_EQ("Bob^1", getVictimName(out[4]));
  EXPECT_EQ("LightningGun 30 9", getAttackerName(out[4]));
  freeMallocs();
}

TEST(KxPreparseRun, CommandLineFilesAndLongLines) {
  // Errors go to standard error: the caller sends standard output to a file.
  testing::internal::CaptureStderr();
  EXPECT_EQ(kExitUsage, runWith({"kx-preparse"}));
  EXPECT_EQ(kExitUsage, runWith({"kx-preparse", "a", "b", "c"}));
  EXPECT_EQ(kExitFileError, runWith({"kx-preparse", tempPath("missing.log"), tempPath("out.log")}));
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, errors.find("usage: kx-preparse [--client] <log> <output>\n"));
  EXPECT_NE(std::string::npos, errors.find("cannot read"));

  // A line longer than the read buffer is cut; its rest, here a Kill line of its own if it
  // came back, must not be read as a line.
  const std::string say = "  0:01 say: ";
  const std::string in = tempPath("long.log");
  std::ofstream(in, std::ios::binary) << "  0:00 InitGame: \\mapname\\q3dm17\n" + say +
                                             std::string(LogLines::kBufferBytes - 1 - say.size(), 'x') +
                                             "Kill: 1 1 20: A killed A by MOD_SUICIDE\r\n"
                                             "  0:02 ClientUserinfoChanged: 1 n\\A\\t\\0\r\n"
                                             "  0:03 Kill: 1 1 20: A killed A by MOD_SUICIDE\r\n"
                                             "  0:04 ShutdownGame:\r\n";
  testing::internal::CaptureStderr();
  EXPECT_EQ(kExitFileError, runWith({"kx-preparse", in, tempPath("no_such_dir/out.log")}));
  EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("cannot write"));
  const std::string out = tempPath("long_out.log");
  testing::internal::CaptureStdout();
  const int status = runWith({"kx-preparse", in, out});
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(kExitDone, status);
  std::ostringstream written;
  written << std::ifstream(out, std::ios::binary).rdbuf();
  EXPECT_EQ("Current map: q3dm17\nA^7 entered the game\nA^7 killed himself.\n----- CL_Shutdown -----\n",
            written.str());
  std::remove(in.c_str());
  std::remove(out.c_str());
}

// The public challenge log of 21 games: every Kill line between two InitGame lines becomes
// one obituary (no means of this log is left out), so each game has its published total.
TEST(KxPreparseRealLog, ChallengeLogKeepsEveryGamesKills) {
  const char* dir = std::getenv("KX_REAL_LOGS");
  const std::string path =
      std::string(dir != nullptr ? dir : KX_TEST_DATA "/real") + "/server_qgames_challenge.log";
  std::ifstream file(path, std::ios::binary);
  if (!file) GTEST_SKIP() << "real log not found: " << path;
  std::stringstream text;
  text << file.rdbuf();
  resetScratchPool();

  // Total kills per game, <world> kills and suicides included, from the published table.
  const std::vector<int> expected = {0, 11, 4, 105, 14, 29, 130, 89, 67, 60, 20, 160, 6, 122, 3, 0, 13, 7, 95, 3, 131};
  std::vector<int> perGame;
  int ends = 0;
  for (const std::string& line : convertLines(text.str())) {
    if (line.compare(0, 13, "Current map: ") == 0) {
      perGame.push_back(0);
    } else if (line == "----- CL_Shutdown -----" || line == "Timelimit hit." || line == "hit the fraglimit." ||
               line == "hit the capturelimit.") {
      ++ends;
    } else {
      freeMallocs();
      if (!perGame.empty() && getWeapon(line) != WP_UNKNOWN) ++perGame.back();
    }
  }
  freeMallocs();
  EXPECT_EQ(expected, perGame);
  EXPECT_EQ(19, ends);  // games 1 and 16 have no death and write no player line
}
