// How the log reader of the program and the pre-parser hands on a log's text, plain or gzip-compressed.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <string>

#include "read/log_input.h"

namespace {

// The whole text through read(), a few bytes at a time.
std::string readAll(const std::string& path, bool* compressed) {
  LogInput in;
  EXPECT_TRUE(in.open(path.c_str())) << in.error();
  *compressed = in.compressed();
  std::string text;
  char chunk[7];
  for (std::size_t n; (n = in.read(chunk, sizeof chunk)) > 0;) text.append(chunk, n);
  EXPECT_FALSE(in.failed()) << in.error();
  return text;
}

}  // namespace

TEST(LogInput, ReadsGzipMembersAndPlainFilesAlike) {
  const std::string text = "  0:00 InitGame: \\mapname\\q3dm17\r\n  0:05 Kill: 0 1 10: A killed B by MOD_RAILGUN\n";
  const std::string plain = ::testing::TempDir() + "log_input_plain.log";
  const std::string packed = ::testing::TempDir() + "log_input_packed.log";
  std::FILE* f = std::fopen(plain.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  // Two members, as two compressed files joined with cat.
  for (const std::string& part : {text.substr(0, 20), text.substr(20)}) {
    gzFile z = gzopen(packed.c_str(), part == text.substr(0, 20) ? "wb" : "ab");
    ASSERT_NE(nullptr, z);
    gzwrite(z, part.data(), static_cast<unsigned>(part.size()));
    gzclose(z);
  }
  bool compressed = true;
  EXPECT_EQ(text, readAll(plain, &compressed));
  EXPECT_FALSE(compressed);
  EXPECT_EQ(text, readAll(packed, &compressed));
  EXPECT_TRUE(compressed);

  // Lines come without their line breaks, from either.
  LogInput in;
  ASSERT_TRUE(in.open(packed.c_str()));
  std::string_view line;
  ASSERT_TRUE(in.readLine(line));
  EXPECT_EQ("  0:00 InitGame: \\mapname\\q3dm17", line);
  ASSERT_TRUE(in.readLine(line));
  EXPECT_EQ("  0:05 Kill: 0 1 10: A killed B by MOD_RAILGUN", line);
  EXPECT_FALSE(in.readLine(line));
  EXPECT_FALSE(in.failed());
  std::remove(plain.c_str());
  std::remove(packed.c_str());
}
