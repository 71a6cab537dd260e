// The console: every message reaches standard output, or the sink the run puts in its place, whole.
#include "base/console.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Collected : public ConsoleSink {
 public:
  void put(const char* bytes, std::size_t size) override { text.append(bytes, size); }
  std::string text;
};

TEST(Console, TemplatesAndLogTextReachStandardOutputUnchanged) {
  testing::internal::CaptureStdout();
  consolef("TOTAL PLAYERS -> %d\n", 3);
  // Log text is never a template: its "%" signs are written as they are.
  consoleWrite("100%s %d ^1Name\n");
  consoleWrite("");
  flushConsole();
  EXPECT_EQ("TOTAL PLAYERS -> 3\n100%s %d ^1Name\n", testing::internal::GetCapturedStdout());
}

TEST(Console, ASinkTakesEverythingUntilItIsRemoved) {
  Collected sink;
  setConsoleSink(&sink);
  consolef("\nGenerating Stats ----------------<GAME ID %d>-----\n", 1001);
  // A message longer than any line buffer comes whole: a map name of 600 bytes, say.
  const std::string longName(600, 'm');
  consolef("MAP: %s\n", longName.c_str());
  setConsoleSink(nullptr);
  testing::internal::CaptureStdout();
  consoleWrite("after\n");
  flushConsole();
  EXPECT_EQ("after\n", testing::internal::GetCapturedStdout());
  EXPECT_EQ("\nGenerating Stats ----------------<GAME ID 1001>-----\nMAP: " + longName + "\n", sink.text);
}

}  // namespace
