// Rating a game: who meets whom with which result, and the games left unrated.
#include "kx-site/rated_game.h"

#include <gtest/gtest.h>

namespace kxsite {
namespace {

using Side = RatingInput::Side;

// The expected figures below come from a separate Python calculation written from the
// formulas of Glickman's "Example of the Glicko-2 system" (steps 1 to 8, tau 0.5, Illinois
// iteration to 0.000001), which gives the paper's own example as 1464.05 / 151.52 / 0.05999.
// Each player's period is listed with the results it holds.

void expectGlicko(const Glicko& expected, const Glicko& actual, const char* who) {
  EXPECT_NEAR(expected.rating, actual.rating, 0.01) << who;
  EXPECT_NEAR(expected.rd, actual.rd, 0.01) << who;
  EXPECT_NEAR(expected.volatility, actual.volatility, 0.000001) << who;
}

TEST(RateGame, FreeForAllPairsEveryTwoPlayersByFinalScore) {
  std::map<std::string, Glicko> ratings = {{"ann", {1600, 200, 0.06}}, {"cid", {1450, 100, 0.06}},
                                           {"dan", {1800, 50, 0.07}}};
  RatingInput game;
  game.type = GameType::kFreeForAll;
  // Bob is new. Bob and Cid end level: a draw between them.
  game.players = {{"ann", 0, 20, 21}, {"bob", 0, 12, 12}, {"cid", 0, 12, 13}};
  rateGame(game, &ratings);
  // ann: beat 1500/350 and 1450/100.
  expectGlicko({1692.68, 169.30, 0.059999}, ratings["ann"], "ann");
  // bob (1500/350): lost to 1600/200, drew 1450/100, both from before the game.
  expectGlicko({1394.62, 217.64, 0.059998}, ratings["bob"], "bob");
  // cid: lost to 1600/200, drew 1500/350.
  expectGlicko({1437.04, 96.32, 0.059997}, ratings["cid"], "cid");
  // Not in the game: unchanged, not even his deviation.
  expectGlicko({1800, 50, 0.07}, ratings["dan"], "dan");
  EXPECT_EQ(4u, ratings.size());
}

TEST(RateGame, TeamPlayersMeetEveryPlayerOfTheOtherTeamWithTheTeamsResult) {
  std::map<std::string, Glicko> ratings = {{"ray", {1700, 100, 0.06}}, {"bo", {1550, 150, 0.06}}};
  RatingInput game;
  game.type = GameType::kCaptureTheFlag;
  // Red wins 3 : 1 although Bo made the most frags: the team's result counts.
  game.players = {{"rex", 1, 5, 2}, {"ray", 1, 9, 4}, {"bea", 2, 3, 1}, {"bo", 2, 30, 10}};
  game.redScore = 3;
  game.blueScore = 1;
  rateGame(game, &ratings);
  // rex (new) and ray: each beat 1500/350 (bea, new) and 1550/150 (bo).
  expectGlicko({1762.64, 232.46, 0.060000}, ratings["rex"], "rex");
  expectGlicko({1726.43, 96.24, 0.059999}, ratings["ray"], "ray");
  // bea (new) and bo: each lost to 1500/350 (rex) and 1700/100 (ray).
  expectGlicko({1311.64, 238.96, 0.059999}, ratings["bea"], "bea");
  expectGlicko({1480.28, 135.72, 0.060001}, ratings["bo"], "bo");
}

TEST(RateGame, ClanArenaIsWonByRoundsAndAPlayerOfNoTeamMeetsNobody) {
  std::map<std::string, Glicko> ratings;
  RatingInput game;
  game.type = GameType::kClanArena;
  game.players = {{"red", 1, 40, 12}, {"blue", 2, 10, 3}, {"watcher", 0, 0, 0}};
  game.redScore = 3;  // rounds won
  game.blueScore = 5;
  rateGame(game, &ratings);
  // A new player beating a new player: 1662.31 / 290.32; losing: 1337.69 / 290.32.
  expectGlicko({1662.31, 290.32, 0.06}, ratings["blue"], "blue");
  expectGlicko({1337.69, 290.32, 0.06}, ratings["red"], "red");
  EXPECT_EQ(0u, ratings.count("watcher"));
  EXPECT_EQ((std::vector<std::string>{"red", "blue"}), ratedPlayers(game));
}

TEST(RateGame, ALevelTeamGameIsADraw) {
  std::map<std::string, Glicko> ratings;
  RatingInput game;
  game.type = GameType::kTeamDeathmatch;
  game.players = {{"a", 1, 0, 7}, {"b", 2, 0, 7}};
  game.redScore = game.blueScore = 7;
  rateGame(game, &ratings);
  expectGlicko({1500, 290.32, 0.059999}, ratings["a"], "a");
  expectGlicko({1500, 290.32, 0.059999}, ratings["b"], "b");
}

TEST(RateGame, TwoNamesOfOnePlayerAreOnePlayer) {
  std::map<std::string, Glicko> ratings;
  RatingInput game;
  // "ann" renamed during the game and both names resolve to her: 4 + 5 = 9 beats bob's 6.
  game.players = {{"ann", 0, 4, 4}, {"bob", 0, 6, 6}, {"ann", 0, 5, 5}};
  EXPECT_EQ((std::vector<std::string>{"ann", "bob"}), ratedPlayers(game));
  rateGame(game, &ratings);
  expectGlicko({1662.31, 290.32, 0.06}, ratings["ann"], "ann");
  expectGlicko({1337.69, 290.32, 0.06}, ratings["bob"], "bob");
}

TEST(UnratedReason, SaysWhyAGameIsLeftOut) {
  RatingInput ffa;
  ffa.players = {{"ann", 0, 3, 3}};
  EXPECT_EQ(UnratedReason::kFewerThanTwoPlayers, unratedReason(ffa));
  ffa.players.push_back({"ann", 0, 1, 1});  // the same player under a second name
  EXPECT_EQ(UnratedReason::kFewerThanTwoPlayers, unratedReason(ffa));
  ffa.players.push_back({"bob", 0, 0, 0});
  EXPECT_EQ(std::nullopt, unratedReason(ffa));
  ffa.players = {{"ann", 0, 0, 0}, {"bob", 0, -1, 0}};  // only a suicide
  EXPECT_EQ(UnratedReason::kNoKill, unratedReason(ffa));

  RatingInput ctf;
  ctf.type = GameType::kCaptureTheFlag;
  ctf.players = {{"ann", 1, 5, 5}, {"bob", 1, 5, 5}, {"cid", 0, 5, 5}};
  EXPECT_EQ(UnratedReason::kFewerThanTwoPlayers, unratedReason(ctf));  // nobody in blue
  ctf.players[2].team = 2;
  EXPECT_EQ(std::nullopt, unratedReason(ctf));

  std::map<std::string, Glicko> ratings = {{"ann", {1600, 100, 0.06}}};
  ffa.players = {{"ann", 0, 0, 0}, {"bob", 0, 0, 0}};
  rateGame(ffa, &ratings);
  EXPECT_EQ(1u, ratings.size());
  EXPECT_EQ(100, ratings["ann"].rd);
  EXPECT_TRUE(ratedPlayers(ffa).empty());
}

}  // namespace
}  // namespace kxsite
