// How the server-log pre-parser turns a dedicated server's log into lines our reader counts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "kx-preparse/converter.h"
#include "kx-preparse/flag_scan.h"
#include "kx-preparse/run.h"
#include "kx-preparse/server_line.h"
#include "log/line_filter.h"
#include "log/vocabulary.h"
#include "players/obituary.h"
#include "players/player_table.h"
#include "players/teams.h"
#include "run/game.h"
#include "run/scratch_pool.h"

namespace {

class CollectSink : public LineSink {
 public:
  void writeLine(std::string_view text) override { lines.emplace_back(text); }
  std::vector<std::string> lines;
};

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) out.push_back(line);
  return out;
}

// Both passes over an inline log, as the program makes them over a file.
std::vector<std::string> convert(const std::string& log) {
  const std::vector<std::string> lines = splitLines(log);
  FlagLineGames flagGames;
  for (const std::string& l : lines) flagGames.scanLine(l);
  CollectSink sink;
  Converter converter(sink, &flagGames);
  for (const std::string& l : lines) converter.feed(l);
  converter.finish();
  return sink.lines;
}

// The lines written for one Kill line between two players who entered an FFA game.
std::vector<std::string> killLines(const std::string& kill) {
  std::vector<std::string> out = convert(
      "  0:00 ClientUserinfoChanged: 2 n\\Vic\\t\\0\n"
      "  0:00 ClientUserinfoChanged: 3 n\\Kil\\t\\0\n" + kill + "\n");
  return out;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\n";
  return s;
}

std::string tempPath(const char* name) { return testing::TempDir() + "kx_preparse_" + name; }

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

int runWith(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return runPreparse(static_cast<int>(args.size()), argv.data());
}

}  // namespace

TEST(KxPreparseLine, TimeIsOptionalAndGarbledLinesHaveNoKind) {
  ServerLine s;
  ASSERT_TRUE(readServerLine(" 20:34 ClientConnect: 2", s));
  EXPECT_TRUE(s.hasTime);
  EXPECT_DOUBLE_EQ(1234.0, s.seconds);  // 20 * 60 + 34
  EXPECT_EQ("ClientConnect", s.kind);
  EXPECT_EQ("2", s.fields);

  ASSERT_TRUE(readServerLine("1230:04 ShutdownGame:", s));
  EXPECT_DOUBLE_EQ(73804.0, s.seconds);  // 1230 * 60 + 4
  EXPECT_EQ("", s.fields);

  ASSERT_TRUE(readServerLine("45.1 Kill: 1 2 3: a killed b by MOD_SHOTGUN", s));
  EXPECT_DOUBLE_EQ(45.1, s.seconds);
  EXPECT_EQ("Kill", s.kind);

  // Console logs of servers: the same kinds without a time.
  ASSERT_TRUE(readServerLine("Kill: 2 1 7: twist killed JavaScripter by MOD_ROCKET_SPLASH 5 in arena 0", s));
  EXPECT_FALSE(s.hasTime);
  EXPECT_EQ("Kill", s.kind);

  // A line cut and glued to the next, separators and console chatter.
  EXPECT_FALSE(readServerLine("26  0:00 ------------------------------------------------------------", s));
  EXPECT_FALSE(readServerLine("  0:00 ------------------------------------------------------------", s));
  EXPECT_FALSE(readServerLine("6601 files in pk3 files", s));
  EXPECT_FALSE(readServerLine("^3ServerEd:^7 config found", s));
  EXPECT_FALSE(readServerLine("", s));
}

