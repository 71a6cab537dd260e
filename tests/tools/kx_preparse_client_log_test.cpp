// How the pre-parser turns an Excessive Plus client log into lines our reader counts.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "kx-preparse/client_log.h"
#include "kx-preparse/run.h"
#include "log/vocabulary.h"
#include "players/obituary.h"
#include "run/scratch_pool.h"

namespace {

class CollectSink : public LineSink {
 public:
  void writeLine(std::string_view text) override { lines.emplace_back(text); }
  std::vector<std::string> lines;
};

// Both passes over an inline client log; the lines written.
std::vector<std::string> convertClient(const std::vector<std::string>& log) {
  ClientMatchMaps maps;
  for (const std::string& l : log) maps.scanLine(l);
  CollectSink sink;
  ClientLogConverter converter(sink, &maps);
  for (const std::string& l : log) converter.feed(l);
  return sink.lines;
}

bool inTable(const std::string& line, const char* const* table) {
  for (int i = 0; table[i] != nullptr; ++i) {
    if (line.find(table[i]) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

TEST(KxPreparseClientLog, ClockResetsAndRepeatsMadeReadable) {
  std::vector<char> out;
  ClientSkip reason = ClientSkip::kCount;
  ASSERT_TRUE(cleanClientLine("^1[^723^1:^724^1]^7 ^7S^2t^7eff^7^s was railed by Sv^7^s.", out, reason));
  EXPECT_EQ("^7S^2t^7eff^7 was railed by Sv^7.", std::string(out.begin(), out.end()));
  // Lines without a clock pass as they are.
  ASSERT_TRUE(cleanClientLine("RE_Shutdown( 0 )", out, reason));
  EXPECT_EQ("RE_Shutdown( 0 )", std::string(out.begin(), out.end()));
  EXPECT_FALSE(cleanClientLine("^\\^7^1[^723^1:^751^1]^7 ^4BLUE^7 team wins 15 to 9 ", out, reason));
  EXPECT_EQ(ClientSkip::kRepeated, reason);
  EXPECT_FALSE(cleanClientLine("^1[^723^1:^731^1]^7 [skipnotify]^1Map:  ^7q3dm7", out, reason));
  EXPECT_EQ(ClientSkip::kStatistics, reason);
}

TEST(KxPreparseClientLog, TheModsWordsInTheOspWordsOurReaderCounts) {
  const std::string clock = "^1[^723^1:^724^1]^7 ";
  const std::vector<std::string> out = convertClient({
      "logfile opened on Fri Jan 15 23:24:17 2016",
      clock + "Tanya^s entered the game. (^1RED^s)",
      clock + "UNLUCKY^s entered the game. (^4BLUE^s)",
      clock + "Tanya^s got ^4BLUE^s's flag!",
      clock + "UNLUCKY^s fragged ^1RED^s's flag carrier!",
      clock + "Tanya^7^s was railed by UNLUCKY^7^s.",
      clock + "UNLUCKY^s returned ^4BLUE^s's flag! (19.200s)",
      clock + "Tanya^s captured ^4BLUE^s's flag! (5.450s)",
      clock + "^1RED^s team hit the capturelimit.",
      clock + "[skipnotify]^1Map:  ^7q3dm7",
      clock + "^1RED^s team wins 1 to 0 ",
      clock + "[4^7] Tanya^s:^2 gg",
      "----- CL_Shutdown -----",
  });
  const std::vector<std::string> expected = {
      "logfile opened on Fri Jan 15 23:24:17 2016",
      "Tanya^7 entered the game (^1RED^7)",
      "UNLUCKY^7 entered the game (^4BLUE^7)",
      "Tanya^7 got the BLUE flag!",
      "UNLUCKY^7 fragged RED's flag carrier!",
      "Tanya^7 was railed by UNLUCKY^7",
      "UNLUCKY^7 returned the BLUE flag!",
      "Tanya^7 captured the BLUE flag!",
      "Current map: q3dm7",
      "^1RED^7 team hit the capturelimit.",
      "^1RED^7 team wins 1 to 0 ",
      "[4^7] Tanya^7:^2 gg",
      "----- CL_Shutdown -----",
  };
  ASSERT_EQ(expected, out);

  // Our reader finds each player under one name, on the right team.
  resetScratchPool();
  for (std::size_t i = 3; i <= 7; ++i) {
    const bool red = out[i].compare(0, 5, "Tanya") == 0;
    if (out[i].find(" flag") != std::string::npos) {
      EXPECT_TRUE(inTable(out[i], red ? ctf_red_strings : ctf_blue_strings)) << out[i];
    }
    freeMallocs();
    EXPECT_EQ(red ? "Tanya" : "UNLUCKY", getVictimName(out[i])) << out[i];
  }
  freeMallocs();
  EXPECT_EQ("UNLUCKY", getAttackerName(out[5]));
  freeMallocs();
}

TEST(KxPreparseClientLog, CommandLine) {
  const std::string in = testing::TempDir() + "kx_preparse_client.log";
  const std::string out = testing::TempDir() + "kx_preparse_client_out.log";
  std::ofstream(in, std::ios::binary) << "^1[^700^1:^701^1]^7 Bob^s entered the game.\r\n";
  std::vector<std::string> args = {"kx-preparse", "--client", in, out};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  testing::internal::CaptureStdout();
  EXPECT_EQ(kExitDone, runPreparse(static_cast<int>(argv.size()), argv.data()));
  EXPECT_EQ("kx-preparse: 1 lines read, 0 matches ended, 1 lines written\n", testing::internal::GetCapturedStdout());
  std::ostringstream written;
  written << std::ifstream(out, std::ios::binary).rdbuf();
  EXPECT_EQ("Bob^7 entered the game\n", written.str());
  std::remove(in.c_str());
  std::remove(out.c_str());
}
