// Text utilities and the scratch pool's accounting, as the recognisers rely on them.
#include "run/strutil.h"

#include <gtest/gtest.h>

#include <string>

#include "run/scratch_pool.h"

namespace {

std::string stripped(std::string_view s) {
  char buf[1100];
  std::size_t n = stripColorCodes(s, buf);
  EXPECT_EQ(n, std::string(buf).size());
  return std::string(buf, n);
}

TEST(StripColorCodes, RemovesCaretAndFollowingByte) {
  EXPECT_EQ("RedRose", stripped("^1Red^7Rose"));
  EXPECT_EQ("a", stripped("a^"));           // a caret at the very end vanishes
  EXPECT_EQ("^", stripped("^^"));           // of two carets the first stays
  EXPECT_EQ("^x", stripped("^^1x"));        // the second caret pairs with the 1
  EXPECT_EQ("", stripped(""));
  EXPECT_EQ("b", stripped("^ab"));          // any byte after a caret goes with it
}




TEST(StripNewLineChars, LooksOnlyAtTheLastFiveBytes) {
  char a[] = "line\r\n";
  stripNewLineChars(a);
  EXPECT_STREQ("line", a);
  char b[] = "abc";
  stripNewLineChars(b);
  EXPECT_STREQ("abc", b);
  char c[] = "ab\ncdefgh";  // the terminator is six bytes from the end: left alone
  stripNewLineChars(c);
  EXPECT_STREQ("ab\ncdefgh", c);
  char d[] = "abcdefg\nhijk";  // within the last five: cut there
  stripNewLineChars(d);
  EXPECT_STREQ("abcdefg", d);
}

TEST(ReplaceNonPrintableChars, ReplacesControlHighAndReservedBytes) {
  char s[] = "a\tb\xE9%c=d:e^f\\g&h\"i+j#k";
  replaceNonPrintableChars(s);
  EXPECT_STREQ("a_b__c_d:e^f_g_h_i_j_k", s);
}

TEST(StripIllegalFilenameChars, KeepsLettersDigitsAndDots) {
  char a[] = "q3dm17 (2)";
  stripIllegalFilenameChars(a);
  EXPECT_STREQ("q3dm17__2_", a);
  char b[] = "map.v2";
  stripIllegalFilenameChars(b);
  EXPECT_STREQ("map.v2", b);
  char c[] = "2001-08-10,12-00-00";
  stripIllegalFilenameChars(c);
  EXPECT_STREQ("2001_08_10_12_00_00", c);
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
  EXPECT_EQ(4, liveMallocs());          // each call counts one scratch string
  resetScratchPool();
}

TEST(StrReplace, ReplacesFromFirstToLastOccurrence) {
  char a[32] = "a:b:c";
  EXPECT_EQ(a, strReplace(a, ":", " "));
  EXPECT_STREQ("a c", a);
  char b[32] = "a:b";
  strReplace(b, ":", " ");
  EXPECT_STREQ("a b", b);
  char c[32] = "ab";
  EXPECT_EQ(nullptr, strReplace(c, ":", " "));
  EXPECT_STREQ("ab", c);
  char d[32] = "Railgun: 23.5 47/200";
  strReplace(d, ":", " ");
  strReplace(d, "/", " ");
  EXPECT_STREQ("Railgun  23.5 47 200", d);
}

TEST(SmallHelpers, LowerCaseAndReverse) {
  char a[] = "Q3DM17-Arena";
  toLowerCase(a);
  EXPECT_STREQ("q3dm17-arena", a);
  char b[] = "abcde";
  EXPECT_STREQ("edcba", strReverse(b));
  char c[] = "";
  EXPECT_STREQ("", strReverse(c));
}

}  // namespace