TEST(KxPreparseLine, InfoStringsAndKillFields) {
  const std::string init = "\\sv_hostname\\Code Miner\\g_gametype\\4\\mapname\\q3dm17\\gamename\\baseq3";
  EXPECT_EQ("q3dm17", infoValue(init, "mapname"));
  EXPECT_EQ("4", infoValue(init, "g_gametype"));
  bool found = true;
  EXPECT_EQ("", infoValue(init, "fraglimit", &found));
  EXPECT_FALSE(found);

  // "t" is the team, not "tt" or "tl"; empty values keep the pairs in step.
  const std::string user = "n\\Dono da Bola\\g_redteam\\\\g_blueteam\\\\tt\\1\\t\\2\\tl\\0";
  EXPECT_EQ("Dono da Bola", infoValue(user, "n"));
  EXPECT_EQ("2", infoValue(user, "t"));
  EXPECT_EQ("", infoValue(user, "g_redteam", &found));
  EXPECT_TRUE(found);

  KillFields k;
  ASSERT_TRUE(readKill("1022 2 22: <world> killed Isgalamido by MOD_TRIGGER_HURT", k));
  EXPECT_EQ(1022, k.killer);
  EXPECT_EQ(2, k.victim);
  EXPECT_EQ("MOD_TRIGGER_HURT", k.means);
  EXPECT_EQ("Isgalamido", k.victimName);
  ASSERT_TRUE(readKill("3 4 10: ^1A^2n killed Xaero by MOD_RAILGUN 2", k));
  EXPECT_EQ("MOD_RAILGUN", k.means);
  EXPECT_EQ("^1A^2n", k.killerName);
  ASSERT_TRUE(readKill("2 1 11: twist killed Mr by Me by MOD_LIGHTNING 5 in arena 0", k));
  EXPECT_EQ("MOD_LIGHTNING", k.means);
  EXPECT_EQ("Mr by Me", k.victimName);
  EXPECT_FALSE(readKill("2 1: twist killed x by MOD_LIGHTNING", k));
  EXPECT_FALSE(readKill("2 1 11: twist fragged x", k));
}

TEST(KxPreparseDeaths, MeansNamesGiveTheClientWording) {
  // Kills by another player: victim^7 message killer^7 ending.
  EXPECT_EQ("Vic^7 almost dodged Kil^7's rocket",
            killLines("  1:00 Kill: 3 2 7: Kil killed Vic by MOD_ROCKET_SPLASH").back());
  EXPECT_EQ("Vic^7 ate Kil^7's rocket", killLines("Kill: 3 2 6: Kil killed Vic by MOD_ROCKET").back());
  EXPECT_EQ("Vic^7 was railed by Kil^7", killLines("Kill: 3 2 10: Kil killed Vic by MOD_RAILGUN 2").back());
  EXPECT_EQ("Vic^7 tried to invade Kil^7's personal space",
            killLines("Kill: 3 2 18: Kil killed Vic by MOD_TELEFRAG").back());
  // Self-kills: the splash texts, else the client's default.
  EXPECT_EQ("Vic^7 blew himself up.", killLines("Kill: 2 2 7: Vic killed Vic by MOD_ROCKET_SPLASH").back());
  EXPECT_EQ("Vic^7 killed himself.", killLines("Kill: 2 2 10: Vic killed Vic by MOD_RAILGUN").back());
  // Deaths by the surroundings, whoever is named as the killer.
  EXPECT_EQ("Vic^7 was in the wrong place.",
            killLines("Kill: 1022 2 22: <world> killed Vic by MOD_TRIGGER_HURT").back());
  EXPECT_EQ("Vic^7 cratered.", killLines("Kill: 3 2 19: Kil killed Vic by MOD_FALLING").back());
  // Texts our reader lacks: the /kill command and the laser stand in as the nearest deaths.
  EXPECT_EQ("Vic^7 killed himself.", killLines("Kill: 2 2 20: Vic killed Vic by MOD_SUICIDE").back());
  EXPECT_EQ("Vic^7 was in the wrong place.",
            killLines("Kill: 1022 2 21: <world> killed Vic by MOD_TARGET_LASER").back());
  // Left out: a team switch is no death; a weapon with the world as killer ("died.").
  EXPECT_TRUE(killLines("Kill: 2 2 24: Vic killed Vic by MOD_SWITCHTEAM 2").empty());
  EXPECT_TRUE(killLines("Kill: 1022 2 6: <world> killed Vic by MOD_ROCKET").empty());
  EXPECT_TRUE(killLines("Kill: 3 2 30: Kil killed Vic by MOD_KAMIKAZE").empty());
  EXPECT_TRUE(killLines("Kill: 3 2 7: Kil killed Vic by MOD_NO_SUCH_THING").empty());
}

