// The pre-parser's offsets read back: each converted line's place in the log, and nothing when the file cannot be trusted.
#include "game/source_offsets.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace {

// Opens a side file holding `text`.
SourceOffsets offsetsOf(const std::string& text) {
  const std::string path = testing::TempDir() + "kx_source_offsets_" + std::to_string(::getpid());
  std::ofstream(path, std::ios::binary) << text;
  SourceOffsets offsets;
  EXPECT_TRUE(offsets.open(path.c_str()));
  std::remove(path.c_str());  // read through the open file from here on
  return offsets;
}

TEST(SourceOffsets, EachConvertedLineGetsItsEntryAndLinesBetweenGetNone) {
  SourceOffsets offsets = offsetsOf(
      "0 0 99 00000000000000aa\n"
      "20 100 149 00000000000000bb\n"
      "60 150 199 0000000000000000\n");
  SourceOffsets::Lines lines;
  ASSERT_TRUE(offsets.take(0, lines));
  EXPECT_EQ(0u, lines.first);
  EXPECT_EQ(99u, lines.last);
  EXPECT_EQ(0xaau, lines.hash);
  // A converted line written in the same feed as the next one, or a long line's second piece.
  EXPECT_FALSE(offsets.take(10, lines));
  ASSERT_TRUE(offsets.take(20, lines));
  EXPECT_EQ(100u, lines.first);
  EXPECT_EQ(149u, lines.last);
  EXPECT_EQ(0xbbu, lines.hash);
  EXPECT_FALSE(offsets.take(40, lines));
  ASSERT_TRUE(offsets.take(60, lines));
  EXPECT_EQ(0u, lines.hash);  // nothing but line ends
  // Past the last entry: lines the log's end led to stand for none, and the rest stays known.
  EXPECT_FALSE(offsets.take(80, lines));
  EXPECT_TRUE(offsets.known());
}

TEST(SourceOffsets, AGapAnOverlapALostEntryOrACutLineMakeEverythingAfterUnknown) {
  SourceOffsets::Lines lines;
  for (const char* text : {
           "0 0 99 aa\n20 101 149 bb\n",   // byte 100 stands nowhere
           "0 0 99 aa\n20 99 149 bb\n",    // byte 99 stands twice
           "0 0 99 aa\n0 100 149 bb\n",    // two entries for one converted line
           "0 0 99 aa\n20 100 149 bg\n",   // no hexadecimal hash
           "0 0 99 aa\n20 100 14",         // cut short
       }) {
    SCOPED_TRACE(text);
    SourceOffsets offsets = offsetsOf(text);
    ASSERT_TRUE(offsets.take(0, lines));
    EXPECT_FALSE(offsets.take(20, lines));
    EXPECT_FALSE(offsets.known());
    EXPECT_FALSE(offsets.take(40, lines));
  }
  // Lines 100 to 149 were never asked for: a game would miss them.
  SourceOffsets skipped = offsetsOf("0 0 99 aa\n20 100 149 bb\n60 150 199 cc\n");
  ASSERT_TRUE(skipped.take(0, lines));
  EXPECT_FALSE(skipped.take(60, lines));
  EXPECT_FALSE(skipped.known());
}

TEST(SourceOffsets, NoFileNothingKnown) {
  SourceOffsets offsets;
  EXPECT_FALSE(offsets.open((testing::TempDir() + "kx_no_such_offsets_file").c_str()));
  EXPECT_FALSE(offsets.known());
  SourceOffsets::Lines lines;
  EXPECT_FALSE(offsets.take(0, lines));
}

}  // namespace
