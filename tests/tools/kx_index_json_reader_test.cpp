// The game records' JSON reader: what it refuses, and how it decodes strings and numbers.
#include "kx-index/json_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kxindex {
namespace {

TEST(JsonReader, RefusesWhatJsonDoesNotAllow) {
  const std::string deep = std::string(65, '[') + std::string(65, ']');
  const std::vector<std::string> refused = {
      "", "{", "[1,]", "{\"a\":1,}", "[01]", "[1.]", "[.5]", "[1e]", "[+1]", "[1e999]", "[NaN]",
      "[1] [2]", "// note\n[1]", "[\"tab\there\"]", "[\"\\x41\"]", "[\"\\u12\"]", "[\"\\ud800\"]",
      "[\"\\udc00\\ud800\"]", "[\"\xc3\"]", "[\"\xc0\xaf\"]", "{\"a\":1,\"a\":2}", "{a:1}", "[tru]", deep};
  for (const std::string& bad : refused) {
    JsonValue v;
    std::string err;
    EXPECT_FALSE(readJson(bad, &v, &err)) << bad;
    EXPECT_EQ(0u, err.rfind("byte ", 0)) << bad;
  }
  JsonValue v;
  std::string err;
  EXPECT_TRUE(readJson(std::string(64, '[') + std::string(64, ']'), &v, &err)) << err;
}

TEST(JsonReader, StringsKeepTheRecordsBytes) {
  JsonValue v;
  std::string err;
  // A log byte from 0x80 up is written as the code point of its value and read back as that
  // byte; higher code points and raw UTF-8 stay UTF-8.
  ASSERT_TRUE(readJson(" [\"=XY=\\u00e9\\\"\\\\\\/\\n\", \"\\u20ac\\ud83d\\ude00\xc3\xa9\"] ", &v, &err)) << err;
  ASSERT_EQ(2u, v.items.size());
  EXPECT_EQ("=XY=\xe9\"\\/\n", v.items[0].string);
  EXPECT_EQ("\xe2\x82\xac\xf0\x9f\x98\x80\xc3\xa9", v.items[1].string);
}

TEST(JsonReader, NumbersAndMembers) {
  JsonValue v;
  std::string err;
  ASSERT_TRUE(readJson("{\"score\":-3,\"skill\":4.69,\"big\":9223372036854775808,\"e\":1e2,"
                       "\"left\":true,\"quote\":null,\"teams\":[]}",
                       &v, &err))
      << err;
  ASSERT_EQ(JsonKind::kObject, v.kind);
  EXPECT_TRUE(v.member("score")->isInteger);
  EXPECT_EQ(-3, v.member("score")->integer);
  EXPECT_FALSE(v.member("skill")->isInteger);
  EXPECT_DOUBLE_EQ(4.69, v.member("skill")->number);
  EXPECT_FALSE(v.member("big")->isInteger);  // beyond 64 bits: a number, not an integer
  EXPECT_FALSE(v.member("e")->isInteger);
  EXPECT_DOUBLE_EQ(100.0, v.member("e")->number);
  EXPECT_TRUE(v.member("left")->boolean);
  EXPECT_EQ(JsonKind::kNull, v.member("quote")->kind);
  EXPECT_EQ(JsonKind::kArray, v.member("teams")->kind);
  EXPECT_EQ(nullptr, v.member("absent"));
}

TEST(JsonReader, KeepsOnlyTheKeysAskedForButChecksEverything) {
  const std::vector<std::string_view> keep = {"players", "score"};
  JsonValue v;
  std::string err;
  ASSERT_TRUE(readJson("{\"log\":{\"score\":1,\"x\":1,\"x\":2},\"players\":[{\"weapons\":[1],\"score\":7}]}",
                       &v, &err, &keep))
      << err;
  ASSERT_EQ(1u, v.members.size());
  const JsonValue& player = v.member("players")->items.at(0);
  ASSERT_EQ(1u, player.members.size());
  EXPECT_EQ(7, player.member("score")->integer);
  EXPECT_FALSE(readJson("{\"log\":[1,],\"players\":[]}", &v, &err, &keep));
  EXPECT_FALSE(readJson("{\"log\":\"\\q\",\"players\":[]}", &v, &err, &keep));
  EXPECT_FALSE(readJson("{\"log\":1e999,\"players\":[]}", &v, &err, &keep));
}

}  // namespace
}  // namespace kxindex