// Every obituary we write must be read back by our reader as the same death: the filter
// passes it, the two names come back as written, and the weapon code is the right row.
TEST(KxPreparseDeaths, ReaderReadsEveryWrittenObituaryBack) {
  struct Case {
    const char* means;
    bool self;
    int weapon;
  };
  const Case cases[] = {
      {"MOD_GAUNTLET", false, WP_GAUNTLET},     {"MOD_MACHINEGUN", false, WP_MACHINEGUN},
      {"MOD_SHOTGUN", false, WP_SHOTGUN},       {"MOD_GRENADE", false, WP_GRENADE},
      {"MOD_GRENADE_SPLASH", false, WP_GRENADE}, {"MOD_ROCKET", false, WP_ROCKET},
      {"MOD_ROCKET_SPLASH", false, WP_ROCKET},  {"MOD_PLASMA", false, WP_PLASMA},
      {"MOD_PLASMA_SPLASH", false, WP_PLASMA},  {"MOD_RAILGUN", false, WP_RAILGUN},
      {"MOD_LIGHTNING", false, WP_LIGHTNING},   {"MOD_BFG", false, WP_BFG},
      {"MOD_BFG_SPLASH", false, WP_BFG},        {"MOD_TELEFRAG", false, WP_TELEFRAG},
      {"MOD_NAIL", false, WP_NAILGUN},          {"MOD_GRAPPLE", false, WP_GRAPPLE},
      {"MOD_CHAINGUN", false, WP_MACHINEGUN},   {"MOD_PROXIMITY_MINE", false, WP_GRENADE},
      {"MOD_GRENADE_SPLASH", true, WP_GRENADE}, {"MOD_ROCKET_SPLASH", true, WP_ROCKET},
      {"MOD_PLASMA_SPLASH", true, WP_PLASMA},   {"MOD_BFG_SPLASH", true, WP_BFG},
      {"MOD_RAILGUN", true, WP_SUICIDE},        {"MOD_KAMIKAZE", true, WP_SUICIDE},
      {"MOD_WATER", false, WP_SUICIDE},         {"MOD_SLIME", false, WP_SUICIDE},
      {"MOD_LAVA", false, WP_SUICIDE},          {"MOD_CRUSH", false, WP_SUICIDE},
      {"MOD_FALLING", false, WP_SUICIDE},       {"MOD_TRIGGER_HURT", false, WP_SUICIDE},
      {"MOD_TARGET_LASER", false, WP_SUICIDE},  {"MOD_SUICIDE", true, WP_SUICIDE},
  };
  resetScratchPool();
  // Names with colour codes inside and at the end: the trailing "^7" is what the reader trims.
  const std::string head =
      "ClientUserinfoChanged: 2 n\\^1Vi^2c^1\\t\\0\n"
      "ClientUserinfoChanged: 3 n\\K^3il\\t\\0\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.means);
    const std::string kill = c.self ? std::string("Kill: 2 2 1: x killed x by ") + c.means
                                    : std::string("Kill: 3 2 1: x killed x by ") + c.means;
    const std::vector<std::string> out = convert(head + kill + "\n");
    ASSERT_FALSE(out.empty());
    const std::string& obituary = out.back();
    freeMallocs();
    EXPECT_EQ(1, validLine(obituary)) << obituary;
    EXPECT_EQ(c.weapon, getWeapon(obituary)) << obituary;
    EXPECT_EQ("^1Vi^2c^1", getVictimName(obituary)) << obituary;
    const bool oneName = c.self || c.weapon == WP_SUICIDE;
    EXPECT_EQ(oneName ? "^1Vi^2c^1" : "K^3il", getAttackerName(obituary)) << obituary;
  }
  freeMallocs();
}

