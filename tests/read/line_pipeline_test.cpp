// The line pipeline hands out every line, in order, prepared as the line loop would prepare it,
// across its blocks, a stop and a restart on another file.
#include "read/line_pipeline.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::string writeLog(const std::string& name, int lines) {
  const std::string path = testing::TempDir() + "kx_pipeline_" + name + ".log";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  // Every line differs; some carry bytes the preparation replaces or a CR LF it cuts.
  for (int i = 0; i < lines; ++i) std::fprintf(f, "%s line %d%s\n", name.c_str(), i, i % 7 ? "" : "\t%\r");
  std::fclose(f);
  return path;
}

std::string expected(const std::string& name, int i) {
  return name + " line " + std::to_string(i) + (i % 7 ? "" : "__");
}

TEST(LinePipeline, EveryLineInOrderPreparedThroughStopAndRestart) {
  const std::string first = writeLog("a", 1000);  // many blocks, the last one partly filled
  const std::string second = writeLog("b", 5);
  for (bool readAhead : {true, false}) {
    SCOPED_TRACE(readAhead ? "read ahead" : "read when asked");
    LineReader reader;
    ASSERT_TRUE(reader.open(first.c_str()));
    LinePipeline lines(reader, readAhead);
    // Each line tells where it was read: the offsets run on without a gap.
    std::uint64_t at = 0;
    for (int i = 0; i < 700; ++i) {
      const LineRecord* line = lines.next();
      ASSERT_NE(nullptr, line);
      ASSERT_EQ(expected("a", i), line->raw.text) << i;
      ASSERT_EQ(at, line->span.offset) << i;
      // The replaced tab and percent sign keep their places; the CR LF is two bytes.
      ASSERT_EQ(expected("a", i).size() + (i % 7 ? 1 : 2), line->span.length) << i;
      at += line->span.length;
    }
    // The line after them tells where it was read, and hashes the bytes as read, less the
    // line end: not the prepared text.
    const LineRecord* next = lines.next();
    ASSERT_NE(nullptr, next);
    EXPECT_EQ(expected("a", 700), next->raw.text);
    EXPECT_EQ(at, next->span.offset);
    const std::string asRead = "a line 700\t%";
    EXPECT_EQ(lineHash(asRead.data(), asRead.size()), next->span.hash);
    EXPECT_NE(lineHash(next->raw.text.data(), next->raw.text.size()), next->span.hash);
    EXPECT_EQ(expected("a", 701), lines.next()->raw.text);
    // A hand-over: reading stops, the reader is reopened on the converted log, reading restarts.
    lines.stop();
    reader.close();
    ASSERT_TRUE(reader.open(second.c_str()));
    lines.restart();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(expected("b", i), lines.next()->raw.text);
    EXPECT_EQ(nullptr, lines.next());
    EXPECT_EQ(nullptr, lines.next());
  }
  std::remove(first.c_str());
  std::remove(second.c_str());
}

// The reading thread hands lines over in blocks and the line loop sleeps until several are
// ready: a log that ends anywhere, inside a block, at its end or with no line at all, must still
// hand over every line and then the end, not leave the loop asleep.
TEST(LinePipeline, EveryLineWhereverTheLogEnds) {
  for (int count : {0, 1, 63, 64, 65, 128, 383, 384, 385, 768, 769, 2000}) {
    SCOPED_TRACE(count);
    const std::string path = writeLog("c" + std::to_string(count), count);
    LineReader reader;
    ASSERT_TRUE(reader.open(path.c_str()));
    LinePipeline lines(reader, true);
    const std::string name = "c" + std::to_string(count);
    for (int i = 0; i < count; ++i) {
      const LineRecord* line = lines.next();
      ASSERT_NE(nullptr, line) << i;
      ASSERT_EQ(expected(name, i), line->raw.text) << i;
    }
    EXPECT_EQ(nullptr, lines.next());
    std::remove(path.c_str());
  }
}

// A line loop slower than the reader (a game's end building its pages) lets the reader fill
// every block it may and sleep; the loop must wake it again and lose no line.
TEST(LinePipeline, ASlowLineLoopGetsEveryLineFromAReaderThatWaited) {
  const std::string path = writeLog("d", 5000);
  LineReader reader;
  ASSERT_TRUE(reader.open(path.c_str()));
  LinePipeline lines(reader, true);
  for (int i = 0; i < 5000; ++i) {
    if (i % 1000 == 1) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const LineRecord* line = lines.next();
    ASSERT_NE(nullptr, line) << i;
    ASSERT_EQ(expected("d", i), line->raw.text) << i;
  }
  EXPECT_EQ(nullptr, lines.next());
  std::remove(path.c_str());
}

}  // namespace
