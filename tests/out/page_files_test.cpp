// A game's files are made afresh under their temporary names: nothing planted there is written through.
#include "out/page_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "html_test_support.h"

namespace {

TEST(PageFiles, ALinkPlantedAtATemporaryNameIsNeverWrittenThrough) {
  html_test::ScratchDirectory dir;
  // Someone else's file, and hard and symbolic links to it at every temporary name this process
  // can take next (a temporary name is the process id and a count).
  {
    std::FILE* f = std::fopen("victim.txt", "w");
    ASSERT_NE(nullptr, f);
    std::fputs("precious", f);
    std::fclose(f);
  }
  for (int i = 0; i < 400; ++i) {
    const std::string name = "html/.kx-" + std::to_string(::getpid()) + "-" + std::to_string(i);
    ASSERT_EQ(0, i % 2 ? ::link("victim.txt", name.c_str()) : ::symlink("../victim.txt", name.c_str()));
  }
  GameFiles game;
  OutputFile& page = game.add();
  page.name = "page.html";
  page.bytes.assign({'<', 'p', '>'});
  page.size = 3;
  EXPECT_EQ("", writeGameFiles(game));
  EXPECT_EQ("<p>", html_test::readFile("html/page.html"));
  EXPECT_EQ("precious", html_test::readFile("victim.txt"));
}

}  // namespace