TEST(KxPreparseGames, EachServerGameEndsOnceAfterItsStatistics) {
  // OSP: the statistics follow the Exit line; our reader must count them before the end.
  const std::string log =
      "  0:00 InitGame: \\g_gametype\\0\\mapname\\Q3DM17\n"
      "  0:01 ClientConnect: 1\n"
      "  0:01 ClientUserinfoChanged: 1 n\\Orbb\\t\\0\n"
      "  0:01 ClientBegin: 1\n"
      "  0:02 ClientUserinfoChanged: 2 n\\Mynx\\t\\0\n"
      "  0:02 ClientBegin: 2\n"
      "  0:05 Kill: 1 2 10: Orbb killed Mynx by MOD_RAILGUN 2\n"
      "  7:10 Exit: Fraglimit hit.\n"
      "  7:10 score: 25  ping: 0  client: 1 Orbb\n"
      "  7:10 Kill: 2 1 10: Mynx killed Orbb by MOD_RAILGUN 2\n"
      "  7:12 Weapon_Stats: 1 Railgun:20:7:1:0 Gauntlet:0:3:0:0 Given:1350 Recvd:0 Armor:5\n"
      "  7:16 ShutdownGame:\n"
      "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\n"
      "  0:03 ClientUserinfoChanged: 1 n\\Orbb\\t\\0\n"
      "  0:03 ClientBegin: 1\n"
      "  0:04 Kill: 1022 1 22: <world> killed Orbb by MOD_TRIGGER_HURT\n"
      "26  0:00 ------------------------------------------------------------\n"
      "  0:00 InitGame: \\mapname\\q3dm7\n"
      "  0:01 ShutdownGame:\n";
  // Players enter at the first event, in client order; the kill after the Exit does not
  // count; the zero rows, the gauntlet and armour are no records of ours; the map that
  // was left without an Exit, and the one cut short by a garbled line, end with the
  // shutdown line; an empty game writes only its map.
  EXPECT_EQ(
      "Current map: Q3DM17\n"
      "Orbb^7 entered the game\n"
      "Mynx^7 entered the game\n"
      "Mynx^7 was railed by Orbb^7\n"
      "Orbb^7 accuracy statistics Railgun 20 7\n"
      "Orbb^7 accuracy statistics Given 1350\n"
      "hit the fraglimit.\n"
      "Current map: q3dm6\n"
      "Orbb^7 entered the game\n"
      "Orbb^7 was in the wrong place.\n"
      "----- CL_Shutdown -----\n"
      "Current map: q3dm7\n",
      joined(convert(log)));
}

TEST(KxPreparseGames, ExitReasonsAndTheEndOfTheLog) {
  const std::string head =
      "InitGame: \\mapname\\m\n"
      "ClientUserinfoChanged: 0 n\\A\\t\\0\n"
      "ClientBegin: 0\n"
      "Kill: 0 0 20: A killed A by MOD_SUICIDE\n";
  EXPECT_EQ("Timelimit hit.", convert(head + "Exit: Timelimit hit.\nShutdownGame:\n").back());
  EXPECT_EQ("hit the fraglimit.", convert(head + "Exit: Fraglimit hit in arena 0\nShutdownGame:\n").back());
  EXPECT_EQ("hit the capturelimit.", convert(head + "Exit: Capturelimit hit.\nShutdownGame:\n").back());
  EXPECT_EQ("Pointlimit hit.", convert(head + "Exit: Roundlimit hit.\nShutdownGame:\n").back());
  EXPECT_EQ("----- CL_Shutdown -----", convert(head + "Exit: Voted: map q3dm17\nShutdownGame:\n").back());
  // A log that stops after the Exit: the match did end. One that stops mid-game: it did not.
  EXPECT_EQ("Timelimit hit.", convert(head + "Exit: Timelimit hit.\n").back());
  EXPECT_EQ("A^7 killed himself.", convert(head).back());
}

