// The line pipeline hands out every line, in order, prepared as the line loop would prepare it,
// across its blocks, a stop and a restart on another file.
#include "read/line_pipeline.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

std::string writeLog(const std::string& name, int lines) {
  // Named after the process: test runs of other builds may write theirs at the same time.
  const std::string path =
      testing::TempDir() + "kx_pipeline_" + std::to_string(::getpid()) + "_" + name + ".log";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  // Every line differs; some carry bytes the preparation replaces or a CR LF it cuts.
  for (int i = 0; i < lines; ++i) std::fprintf(f, "%s line %d%s\n", name.c_str(), i, i % 7 ? "" : "\t%\r");
  std::fclose(f);
  return path;
}

std::string expected(const std::string& name, int i) {
  return name + " line " + std::to_string(i) + (i % 7 ? "" : "__");
}

// The number of threads this process runs, from /proc; -1 when it cannot be read.
int threadCount() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == "Threads:" && status >> word) return std::stoi(word);
  }
  return -1;
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

// Takes `count` lines, each checked, then the end of the log; with `pauseMs`, the line loop
// stops that long at every thousandth line, as it does while a game's end builds its pages.
void expectEveryLine(LinePipeline& lines, const std::string& name, int count, int pauseMs = 0) {
  for (int i = 0; i < count; ++i) {
    if (pauseMs > 0 && i % 1000 == 1) std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    const LineRecord* line = lines.next();
    ASSERT_NE(nullptr, line) << i;
    ASSERT_EQ(expected(name, i), line->raw.text) << i;
  }
  EXPECT_EQ(nullptr, lines.next());
}

// The reading thread hands lines over in blocks and the line loop sleeps until several are
// ready: a log that ends anywhere, inside a block, at its end or with no line at all, must still
// hand over every line and then the end, not leave the loop asleep. A slow line loop lets the
// reader fill every block it may and sleep; the loop must wake it again.
TEST(LinePipeline, EveryLineWhereverTheLogEndsAndHoweverSlowTheLoop) {
  for (int count : {0, 1, 63, 64, 65, 128, 383, 384, 385, 768, 769, 2000, 5000}) {
    SCOPED_TRACE(count);
    const std::string name = "c" + std::to_string(count);
    const std::string path = writeLog(name, count);
    LineReader reader;
    ASSERT_TRUE(reader.open(path.c_str()));
    LinePipeline lines(reader, true);
    expectEveryLine(lines, name, count, count == 5000 ? 20 : 0);
    std::remove(path.c_str());
  }
}

// On a single processor a reading thread only takes turns with the line loop. The pipeline then
// reads in the line loop for a while (its reading thread ends) and later tries reading ahead
// again; no line is lost or repeated across either change.
TEST(LinePipeline, OnOneProcessorReadsInTheLineLoopForAWhileWithoutLosingALine) {
  if (!std::ifstream("/proc/thread-self/schedstat")) GTEST_SKIP() << "no scheduler statistics";
  cpu_set_t all;
  ASSERT_EQ(0, sched_getaffinity(0, sizeof all, &all));
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(sched_getcpu(), &one);
  ASSERT_EQ(0, sched_setaffinity(0, sizeof one, &one));  // the reading thread inherits it
  constexpr int kLines = 400000;
  const std::string path = writeLog("e", kLines);
  LineReader reader;
  ASSERT_TRUE(reader.open(path.c_str()));
  const int alone = threadCount();
  bool readHere = false;  // seen without the reading thread
  int readAheadAgain = 0;  // the line from which it was seen with it again
  {
    LinePipeline lines(reader, true);
    int i = 0;
    // Some lines after reading ahead again are enough; the rest would only take time.
    for (; i < kLines && (readAheadAgain == 0 || i < readAheadAgain + 20000); ++i) {
      const LineRecord* line = lines.next();
      ASSERT_NE(nullptr, line) << i;
      ASSERT_EQ(expected("e", i), line->raw.text) << i;
      if (i % 512 == 0 && readAheadAgain == 0) {
        const int threads = threadCount();
        if (threads == alone) readHere = true;
        if (readHere && threads == alone + 1) readAheadAgain = i;
      }
    }
    if (i == kLines) {
      EXPECT_EQ(nullptr, lines.next());
    }
  }
  sched_setaffinity(0, sizeof all, &all);
  std::remove(path.c_str());
  EXPECT_TRUE(readHere);
  EXPECT_NE(0, readAheadAgain);
}

}  // namespace
