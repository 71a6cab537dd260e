// The site archive: its schema version and migration, finding a game by its fingerprint, and
// where a known log may be read from.
#include "kx-site/archive.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "kx-site/log_source.h"

namespace kxsite {
namespace {

class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/kx-site-archive-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = dir_ + "/kalimostats.db";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Runs SQL on the file outside the archive, as an older program or a user would.
  void raw(const std::string& sql) {
    Database db;
    std::string err;
    ASSERT_TRUE(db.open(path_, &err)) << err;
    ASSERT_TRUE(db.exec(sql, &err)) << err;
  }
  int64_t count(Archive& a, const char* sql) {
    Statement& s = a.sql(sql);
    return s.step() ? s.integer(0) : -1;
  }

  std::string dir_, path_;
};

GameRecord ffaGame(const std::string& fingerprint) {
  GameRecord r;
  r.processed = "2026-12-06T12:22:20";
  r.mainPage = "kalimostats_2026_12_06_12_22_20_1001_FFA_PUB_main.html";
  r.map = "q3dm6";
  r.logName = "games.log";
  r.fingerprint = fingerprint;
  RecordPlayer ann, bob, cal;
  ann.name = "^1Ann";
  ann.score = 3;
  ann.kills = 3;
  bob.name = "Bob";
  bob.score = 3;
  bob.kills = 3;
  cal.name = "Cal";
  cal.score = 1;
  cal.kills = 1;
  r.players = {ann, bob, cal};
  return r;
}

TEST_F(ArchiveTest, ANewArchiveIsAtTheCurrentVersionWithTheDocumentedRatingsTable) {
  Archive a;
  std::string err;
  ASSERT_TRUE(a.open(path_, &err)) << err;
  EXPECT_EQ(1, kArchiveVersion);
  EXPECT_EQ(kArchiveVersion, a.db().userVersion());
  Statement& s = a.sql("SELECT group_concat(name, ' ') FROM pragma_table_info('ratings')");
  ASSERT_TRUE(s.step());
  EXPECT_EQ("player game_type rating rd volatility games", s.text(0));
}

TEST_F(ArchiveTest, AnOlderArchiveIsMigratedAndKeepsWhatItHeld) {
  raw("CREATE TABLE notes(text TEXT); INSERT INTO notes VALUES('kept'); PRAGMA user_version = 0;");
  Archive a;
  std::string err;
  ASSERT_TRUE(a.open(path_, &err)) << err;
  EXPECT_EQ(kArchiveVersion, a.db().userVersion());
  EXPECT_EQ(1, count(a, "SELECT COUNT(*) FROM notes WHERE text = 'kept'"));
  EXPECT_EQ(0, count(a, "SELECT COUNT(*) FROM games"));
}

TEST_F(ArchiveTest, OpeningTwiceMigratesNothingAgain) {
  std::string err;
  {
    Archive a;
    ASSERT_TRUE(a.open(path_, &err)) << err;
    int64_t id = 0;
    ASSERT_TRUE(a.begin(&err) && a.addGame(ffaGame(std::string(32, 'a')), "games.log", Aliases(), &id, &err) &&
                a.commit(&err)) << err;
  }
  Archive again;
  ASSERT_TRUE(again.open(path_, &err)) << err;
  EXPECT_EQ(1, count(again, "SELECT COUNT(*) FROM games"));
}

TEST_F(ArchiveTest, ANewerArchiveIsRefusedAndLeftAsItIs) {
  raw("PRAGMA user_version = 7;");
  Archive a;
  std::string err;
  EXPECT_FALSE(a.open(path_, &err));
  EXPECT_NE(std::string::npos, err.find("version 7")) << err;
  Database db;
  ASSERT_TRUE(db.open(path_, &err));
  EXPECT_EQ(7, db.userVersion());
}

TEST_F(ArchiveTest, AGameIsFoundByItsFingerprintAndCannotBeArchivedTwice) {
  Archive a;
  std::string err;
  ASSERT_TRUE(a.open(path_, &err) && a.begin(&err)) << err;
  int64_t first = 0, second = 0;
  ASSERT_TRUE(a.addGame(ffaGame(std::string(32, 'a')), "games.log", Aliases(), &first, &err)) << err;
  ASSERT_TRUE(a.addGame(ffaGame(std::string(32, 'b')), "games.log", Aliases(), &second, &err)) << err;
  EXPECT_EQ(first, a.gameWithFingerprint(std::string(32, 'a')));
  EXPECT_EQ(second, a.gameWithFingerprint(std::string(32, 'b')));
  EXPECT_EQ(0, a.gameWithFingerprint(std::string(32, 'c')));
  int64_t again = 0;
  EXPECT_FALSE(a.addGame(ffaGame(std::string(32, 'a')), "copy.log", Aliases(), &again, &err));
}

TEST_F(ArchiveTest, FreeForAllWinnersShareTheHighestScore) {
  Archive a;
  std::string err;
  int64_t id = 0;
  ASSERT_TRUE(a.open(path_, &err) && a.begin(&err) &&
              a.addGame(ffaGame(std::string(32, 'a')), "games.log", Aliases(), &id, &err)) << err;
  Statement& s = a.sql("SELECT group_concat(outcome, ' ') FROM (SELECT outcome FROM game_players ORDER BY slot)");
  ASSERT_TRUE(s.step());
  EXPECT_EQ("win win loss", s.text(0));
  // "^1Ann" is Ann without her colour code, in lower case.
  EXPECT_EQ(1, count(a, "SELECT COUNT(*) FROM players WHERE key = 'ann' AND name = '^1Ann'"));
}

TEST_F(ArchiveTest, AWarmUpSeenAgainIsListedOnce) {
  Archive a;
  std::string err;
  ASSERT_TRUE(a.open(path_, &err)) << err;
  ASSERT_TRUE(a.addWarmUp("head 1", "games.log", "2026-12-06 12:00:00", &err)) << err;
  ASSERT_TRUE(a.addWarmUp("head 1", "copy.log", "2026-12-06 12:15:00", &err)) << err;
  ASSERT_TRUE(a.addWarmUp("head 2", "games.log", "2026-12-06 12:15:00", &err)) << err;
  EXPECT_EQ(2, count(a, "SELECT COUNT(*) FROM unrated WHERE reason = 'osp_warm_up'"));
}

class LogSourceTest : public ArchiveTest {
 protected:
  void write(const std::string& text) { std::ofstream(dir_ + "/games.log", std::ios::binary) << text; }
  LogState known(int64_t nextOffset) {
    LogHead head;
    std::string err;
    EXPECT_TRUE(readHead(dir_ + "/games.log", &head, &err)) << err;
    LogState st;
    st.headSize = head.size;
    st.headHash = head.hash;
    st.nextOffset = nextOffset;
    return st;
  }
};

TEST_F(LogSourceTest, AGrownLogIsReadFromItsLastGameOn) {
  write("Current map: q3dm1\nTimelimit hit.\n");
  const LogState st = known(34);
  write("Current map: q3dm1\nTimelimit hit.\nCurrent map: q3dm2\n");
  EXPECT_EQ(std::optional<int64_t>(34), tailStart(dir_ + "/games.log", st));
}

TEST_F(LogSourceTest, ARotatedTruncatedOrUngrownLogIsReadWhole) {
  write("Current map: q3dm1\nTimelimit hit.\n");
  const LogState st = known(34);
  write("Current map: q3dm7\nTimelimit hit.\nCurrent map: q3dm2\n");
  EXPECT_FALSE(tailStart(dir_ + "/games.log", st)) << "another start: rotated";
  write("Current map: q3dm1\n");
  EXPECT_FALSE(tailStart(dir_ + "/games.log", st)) << "shorter than its head: truncated";
  write("Current map: q3dm1\nTimelimit hit.\n");
  EXPECT_EQ(std::optional<int64_t>(34), tailStart(dir_ + "/games.log", st)) << "nothing new: an empty tail";
}

TEST_F(LogSourceTest, UnderTheOspAnnouncementTheLogIsReadWhole) {
  write("Loaded OSP Client Version: 1.03a\nTimelimit hit.\n");
  EXPECT_FALSE(tailStart(dir_ + "/games.log", known(48)));
  write("Loaded OSP Client Version: 1.03a\nRE_Shutdown( 0 )\nTimelimit hit.\n");
  EXPECT_EQ(std::optional<int64_t>(65), tailStart(dir_ + "/games.log", known(65))) << "the renderer's shutdown ends it";
}

TEST_F(LogSourceTest, AServerLogsTailIsReadAloneOnlyWhenItStartsWithAGame) {
  // The first game is bytes 0 to 100, its "ShutdownGame:" line included; the next starts at 101.
  const std::string first =
      "  0:00 InitGame: \\mapname\\q3dm17\n"     // 33 bytes
      "  1:00 Kill: 2 3 10: A killed B by MOD_RAILGUN\n"  // 47 bytes: 80 in all
      "  2:00 ShutdownGame:\n";                       // 21 bytes: 101
  write(first);
  const LogState st = known(101);
  write(first + "  2:00 ------\n  2:00 InitGame: \\mapname\\q3dm6\n  3:00 Kill: 2 3 10: A killed B\n");
  EXPECT_EQ(std::optional<int64_t>(101), tailStart(dir_ + "/games.log", st)) << "a separator, then the next game";
  // A console that goes on with the same map: the tail's kills would come without their players.
  write(first + "  3:00 Kill: 2 3 10: A killed B by MOD_RAILGUN\n  4:00 InitGame: \\mapname\\q3dm6\n");
  EXPECT_FALSE(tailStart(dir_ + "/games.log", st));
  write(first + "  3:00 ------\n");
  EXPECT_EQ(std::optional<int64_t>(101), tailStart(dir_ + "/games.log", st)) << "no fact of a game yet";
}

}  // namespace
}  // namespace kxsite