TEST(KxPreparseGames, WarmUpsAreDroppedAndMatchesOnOneMapSeparated) {
  const std::string warmup =
      "InitGame: \\mapname\\m\n"
      "ClientUserinfoChanged: 0 n\\A\\t\\0\n"
      "ClientBegin: 0\n"
      "Warmup:\n"
      "Kill: 0 0 20: A killed A by MOD_SUICIDE\n"
      "Game_Start:\n"
      "Kill: 1022 0 19: <world> killed A by MOD_FALLING\n"
      "ShutdownGame:\n";
  EXPECT_EQ(
      "Current map: m\n"
      "A^7 entered the game\n"
      "A^7 killed himself.\n"
      "^3Match has begun!\n"
      "A^7 entered the game\n"
      "A^7 cratered.\n"
      "----- CL_Shutdown -----\n",
      joined(convert(warmup)));
  // A warm-up in which nothing happens writes nothing; a map left while warming up drops it.
  EXPECT_EQ("Current map: m\n", joined(convert("InitGame: \\mapname\\m\nWarmup:\nShutdownGame:\n")));
  EXPECT_EQ("^3Match has begun!",
            convert("InitGame: \\mapname\\m\nWarmup:\nClientUserinfoChanged: 0 n\\A\\t\\0\n"
                    "Kill: 0 0 20: A killed A by MOD_SUICIDE\nShutdownGame:\n")
                .back());

  // CPMA plays on after an Exit: the next match starts at Game_Start or a ClientBegin.
  const std::string cpma =
      "InitGame: \\mapname\\cpm16\n"
      "ClientUserinfoChanged: 1 n\\JS\\t\\0\n"
      "ClientBegin: 1\n"
      "Kill: 1 1 7: JS killed JS by MOD_ROCKET_SPLASH 5 in arena 0\n"
      "Exit: Fraglimit hit in arena 0\n"
      "ClientBegin: 1\n"
      "Game_Start: FFA in arena 0\n"
      "Kill: 1 1 7: JS killed JS by MOD_ROCKET_SPLASH 5 in arena 0\n"
      "Game_Start: FFA in arena 0\n"
      "Kill: 1 1 7: JS killed JS by MOD_ROCKET_SPLASH 5 in arena 0\n";
  EXPECT_EQ(
      "Current map: cpm16\n"
      "JS^7 entered the game\n"
      "JS^7 blew himself up.\n"
      "hit the fraglimit.\n"
      "JS^7 entered the game\n"
      "JS^7 blew himself up.\n"
      "----- CL_Shutdown -----\n"
      "JS^7 entered the game\n"
      "JS^7 blew himself up.\n",
      joined(convert(cpma)));
}

TEST(KxPreparseClients, EntriesRenamesTeamsAndLeaving) {
  const std::string log =
      "InitGame: \\g_gametype\\4\\mapname\\ctf1\n"
      // Renamed before his first line: only the new name is ever written.
      "ClientUserinfoChanged: 2 n\\Dono da Bola\\t\\1\n"
      "ClientUserinfoChanged: 2 n\\Mocinha\\t\\1\n"
      "ClientBegin: 2\n"
      "ClientUserinfoChanged: 3 n\\Zeh\\t\\2\n"
      "ClientBegin: 3\n"
      // A spectator never enters while he watches.
      "ClientUserinfoChanged: 4 n\\Fasano\\t\\3\n"
      "ClientBegin: 4\n"
      "Kill: 1022 3 22: <world> killed Zeh by MOD_TRIGGER_HURT\n"
      "ClientUserinfoChanged: 2 n\\Mocinha\\t\\2\n"
      "ClientUserinfoChanged: 2 n\\^1Mo\\t\\2\n"
      "ClientUserinfoChanged: 4 n\\Fasano\\t\\1\n"
      "ClientDisconnect: 3\n"
      "Weapon_Stats: 3 Shotgun:10:4:0:0 Recvd:100\n"
      "ClientDisconnect: 2\n"
      "ClientConnect: 2\n"
      "ClientUserinfoChanged: 2 n\\\\t\\1\n"
      "ClientBegin: 2\n";
  EXPECT_EQ(
      "Current map: ctf1\n"
      "Mocinha^7 entered the game (^1RED^7)\n"
      "Zeh^7 entered the game (^4BLUE^7)\n"
      "Zeh^7 was in the wrong place.\n"
      "Mocinha^7 is on team BLUE\n"
      "Mocinha^7 renamed to ^1Mo^7\n"
      "Fasano^7 entered the game (^1RED^7)\n"
      "Zeh^7 accuracy statistics Shotgun 10 4\n"
      "Zeh^7 accuracy statistics Recvd 100\n"
      "Zeh^7 disconnected\n"
      "^1Mo^7 disconnected\n"
      "UnnamedPlayer^7 entered the game (^1RED^7)\n",
      joined(convert(log)));
}

