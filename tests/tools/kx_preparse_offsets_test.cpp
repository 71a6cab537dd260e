// The pre-parser's side file of offsets: every converted line that stands for lines of the log says which.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "kx-preparse/run.h"

namespace {

struct Entry {
  unsigned long long converted, first, last;
  std::string hash;
};

std::string tempPath(const std::string& name) {
  return testing::TempDir() + "kx_offsets_" + std::to_string(::getpid()) + "_" + name;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Converts `log` with the program's own command line; the converted log and the entries.
std::vector<Entry> convert(const std::string& log, std::string& converted) {
  const std::string in = tempPath("in.log");
  const std::string out = tempPath("out.log");
  std::ofstream(in, std::ios::binary) << log;
  std::vector<std::string> args = {"kx-preparse", in, out};
  char* argv[] = {&args[0][0], &args[1][0], &args[2][0]};
  EXPECT_EQ(kExitDone, runPreparse(3, argv));
  converted = readFile(out);
  std::vector<Entry> entries;
  std::istringstream lines(readFile(out + ".offsets"));
  for (Entry e; lines >> e.converted >> e.first >> e.last >> e.hash;) entries.push_back(e);
  for (const std::string& f : {in, out, out + ".offsets", out + ".scores"}) std::remove(f.c_str());
  return entries;
}

const std::vector<std::string> kLog = {
    "  0:00 ------------------------------------------------------------",
    "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm17",
    "  0:01 ClientConnect: 0",
    "  0:01 ClientUserinfoChanged: 0 n\\Ann\\t\\0",
    "  0:01 ClientBegin: 0",
    "  0:02 ClientConnect: 1",
    "  0:02 ClientUserinfoChanged: 1 n\\Bo\\t\\0",
    "  0:02 ClientBegin: 1",
    "  0:05 Kill: 0 1 10: Ann killed Bo by MOD_RAILGUN",
    "  0:09 Exit: Fraglimit hit.",
    "  0:09 ShutdownGame:",
    "  0:09 ------------------------------------------------------------",
};

std::string join(const std::vector<std::string>& lines, const std::string& end) {
  std::string text;
  for (const std::string& l : lines) text += l + end;
  return text;
}

// Where line `i` of `lines` starts when each ends in `end`.
unsigned long long startOf(const std::vector<std::string>& lines, std::size_t i, std::size_t end) {
  unsigned long long at = 0;
  for (std::size_t k = 0; k < i; ++k) at += lines[k].size() + end;
  return at;
}

// Where the first converted line holding `text` starts.
unsigned long long convertedStart(const std::string& converted, const std::string& text) {
  const std::size_t at = converted.find(text);
  const std::size_t start = converted.rfind('\n', at);
  return start == std::string::npos ? 0 : start + 1;
}

TEST(KxPreparseOffsets, EachGroupOfLogLinesGoesWithTheConvertedLineItLedTo) {
  std::string converted;
  const std::vector<Entry> e = convert(join(kLog, "\n"), converted);
  ASSERT_EQ(4u, e.size()) << converted;
  auto at = [](std::size_t i) { return startOf(kLog, i, 1); };
  // The map line: the separator and InitGame, which wrote it.
  EXPECT_EQ(0u, e[0].converted);
  EXPECT_EQ(0u, e[0].first);
  EXPECT_EQ(at(2) - 1, e[0].last);
  // The kill writes both players' entries and its obituary: the lines that wrote nothing go
  // with the first of them, the kill with the obituary.
  EXPECT_EQ(convertedStart(converted, "Ann"), e[1].converted);
  EXPECT_EQ(at(2), e[1].first);
  EXPECT_EQ(at(8) - 1, e[1].last);
  EXPECT_EQ(convertedStart(converted, "railed"), e[2].converted);
  EXPECT_EQ(at(8), e[2].first);
  EXPECT_EQ(at(9) - 1, e[2].last);
  // The end line, written at the unloading: the Exit line and ShutdownGame. The separator after
  // them led to no line.
  EXPECT_EQ(converted.rfind('\n', converted.size() - 2) + 1, e[3].converted);
  EXPECT_EQ(at(9), e[3].first);
  EXPECT_EQ(at(11) - 1, e[3].last);
}

TEST(KxPreparseOffsets, TheHashesFollowTheLinesTextNotTheirLineEnds) {
  std::string converted;
  const std::vector<Entry> lf = convert(join(kLog, "\n"), converted);
  const std::vector<Entry> crlf = convert(join(kLog, "\r\n"), converted);
  ASSERT_EQ(4u, lf.size());
  ASSERT_EQ(4u, crlf.size());
  for (std::size_t i = 0; i < lf.size(); ++i) EXPECT_EQ(lf[i].hash, crlf[i].hash) << i;
  // The offsets are the copy's own: one more byte for every line before.
  EXPECT_EQ(startOf(kLog, 9, 2), crlf[3].first);
  EXPECT_EQ(startOf(kLog, 11, 2) - 1, crlf[3].last);
  // One byte changed in a line that wrote nothing (the Exit's reason) changes its group's hash
  // and no other.
  std::vector<std::string> changed = kLog;
  changed[9][changed[9].size() - 1] = '!';
  const std::vector<Entry> other = convert(join(changed, "\n"), converted);
  ASSERT_EQ(4u, other.size());
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(lf[i].hash, other[i].hash) << i;
  EXPECT_NE(lf[3].hash, other[3].hash);
  EXPECT_EQ(16u, lf[3].hash.size());
}

}  // namespace
