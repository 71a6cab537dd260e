// The output queue keeps the order of everything a run writes: console text, pages and SQL lines.
#include "run/output_queue.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "../out/html_test_support.h"
#include "base/console.h"

namespace {

std::unique_ptr<GameFiles> onePage(const std::string& name, std::string_view text) {
  std::unique_ptr<GameFiles> files = OutputQueue::spareFiles();
  files->count = 0;
  OutputFile& page = files->add();
  page.name = name;
  page.bytes.assign(text.begin(), text.end());
  page.size = text.size();
  return files;
}

bool exists(const char* path) {
  struct stat st;
  return ::stat(path, &st) == 0;
}

std::string contents(std::FILE* f) {
  std::fflush(f);
  std::rewind(f);
  std::string text;
  for (int c; (c = std::fgetc(f)) != EOF;) text.push_back(static_cast<char>(c));
  return text;
}

TEST(OutputQueue, ConsoleTextPagesAndSqlLinesComeOutInTheOrderTheyWereWritten) {
  html_test::ScratchDirectory dir;
  std::FILE* sql = std::tmpfile();
  ASSERT_NE(nullptr, sql);
  testing::internal::CaptureStdout();
  ASSERT_TRUE(OutputQueue::start(sql));
  EXPECT_TRUE(OutputQueue::running());
  consolef("\nGenerating Stats ----------------<GAME ID %d>-----\n", 1001);
  consoleWrite("MAP: q3dm17\n");
  OutputQueue::submit(onePage("a_main.html", "<html>a</html>\n"));
  OutputQueue::submitSql("INSERT a;\n");
  consoleWrite("done a\n");
  OutputQueue::submit(onePage("b_main.html", "<html>b</html>\n"));
  OutputQueue::submitSql("INSERT b;\n");
  // Once drained, every page submitted is in place.
  ASSERT_TRUE(OutputQueue::drain());
  EXPECT_TRUE(exists("html/a_main.html"));
  EXPECT_TRUE(exists("html/b_main.html"));
  EXPECT_EQ("<html>b</html>\n", html_test::readFile("html/b_main.html"));
  EXPECT_TRUE(OutputQueue::stop());
  EXPECT_FALSE(OutputQueue::running());
  // After the queue stops, the console writes to standard output directly again.
  consoleWrite("after\n");
  flushConsole();
  EXPECT_EQ("\nGenerating Stats ----------------<GAME ID 1001>-----\nMAP: q3dm17\ndone a\nafter\n",
            testing::internal::GetCapturedStdout());
  EXPECT_EQ("INSERT a;\nINSERT b;\n", contents(sql));
  std::fclose(sql);
}

TEST(OutputQueue, NothingIsWrittenAfterAFailedPageNeitherItsSqlLinesNorLaterText) {
  html_test::ScratchDirectory dir;
  std::FILE* sql = std::tmpfile();
  ASSERT_NE(nullptr, sql);
  testing::internal::CaptureStdout();
  ASSERT_TRUE(OutputQueue::start(sql));
  consoleWrite("before\n");
  // A directory stands where the page's temporary file's directory must be: it cannot be made.
  ASSERT_EQ(0, ::rmdir("html"));
  OutputQueue::submit(onePage("a_main.html", "<html>a</html>\n"));
  OutputQueue::submitSql("INSERT a;\n");
  consoleWrite("after the failure\n");
  EXPECT_FALSE(OutputQueue::drain());
  EXPECT_TRUE(OutputQueue::failed());
  EXPECT_FALSE(OutputQueue::stop());
  const std::string console = testing::internal::GetCapturedStdout();
  EXPECT_EQ("before\nERROR: couldnt open file to write\n", console);
  EXPECT_EQ("", contents(sql));
  std::fclose(sql);
  ASSERT_EQ(0, ::mkdir("html", 0700));  // for the scratch directory's clean-up
}

}  // namespace