// Every player line we write names the player the way our reader registers him and gives
// him the team the server gave him.
TEST(KxPreparseClients, ReaderTakesTheTeamsOfTheWrittenLines) {
  initPlayers();
  resetScratchPool();
  g_gametype = 0;
  const std::vector<std::string> out = convert(
      "InitGame: \\g_gametype\\4\\mapname\\ctf1\n"
      "ClientUserinfoChanged: 0 n\\R^2ed\\t\\1\n"
      "ClientBegin: 0\n"
      "ClientUserinfoChanged: 1 n\\Blue\\t\\2\n"
      "ClientBegin: 1\n"
      "Kill: 0 1 10: R^2ed killed Blue by MOD_RAILGUN\n"
      "ClientUserinfoChanged: 1 n\\Blue\\t\\1\n");
  ASSERT_EQ(5u, out.size());
  for (const std::string& line : out) {
    freeMallocs();
    if (line.find("entered the game") != std::string::npos) addPlayer(getVictimName(line));
    freeMallocs();
    assignTeam(line);
  }
  freeMallocs();
  const int red = getPlayerIndex("R^2ed");
  const int blue = getPlayerIndex("Blue");
  ASSERT_LT(red, 64);
  ASSERT_LT(blue, 64);
  EXPECT_EQ(1, q3players[red].team);
  EXPECT_EQ(1, q3players[blue].team);  // " is on team RED" came last
  initPlayers();
  g_gametype = 0;
}

TEST(KxPreparseFlags, TouchesBecomePickUpsCapturesAndReturns) {
  const std::string head =
      "  0:00 InitGame: \\g_gametype\\4\\mapname\\ctf1\n"
      "  0:00 ClientUserinfoChanged: 0 n\\R\\t\\1\n"
      "  0:00 ClientBegin: 0\n"
      "  0:00 ClientUserinfoChanged: 1 n\\B\\t\\2\n"
      "  0:00 ClientBegin: 1\n";
  EXPECT_EQ(
      "Current map: ctf1\n"
      "R^7 entered the game (^1RED^7)\n"
      "B^7 entered the game (^4BLUE^7)\n"
      "R^7 got the BLUE flag!\n"
      "R^7 captured the BLUE flag!\n"
      "B^7 got the RED flag!\n"
      "B^7 almost dodged R^7's rocket\n"
      "R^7 fragged BLUE's flag carrier!\n"
      "R^7 returned the RED flag!\n"
      "R^7 returned the RED flag!\n",
      joined(convert(head +
                     "  0:10 Item: 0 team_CTF_blueflag\n"
                     "  0:20 Item: 0 team_CTF_redflag\n"   // home, carrying: a capture
                     "  0:30 Item: 1 team_CTF_redflag\n"
                     "  0:40 Kill: 0 1 7: R killed B by MOD_ROCKET_SPLASH\n"
                     "  0:45 Item: 0 team_CTF_redflag\n"   // dropped 5 s ago: a return
                     "  0:50 Item: 0 team_CTF_redflag\n")));  // home, not carrying: a return

  // A carrier touching his own flag: dropped 29 s ago it is still out (a return, and he
  // keeps the enemy flag); 30 s after a drop it has gone home by itself (a capture).
  const std::string carrying =
      "  0:05 Item: 1 team_CTF_redflag\n"
      "  0:06 Item: 0 team_CTF_blueflag\n"
      "  0:10 Kill: 0 1 10: R killed B by MOD_RAILGUN\n";
  const std::vector<std::string> soon = convert(head + carrying + "  0:39 Item: 0 team_CTF_redflag\n");
  EXPECT_EQ("R^7 returned the RED flag!", soon.back());
  const std::vector<std::string> late = convert(head + carrying + "  0:40 Item: 0 team_CTF_redflag\n");
  EXPECT_EQ("R^7 captured the BLUE flag!", late.back());

  // No flags outside capture the flag; touches after the end of the match are left out.
  const std::string ffa = "InitGame: \\g_gametype\\0\\mapname\\dm\nClientUserinfoChanged: 0 n\\R\\t\\1\n";
  EXPECT_EQ(1u, convert(ffa + "Item: 0 team_CTF_blueflag\n").size());
  EXPECT_EQ("hit the capturelimit.",
            convert(head + "Item: 0 team_CTF_blueflag\nExit: Capturelimit hit.\nItem: 1 team_CTF_redflag\n").back());
}

