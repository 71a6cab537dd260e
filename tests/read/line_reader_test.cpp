// The log reader hands out exactly the pieces a 510-byte fgets in binary mode would.
#include "read/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::string>;

std::string writeTempFile(const std::string& bytes) {
  // ctest runs tests of this file side by side: each needs a file of its own.
  const std::string path = testing::TempDir() + "kx_line_reader_" +
                           testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return path;
}

// Where a piece stops being plain text for the line preparation: its first byte below 0x20
// (the line end, a NUL), above 0x7E, or one of the seven that become '_'.
std::size_t expectedPlain(const std::string& visible) {
  for (std::size_t i = 0; i < visible.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(visible[i]);
    if (c < 0x20 || c > 0x7E || std::string("\\&\"+#=%").find(static_cast<char>(c)) != std::string::npos) return i;
  }
  return visible.size();
}

// Every piece as its visible text (up to the first NUL), the way the main loop sees it. The
// plain prefix the reader reports with each piece is checked on the way.
Pieces readAll(const std::string& bytes) {
  const std::string path = writeTempFile(bytes);
  LineReader reader;
  EXPECT_TRUE(reader.open(path.c_str()));
  Pieces pieces;
  char buf[kLineBufferSize];
  std::size_t plain = 0;
  while (reader.readLine(buf, &plain)) {
    pieces.emplace_back(buf);
    EXPECT_EQ(expectedPlain(pieces.back()), plain) << "piece " << pieces.size();
  }
  char untouched[kLineBufferSize] = "keep";
  EXPECT_FALSE(reader.readLine(untouched));  // stays at end of file, buffer left alone
  EXPECT_EQ(std::string("keep"), untouched);
  std::remove(path.c_str());
  return pieces;
}

TEST(LineReader, PiecesAreLinesOfAtMost509Bytes) {
  const struct {
    std::string bytes;
    Pieces expected;
  } cases[] = {
      {"a\nbc\r\n\nlast", {"a\n", "bc\r\n", "\n", "last"}},  // the last line without newline
      {"", {}},
      // 600 bytes and a newline: 509, then the other 91 with the newline.
      {std::string(600, 'x') + "\nnext\n",
       {std::string(509, 'x'), std::string(91, 'x') + "\n", "next\n"}},
      // A line of exactly 509 bytes leaves its newline as a piece of its own.
      {std::string(509, 'y') + "\n", {std::string(509, 'y'), "\n"}},
      // A NUL byte hides the rest of the line, but the line is consumed.
      {std::string("ab\0cd\n", 6) + "next\n", {"ab", "next\n"}},
      // Bytes the preparation replaces, early and late in a line longer than a vector.
      {"a=b\n" + std::string(40, 'z') + "%\n" + std::string(20, 'q') + "\xE9" + std::string(20, 'q') + "\n",
       {"a=b\n", std::string(40, 'z') + "%\n", std::string(20, 'q') + "\xE9" + std::string(20, 'q') + "\n"}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, readAll(c.bytes));
}

TEST(LineReader, LongInputsReadExactlyAsFgetsReadsThem) {
  // 70000 bytes of 7-byte lines, so that some line straddles the 64 KiB refill boundary,
  // then binary garbage and a long run of high bytes.
  std::string bytes;
  for (int i = 0; i < 10000; ++i) bytes += "line" + std::to_string(i % 10) + "_\n";
  for (int i = 0; i < 3000; ++i) bytes.push_back(static_cast<char>((i * 37 + 11) % 256));
  bytes += std::string(1200, '\xE9') + "\r\n\t\x80tail";
  const std::string path = writeTempFile(bytes);
  Pieces expected;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  char buf[kLineBufferSize];
  while (std::fgets(buf, static_cast<int>(kLineLimit), f)) expected.emplace_back(buf);
  std::fclose(f);
  EXPECT_LT(10010u, expected.size());
  EXPECT_EQ(expected, readAll(bytes));
}

}  // namespace
