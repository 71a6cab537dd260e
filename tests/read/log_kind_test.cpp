// Which logs are handed to the pre-parser, and with which arguments.
#include "read/log_kind.h"

#include <gtest/gtest.h>

#include <string>

TEST(LogKind, ServerGameStartsWithOrWithoutATime) {
  EXPECT_TRUE(isServerGameStart("  0:00 InitGame: \\sv_hostname\\x\n"));
  EXPECT_TRUE(isServerGameStart("981:27 InitGame: \\mapname\\q3dm17"));
  // A dedicated server's console log has no times.
  EXPECT_TRUE(isServerGameStart("InitGame: \\sv_hostname\\q3.twst.dev\\g_gametype\\0\n"));
  // Client lines and chat that merely hold the word.
  EXPECT_FALSE(isServerGameStart("InitGame:\\mapname"));
  EXPECT_FALSE(isServerGameStart("Bob^7: InitGame:"));
  EXPECT_FALSE(isServerGameStart(" InitGame:"));
  EXPECT_FALSE(isServerGameStart("Bob^7 was railed by Ann^7\n"));
}

TEST(LogKind, ClockBeforeAClientLine) {
  EXPECT_TRUE(hasClientClock("^1[^723^1:^724^1]^7 Tanya^s got ^4BLUE^s's flag!"));
  EXPECT_TRUE(hasClientClock("[12:05] Bob^7 entered the game"));
  EXPECT_TRUE(hasClientClock("^1[^700^1:^700^1]^7 "));
  // Clan tags, chat and lines cut short are no clocks.
  for (const char* line : {"[AB]Joe^7 was railed by Max^7", "[12:05]Bob", "[1205] Bob", "[:] x", "^1[^723^1:^7",
                           "Bob^7: [12:05] gg", "", "["}) {
    EXPECT_FALSE(hasClientClock(line)) << line;
  }
}

TEST(LogKind, KindOfALine) {
  EXPECT_EQ(LogKind::kServer, logKindOf("  0:00 InitGame: \\mapname\\q3dm17", 5000));
  const char* entry = "^1[^723^1:^724^1]^7 Tanya^s entered the game. (^1RED^s)";
  EXPECT_EQ(LogKind::kClockedClient, logKindOf(entry, kClockProbeLines));
  // A clock later on is taken for a stray line, not for the kind of log; so is a clocked line
  // without the mod's colour reset (copied into an OSP log, as the benchmark's noise is).
  EXPECT_EQ(LogKind::kClientConsole, logKindOf(entry, kClockProbeLines + 1));
  EXPECT_EQ(LogKind::kClientConsole, logKindOf("^1[^723^1:^724^1]^7 Failed to load model file", 1));
  EXPECT_EQ(LogKind::kClientConsole, logKindOf("Current map: q3dm17", 1));
}