TEST(KxPreparseFlags, ModFlagLinesReplaceTheTouches) {
  // Excessive Plus logs the touch and then the event; only the event may count.
  const std::string log =
      "InitGame: \\g_gametype\\4\\mapname\\ctf1\n"
      "ClientUserinfoChanged: 0 n\\R\\t\\1\n"
      "ClientUserinfoChanged: 1 n\\B\\t\\2\n"
      "Item: 0 team_CTF_blueflag\n"
      "Flag_Pickup: 0\n"
      "Kill_Carrier: 1\n"
      "Flag_ReturnWorld: 0 1.700\n"
      "Item: 1 team_CTF_blueflag\n"
      "Score: 1 4\n"
      "Flag_Return: 1 4.300\n"
      "Item: 0 team_CTF_redflag\n"
      "Flag_Capture: 0 21.650\n"
      "Flag_Assist_Return: 1\n"
      "Defend_Base: 0\n"
      "Defend_Flag: 1\n"
      "Defend_Carrier: 0\n"
      "Defend_Hurt_Carrier: 1\n";
  const std::vector<std::string> out = convert(log);
  EXPECT_EQ(
      "Current map: ctf1\n"
      "R^7 entered the game (^1RED^7)\n"
      "R^7 got the BLUE flag!\n"
      "B^7 entered the game (^4BLUE^7)\n"
      "B^7 fragged RED's flag carrier!\n"
      "B^7 returned the BLUE flag!\n"
      "R^7 captured the BLUE flag!\n"
      "B^7 gets an assist for returning the BLUE flag!\n"
      "R^7 defends the RED base\n"
      "B^7 defends the BLUE flag\n"
      "R^7 defends the RED's flag carrier.\n"
      "B^7 defends BLUE's flag carrier against an agressive enemy\n",
      joined(out));

  // Each flag line names its actor's team in words our reader files under that team.
  for (const std::string& line : out) {
    if (line.find("entered") != std::string::npos || line.find("map") != std::string::npos) continue;
    const bool red = line.compare(0, 2, "R^") == 0;
    const char* const* own = red ? ctf_red_strings : ctf_blue_strings;
    const char* const* other = red ? ctf_blue_strings : ctf_red_strings;
    bool inOwn = false;
    bool inOther = false;
    for (int i = 0; own[i] != nullptr; ++i) inOwn = inOwn || line.find(own[i]) != std::string::npos;
    for (int i = 0; other[i] != nullptr; ++i) inOther = inOther || line.find(other[i]) != std::string::npos;
    EXPECT_TRUE(inOwn) << line;
    EXPECT_FALSE(inOther) << line;
  }
}

