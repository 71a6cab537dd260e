// The games index: page names, rows read back from page text, and the written index.html.
#include "kx-index/games_index.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace kxindex {
namespace {

namespace fs = std::filesystem;

constexpr const char kCtfName[] = "kalimostats_2001_08_10_12_00_00_1003_CTF_RED_vs_BLUE_main.html";

// The parts of a capture-the-flag main page that the index reads, as the program writes them.
constexpr const char kCtfPage[] =
    "<html>\n<head><title>kalimo stats</title>\n"
    "<LINK REL=stylesheet HREF=\"site.css\" TYPE=\"text/css\">\n"
    "<td WIDTH=20% CLASS=\"red\"><CENTER><p style=\"font-size: 30pt; color: red\">1</p></CENTER></td>\n"
    "<td WIDTH=60% CLASS=\"neutralCtf\"><center><div align=center><b>map : q3ctf1</b><br>"
    "<td WIDTH=20% CLASS=\"blue\"><CENTER><p style=\"font-size: 30pt; color: blue\">2</p></CENTER></td>\n"
    "<tr>\n<td CLASS=\"red\"><div align=left><A name=\"list-^1Red^7Fox\"><A href=\"#stat-^1Red^7Fox\">"
    "<font color=#FF0000>Red</font><font color=#FFFFFF>Fox</font></A></A></div></td>\n"
    "<td CLASS=\"red\"><div align=center>12</div></td>\n</tr>\n"
    "<tr>\n<td CLASS=\"blue\"><div align=left><A name=\"list-a&lt;b&gt;\"><A href=\"#stat-a&lt;b&gt;\">"
    "<font color=#FFFFFF>a&lt;b&gt;</font></A></A></div></td>\n"
    "<td CLASS=\"blue\"><div align=center>-1</div></td>\n</tr>\n"
    "</body>\n</html>\n";

constexpr const char kFfaRows[] =
    "<tr>\n<td CLASS=\"neutralLowlight\"><div align=center>1</div></td>\n"
    "<td CLASS=\"neutralLowlight\"><A name=\"list-Ann\"><A href=\"x_wpn.html#weapons-Ann\">"
    "<font color=#FFFFFF>Ann</font></A></A></div></td>\n"
    "<td CLASS=\"neutralLowlight\"><div align=center>7.64</div></td>\n"
    "<td CLASS=\"neutralLowlight\"><div align=center>4</div></td>\n</tr>\n";

TEST(PageName, SplitsAMainPageName) {
  PageName p;
  ASSERT_TRUE(parsePageName(kCtfName, &p));
  EXPECT_EQ("2001_08_10_12_00_00", p.stamp);
  EXPECT_EQ(1003, p.gameId);
  EXPECT_EQ("CTF_RED_vs_BLUE", p.label);
  EXPECT_EQ("html", p.ext);
  EXPECT_EQ("kalimostats_2001_08_10_12_00_00_1003_CTF_RED_vs_BLUE_wpn.html", weaponPageOf(kCtfName));
}

TEST(PageName, OnlyMainPagesOfTheProgramsOwnNamingAreListed) {
  PageName p;
  for (const char* other : {"index.html", "kalimostats_2001_08_10_12_00_00_1003_CTF_RED_vs_BLUE_wpn.html",
                            "kalimostats_2001_08_10_12_00_1003_FFA_PUB_main.html",  // a stamp field short
                            "kalimostats_2001_08_10_12_00_00_x_FFA_PUB_main.html",
                            "kalimostats_2001_08_10_12_00_00_1001_FFA PUB_main.html",
                            "kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_main."}) {
    EXPECT_FALSE(parsePageName(other, &p)) << other;
  }
  const std::pair<const char*, const char*> types[] = {{"FFA_PUB", "free for all"},
                                                       {"TDM_RED_vs_BLUE", "team deathmatch"},
                                                       {"CA__AB__vs__XY_", "Clan Arena"},
                                                       {"XYZ", "unknown"}};
  for (const auto& [label, type] : types) EXPECT_EQ(type, gameTypeOf(label));
}

TEST(ReadGamePage, TeamGameGivesMapScoresAndTeams) {
  PageName p;
  ASSERT_TRUE(parsePageName(kCtfName, &p));
  const GameRow r = readGamePage(p, kCtfName, kCtfPage);
  EXPECT_TRUE(r.complete);
  EXPECT_EQ("site.css", r.stylesheet);
  EXPECT_EQ("q3ctf1", r.map);
  EXPECT_EQ("1", r.redScore);
  EXPECT_EQ("2", r.blueScore);
  ASSERT_EQ(1u, r.red.size());
  EXPECT_EQ("RedFox", r.red[0].name);
  EXPECT_EQ("12", r.red[0].score);
  ASSERT_EQ(1u, r.blue.size());
  EXPECT_EQ("a<b>", r.blue[0].name);
  EXPECT_EQ("-1", r.blue[0].score);
  // Text from a log stays text in the index too.
  const std::string html = renderIndex({r}, r.stylesheet);
  EXPECT_NE(std::string::npos, html.find("a&lt;b&gt;"));
  EXPECT_NE(std::string::npos, html.find("<div align=center>1 : 2</div>"));
  EXPECT_NE(std::string::npos, html.find("<td CLASS=\"neutral\">2001-08-10 12:00:00</td>"));
}

TEST(ReadGamePage, FreeForAllScoreIsTheFourthColumn) {
  PageName p;
  ASSERT_TRUE(parsePageName("kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_main.html", &p));
  const GameRow r = readGamePage(p, "x", kFfaRows);
  EXPECT_FALSE(r.complete);
  ASSERT_EQ(1u, r.others.size());
  EXPECT_EQ("Ann", r.others[0].name);
  EXPECT_EQ("4", r.others[0].score);
  EXPECT_NE(std::string::npos, renderIndex({r}, "c.css").find("Ann (4)"));
}

TEST(ReadGamePage, HalfAPageStillGivesARow) {
  PageName p;
  ASSERT_TRUE(parsePageName(kCtfName, &p));
  const std::string half = std::string(kCtfPage).substr(0, 200);
  const GameRow r = readGamePage(p, kCtfName, half);
  EXPECT_FALSE(r.complete);
  EXPECT_EQ("1", r.redScore);
  EXPECT_EQ("", r.map);
  EXPECT_NE(std::string::npos, renderIndex({r}, "c.css").find("(page incomplete)"));
}

class WriteIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("kx-index-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  void put(const std::string& name, const std::string& text) { std::ofstream(dir_ / name) << text; }
  std::string index() {
    std::ifstream in(dir_ / "index.html");
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path dir_;
};

TEST_F(WriteIndex, NewestFirstWithWeaponLinksAndNotes) {
  put(kCtfName, kCtfPage);
  put("kalimostats_2001_08_10_12_00_00_1003_CTF_RED_vs_BLUE_wpn.html", "<html></html>");
  put("kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_main.html", kFfaRows);
  put("kalimostats_2001_08_11_09_00_00_1001_FFA_PUB_main.html", kFfaRows);
  put("kalimostats_odd_main.html", "x");
  put("notes.html", "x");
  fs::create_directory(dir_ / "kalimostats_2001_08_12_09_00_00_1001_FFA_PUB_main.html");
  int listed = 0;
  std::vector<std::string> notes;
  std::string err;
  ASSERT_TRUE(writeIndex(dir_.string(), &listed, &notes, &err)) << err;
  EXPECT_EQ(3, listed);
  const std::string html = index();
  const std::size_t newest = html.find("2001-08-11 09:00:00");
  const std::size_t ctf = html.find("capture the flag");
  const std::size_t oldest = html.find("2001-08-10 12:00:00</td>\n<td CLASS=\"neutral\">free for all");
  ASSERT_NE(std::string::npos, newest);
  EXPECT_LT(newest, ctf);
  EXPECT_LT(ctf, oldest);
  EXPECT_NE(std::string::npos,
            html.find("<a href=\"kalimostats_2001_08_10_12_00_00_1003_CTF_RED_vs_BLUE_wpn.html\">weapons</a>"));
  // The newest page names no style sheet: the next one that does gives the index its sheet.
  EXPECT_NE(std::string::npos, html.find("HREF=\"site.css\""));
  EXPECT_EQ(4u, notes.size());  // odd name, a directory, two incomplete pages
  for (const auto& entry : fs::directory_iterator(dir_)) {
    EXPECT_EQ(std::string::npos, entry.path().filename().string().find(".tmp-"));
  }
}

TEST_F(WriteIndex, EmptyDirectorySaysNoGamesAndAMissingOneIsAnError) {
  int listed = -1;
  std::vector<std::string> notes;
  std::string err;
  ASSERT_TRUE(writeIndex(dir_.string(), &listed, &notes, &err));
  EXPECT_EQ(0, listed);
  EXPECT_NE(std::string::npos, index().find("no games yet"));
  EXPECT_FALSE(writeIndex((dir_ / "nope").string(), &listed, &notes, &err));
  EXPECT_NE(std::string::npos, err.find("cannot read the directory")) << err;
}

}  // namespace
}  // namespace kxindex
