// The log reader hands out exactly the pieces a 510-byte fgets in binary mode would.
#include "run/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string writeTempFile(const std::string& bytes) {
  static int counter = 0;
  const std::string path =
      testing::TempDir() + "kx_line_reader_" + std::to_string(++counter) + ".log";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return path;
}

// Every piece as its visible text (up to the first NUL), the way the main loop sees it.
std::vector<std::string> readAll(const std::string& bytes) {
  const std::string path = writeTempFile(bytes);
  LineReader reader;
  EXPECT_TRUE(reader.open(path.c_str()));
  std::vector<std::string> pieces;
  char buf[kLineBufferSize];
  while (reader.readLine(buf)) pieces.emplace_back(buf);
  char untouched[kLineBufferSize] = "keep";
  EXPECT_FALSE(reader.readLine(untouched));  // stays at end of file
  EXPECT_EQ(std::string("keep"), untouched);
  std::remove(path.c_str());
  return pieces;
}

TEST(LineReader, DeliversLinesWithTheirNewlineAndTheLastLineWithout) {
  EXPECT_EQ((std::vector<std::string>{"a\n", "bc\r\n", "\n", "last"}),
            readAll("a\nbc\r\n\nlast"));
  EXPECT_EQ(std::vector<std::string>{}, readAll(""));
}

TEST(LineReader, SplitsLongLinesIntoPiecesOf509Bytes) {
  // 600 bytes and a newline: 509, then the other 91 with the newline.
  const std::string longLine(600, 'x');
  const auto pieces = readAll(longLine + "\nnext\n");
  ASSERT_EQ(3u, pieces.size());
  EXPECT_EQ(std::string(509, 'x'), pieces[0]);
  EXPECT_EQ(std::string(91, 'x') + "\n", pieces[1]);
  EXPECT_EQ("next\n", pieces[2]);

  // A line of exactly 509 bytes leaves its newline as a piece of its own.
  const auto edge = readAll(std::string(509, 'y') + "\n");
  ASSERT_EQ(2u, edge.size());
  EXPECT_EQ(std::string(509, 'y'), edge[0]);
  EXPECT_EQ("\n", edge[1]);
}

TEST(LineReader, NulByteHidesTheRestOfTheLineButTheLineIsConsumed) {
  EXPECT_EQ((std::vector<std::string>{"ab", "next\n"}),
            readAll(std::string("ab\0cd\n", 6) + "next\n"));
}

TEST(LineReader, LinesCrossingTheInternalBufferAreWhole) {
  // 70000 bytes of 7-byte lines: some line straddles the 64 KiB refill boundary.
  std::string bytes;
  for (int i = 0; i < 10000; ++i) bytes += "line" + std::to_string(i % 10) + "_\n";
  const auto pieces = readAll(bytes);
  ASSERT_EQ(10000u, pieces.size());
  for (int i = 0; i < 10000; ++i) ASSERT_EQ("line" + std::to_string(i % 10) + "_\n", pieces[i]);
}

TEST(LineReader, BinaryGarbageIsReadExactlyAsFgetsReadsIt) {
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes.push_back(static_cast<char>((i * 37 + 11) % 256));
  bytes += std::string(1200, '\xE9') + "\r\n\t\x80tail";
  const std::string path = writeTempFile(bytes);
  std::vector<std::string> expected;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  char buf[kLineBufferSize];
  while (std::fgets(buf, static_cast<int>(kLineLimit), f)) expected.emplace_back(buf);
  std::fclose(f);
  std::remove(path.c_str());
  EXPECT_LT(10u, expected.size());
  EXPECT_EQ(expected, readAll(bytes));
}

TEST(LineReader, MissingFileAndClosedReaderGiveNothing) {
  LineReader reader;
  char buf[kLineBufferSize];
  EXPECT_FALSE(reader.readLine(buf));
  EXPECT_FALSE(reader.open("/nonexistent/dir/none.log"));
  EXPECT_FALSE(reader.isOpen());
  EXPECT_FALSE(reader.readLine(buf));
}

}  // namespace
