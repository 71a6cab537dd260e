// Player identity: keys of logged names, the file names of player pages, the aliases file.
#include "kx-site/identity.h"

#include <gtest/gtest.h>

#include <set>

namespace kxsite {
namespace {

TEST(PlayerKey, IsTheNameWithoutColourCodesInLowerCase) {
  EXPECT_EQ("foobar", playerKey("^1Foo^7Bar"));
  EXPECT_EQ("foobar", playerKey("FOOBAR"));
  // As the game records strip them: the first caret of a doubled one stays, a caret at the
  // very end vanishes.
  EXPECT_EQ("^x", playerKey("^^1X"));
  EXPECT_EQ("tail", playerKey("Tail^"));
  // Bytes from 0x80 up are kept, not folded.
  EXPECT_EQ("\xC4\xD6z", playerKey("\xC4\xD6Z"));
  EXPECT_EQ("", playerKey("^1^2"));
  EXPECT_EQ("", playerKey(""));
}

TEST(PlayerPageName, WritesEveryByteOutsideLettersAndDigitsInHex) {
  EXPECT_EQ("player_foo-20bar.html", playerPageName("foo bar"));
  EXPECT_EQ("player_-3cscript-3e.html", playerPageName("<script>"));
  EXPECT_EQ("player_-2e-2e-2fetc-2fpasswd.html", playerPageName("../etc/passwd"));
  EXPECT_EQ("player_-c4-ff.html", playerPageName("\xC4\xFF"));
  EXPECT_EQ("player_-2d.html", playerPageName("-"));
  EXPECT_EQ("player_.html", playerPageName(""));
  EXPECT_EQ("player_-00a.html", playerPageName(std::string("\0a", 2)));
}

TEST(PlayerPageName, DistinctKeysGetDistinctFiles) {
  const std::vector<std::string> keys = {"a-", "a-2d", "a--", "a", "a-20", "a ", "a2d", "", "-", "--"};
  std::set<std::string> names;
  for (const std::string& k : keys) names.insert(playerPageName(k));
  EXPECT_EQ(keys.size(), names.size());
}

TEST(PlayerPageName, AVeryLongKeyIsCutAndEndsInAHash) {
  const std::string longKey(300, 'a');
  const std::string name = playerPageName(longKey);
  // "player_" + 182 letters + "--" + 16 hex digits + ".html".
  ASSERT_EQ(212u, name.size());
  EXPECT_EQ("player_" + std::string(182, 'a') + "--", name.substr(0, 191));
  EXPECT_NE(name, playerPageName(std::string(299, 'a') + "b"));
  // 60 dashes fill 180 bytes; the 61st would be cut after its "-2", so it goes whole.
  const std::string dashes = playerPageName(std::string(100, '-'));
  ASSERT_EQ(210u, dashes.size());
  EXPECT_EQ("-2d--", dashes.substr(7 + 177, 5));
  // Short enough: written whole.
  EXPECT_EQ("player_" + std::string(200, 'a') + ".html", playerPageName(std::string(200, 'a')));
}

TEST(Aliases, MergesTheOtherNamesIntoTheMainName) {
  Aliases aliases;
  std::string err;
  ASSERT_TRUE(aliases.parse("^1Ann = ann2, ^4Annie \n# Bob = Carl\n\n  Bob=bobby  \r\nann = Nancy\n", &err)) << err;
  EXPECT_EQ("ann", aliases.resolve(playerKey("Ann2")));
  EXPECT_EQ("ann", aliases.resolve("annie"));
  EXPECT_EQ("ann", aliases.resolve("nancy"));  // a second line of the same main name
  EXPECT_EQ("ann", aliases.resolve("ann"));
  EXPECT_EQ("bob", aliases.resolve("bobby"));
  EXPECT_EQ("carl", aliases.resolve("carl"));  // the commented line does not count
  EXPECT_EQ("stranger", aliases.resolve("stranger"));
}

TEST(Aliases, ABadLineIsNamedAndNothingIsMerged) {
  Aliases aliases;
  std::string err;
  ASSERT_TRUE(aliases.parse("ann = annie", &err));
  const struct {
    const char* text;
    const char* message;
  } bad[] = {
      {"ann = annie\nbob bobby\n", "aliases line 2: no \"=\" between the main name and the other names"},
      {"\n = annie", "aliases line 2: the main name is empty"},
      {"^1 = annie", "aliases line 1: the main name is empty"},
      {"ann = annie,,nan", "aliases line 1: an empty name after \"ann =\""},
      {"ann =", "aliases line 1: an empty name after \"ann =\""},
      {"ann = x\nbob = X", "aliases line 2: \"X\" is given to \"ann\" and to \"bob\""},
      // A chain would leave bob's names under a name that is itself merged away.
      {"ann = bob\nbob = bobby", "aliases line 2: \"bob\" is given to \"ann\" and to \"bob\""},
  };
  for (const auto& b : bad) {
    err.clear();
    EXPECT_FALSE(aliases.parse(b.text, &err)) << b.text;
    EXPECT_EQ(b.message, err);
    EXPECT_EQ("annie", aliases.resolve("annie")) << b.text;
    EXPECT_EQ("x", aliases.resolve("x")) << b.text;
  }
}

}  // namespace
}  // namespace kxsite
