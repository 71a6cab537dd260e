// Tests of the escaping of log text: names, quotes and map names as text, attributes and URLs.
#include "html/escape.h"

#include <gtest/gtest.h>

#include <string>

#include "html/page_buffer.h"

namespace {

template <typename Append>
std::string render(Append append, std::string_view text) {
  PageBuffer page;
  append(page, text);
  return std::string(page.view());
}

TEST(Escape, LogTextShowsAngleBracketsAsText) {
  EXPECT_EQ("&lt;script&gt;alert(1)&lt;/script&gt;", render(appendLogText, "<script>alert(1)</script>"));
  // Only '<' and '>' change: quotes, ampersands, percent signs and high bytes stay.
  EXPECT_EQ("a&\"'%s\xE9", render(appendLogText, "a&\"'%s\xE9"));
  // A quote or map name is never a mark, even when it looks like one.
  EXPECT_EQ("&lt;font color=#CC6600&gt;~&lt;/font&gt;", render(appendLogText, "<font color=#CC6600>~</font>"));
}

TEST(Escape, NamesKeepTheProgramsMarks) {
  const char* marks[] = {
      "<font color=#CC6600>&nbsp;x</font>",   // left the game
      "<font color=#CC6600>&nbsp;12</font>",  // 12th re-entry on another team
      "<font color=#CC6600> / </font>",       // between the two names of a merge
      "<font color=#CC6600>&nbsp;+</font>",   // merged
      "<font color=#CC6600>~</font>",         // team guessed
      "<font color=#CC6600>_</font>",         // blank name
  };
  for (const char* mark : marks) {
    EXPECT_EQ(std::string("&lt;i&gt;") + mark, render(appendNameText, std::string("<i>") + mark)) << mark;
  }
  // Look-alikes are text: another body, another colour, an unclosed mark, a tag inside.
  EXPECT_EQ("&lt;font color=#CC6600&gt;&nbsp;&lt;/font&gt;", render(appendNameText, "<font color=#CC6600>&nbsp;</font>"));
  EXPECT_EQ("&lt;font color=#FF0000&gt;~&lt;/font&gt;", render(appendNameText, "<font color=#FF0000>~</font>"));
  EXPECT_EQ("&lt;font color=#CC6600&gt;&nbsp;x", render(appendNameText, "<font color=#CC6600>&nbsp;x"));
  EXPECT_EQ("&lt;font color=#CC6600&gt;&lt;b&gt;&lt;/font&gt;", render(appendNameText, "<font color=#CC6600><b></font>"));
}

TEST(Escape, AttributesAlsoEscapeDoubleQuotes) {
  EXPECT_EQ("&quot; onmouseover=&quot;alert(1)", render(appendNameAttribute, "\" onmouseover=\"alert(1)"));
  EXPECT_EQ("Bob^7<font color=#CC6600>&nbsp;x</font>&gt;",
            render(appendNameAttribute, "Bob^7<font color=#CC6600>&nbsp;x</font>>"));
}

TEST(Escape, UrlPiecesKeepOnlyPlainCharacters) {
  EXPECT_EQ("q3dm6", render(appendLogUrlPiece, "q3dm6"));
  EXPECT_EQ("cpm_22.v2-b", render(appendLogUrlPiece, "cpm_22.v2-b"));
  EXPECT_EQ("x%20onerror%3Dalert%281%29%3E%E9", render(appendLogUrlPiece, "x onerror=alert(1)>\xE9"));
}

}  // namespace