TEST(KxPreparseStats, WeaponStatsRowsAsOneLineRecords) {
  initPlayers();
  resetScratchPool();
  const std::vector<std::string> out = convert(
      "ClientUserinfoChanged: 0 n\\Bob^1\\t\\0\n"
      "ClientBegin: 0\n"
      "Kill: 0 0 20: x killed x by MOD_SUICIDE\n"
      "Weapon_Stats: 0 Machinegun:10:1:0:0 MachineGun:2:2:0:0 Lightning:30:9:1:0 None:1:0:0:0 "
      "Gauntlet:0:7:0:0 BFG:0:0:0:0 R.Launcher:bad Given:0 Recvd:259 Armor:30 TeamDmg:4\n");
  EXPECT_EQ(
      "Bob^1^7 entered the game\n"
      "Bob^1^7 killed himself.\n"
      "Bob^1^7 accuracy statistics MachineGun 10 1\n"
      "Bob^1^7 accuracy statistics MachineGun 2 2\n"
      "Bob^1^7 accuracy statistics LightningGun 30 9\n"
      "Bob^1^7 accuracy statistics Recvd 259\n",
      joined(out));
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
  EXPECT_NE(std::string::npos, errors.find("usage: kx-preparse <server-log> <output>\n"));
  EXPECT_NE(std::string::npos, errors.find("cannot read"));

  // A line longer than the read buffer is cut; its rest, here a Kill line of its own if it
  // came back, must not be read as a line.
  const std::string say = "  0:01 say: ";
  const std::string in = tempPath("long.log");
  writeFile(in, "  0:00 InitGame: \\mapname\\q3dm17\n" + say +
                std::string(LogLines::kBufferBytes - 1 - say.size(), 'x') +
                "Kill: 1 1 20: A killed A by MOD_SUICIDE\r\n"
                "  0:02 ClientUserinfoChanged: 1 n\\A\\t\\0\r\n"
                "  0:03 Kill: 1 1 20: A killed A by MOD_SUICIDE\r\n"
                "  0:04 ShutdownGame:\r\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(kExitFileError, runWith({"kx-preparse", in, tempPath("no_such_dir/out.log")}));
  EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("cannot write"));
  const std::string out = tempPath("long_out.log");
  testing::internal::CaptureStdout();
  const int status = runWith({"kx-preparse", in, out});
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(kExitDone, status);
  EXPECT_EQ("Current map: q3dm17\nA^7 entered the game\nA^7 killed himself.\n----- CL_Shutdown -----\n",
            readFile(out));
  std::remove(in.c_str());
  std::remove(out.c_str());
}

// The public challenge log of 21 games: every Kill line between two InitGame lines becomes
// one obituary (no means of this log is left out), so each game has its published total.
TEST(KxPreparseRealLog, ChallengeLogKeepsEveryGamesKills) {
  const char* dir = std::getenv("KX_REAL_LOGS");
  const std::string path = std::string(dir != nullptr ? dir : KX_TEST_DATA "/real") +
                           "/server_qgames_challenge.log";
  std::ifstream file(path, std::ios::binary);
  if (!file) GTEST_SKIP() << "real log not found: " << path;
  std::stringstream text;
  text << file.rdbuf();
  resetScratchPool();

  const std::vector<std::string> out = convert(text.str());
  // Total kills per game, <world> kills and suicides included, from the published table.
  const std::vector<int> expected = {0,  11, 4,  105, 14, 29, 130, 89, 67,  60, 20,
                                     160, 6,  122, 3,  0,  13, 7,   95, 3,   131};
  std::vector<int> perGame;
  int ends = 0;
  for (const std::string& line : out) {
    if (line.compare(0, 13, "Current map: ") == 0) {
      perGame.push_back(0);
      continue;
    }
    if (line == "----- CL_Shutdown -----" || line == "Timelimit hit." || line == "hit the fraglimit." ||
        line == "hit the capturelimit.") {
      ++ends;
      continue;
    }
    freeMallocs();
    if (!perGame.empty() && getWeapon(line) != WP_UNKNOWN) ++perGame.back();
  }
  freeMallocs();
  EXPECT_EQ(expected, perGame);
  EXPECT_EQ(19, ends);  // games 1 and 16 have no death and write no player line
}
