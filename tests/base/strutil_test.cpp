// Text utilities as the recognisers and page names rely on them.
#include "base/strutil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "base/scratch_pool.h"

namespace {

TEST(StripColorCodes, RemovesEachCaretWithTheByteAfterIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"^1Red^7Rose", "RedRose"}, {"a^", "a"},  // a caret at the very end vanishes
      {"^^", "^"}, {"^^1x", "^x"},              // of two carets the first stays, the second pairs
      {"", ""},    {"^ab", "b"}};               // any byte after a caret goes with it
  for (const auto& [in, out] : cases) {
    char buf[64];
    const std::size_t n = stripColorCodes(in, buf);
    EXPECT_EQ(out, std::string(buf, n)) << in;
    EXPECT_EQ(n, std::string(buf).size()) << in;
  }
  resetScratchPool();
}

// The in-place rewrites, each on a few inputs with their expected result.
TEST(InPlaceRewrites, EachKeepsOrReplacesExactlyItsBytes) {
  const struct {
    void (*rewrite)(char*);
    const char* in;
    const char* out;
  } cases[] = {
      // Line ends are looked for only in the last five bytes.
      {stripNewLineChars, "line\r\n", "line"},
      {stripNewLineChars, "ab\ncdefgh", "ab\ncdefgh"},
      {stripNewLineChars, "abcdefg\nhijk", "abcdefg"},
      {replaceNonPrintableChars, "a\tb\xE9%c=d:e^f\\g&h\"i+j#k", "a_b__c_d:e^f_g_h_i_j_k"},
      {stripIllegalFilenameChars, "q3dm17 (2)", "q3dm17__2_"},
      {stripIllegalFilenameChars, "2001-08-10,12-00-00", "2001_08_10_12_00_00"},
      {toLowerCase, "Q3DM17-Arena", "q3dm17-arena"},
      {[](char* s) { strReverse(s); }, "abcde", "edcba"},
      {[](char* s) { strReverse(s); }, "", ""},
      // Everything from the first to the last occurrence is replaced by one replacement.
      {[](char* s) { strReplace(s, ":", " "); }, "a:b:c", "a c"},
      {[](char* s) { strReplace(s, ":", " "); }, "ab", "ab"},
  };
  for (const auto& c : cases) {
    char text[64];
    std::snprintf(text, sizeof text, "%s", c.in);
    c.rewrite(text);
    EXPECT_STREQ(c.out, text) << c.in;
  }
  char none[] = "ab";
  EXPECT_EQ(nullptr, strReplace(none, ":", " "));
}

TEST(Substring, InclusiveRangeWithItsOddCases) {
  resetScratchPool();
  std::string_view s = "abcdef";
  EXPECT_EQ("cd", substring(s, 2, 3));
  EXPECT_EQ("", substring(s, 4, 3));
  std::string_view whole = substring(s, 2, 9);  // end beyond the length: the source itself
  EXPECT_EQ(s.data(), whole.data());
  EXPECT_EQ("abcdef", whole);
  EXPECT_EQ("ef", substring(s, 4, 6));  // end at the length copies the terminator: no harm
  resetScratchPool();
}

}  // namespace

// OSP accuracy rows are read as sscanf reads "%s%d%d"; the figures a page shows depend on
// reading signs, oversized numbers and odd white space exactly as the C library does.
TEST(ScanfCursor, ReadsWordsAndNumbersAsSscanfDoes) {
  const char* rows[] = {
      "Railgun 12 5",      "  MachineGun\t-3 +4", "Shotgun 7",        "Shotgun x 7",
      "BFG - 4",           "BFG +",               "Given 2147483648", "Given -2147483649",
      "Recvd 99999999999", "Recvd 9223372036854775807", "Recvd 9223372036854775808",
      "Recvd -9223372036854775808", "Recvd -99999999999999999999999", "Given 0042abc",
      "   ",               "",                    "\v\f\rword\n12\r\n", "w\x80rd 5 \xff",
  };
  for (const char* row : rows) {
    char word[64] = {};
    int a = -7;
    int b = -7;
    const int converted = std::sscanf(row, "%63s%d%d", word, &a, &b);

    ScanfCursor cursor(row);
    std::string_view ourWord;
    int ourA = -7;
    int ourB = -7;
    int ours = 0;
    if (cursor.word(&ourWord)) {
      ++ours;
      if (cursor.integer(&ourA)) {
        ++ours;
        if (cursor.integer(&ourB)) ++ours;
      }
    }
    SCOPED_TRACE(row);
    EXPECT_EQ(converted < 0 ? 0 : converted, ours);
    if (converted >= 1) {
      EXPECT_EQ(std::string_view(word), ourWord);
    }
    if (converted >= 2) {
      EXPECT_EQ(a, ourA);
    }
    if (converted >= 3) {
      EXPECT_EQ(b, ourB);
    }
  }
}
