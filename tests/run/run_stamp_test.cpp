// The run's start time never reuses a second whose pages are already in html/.
#include "run/run_stamp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

namespace {

// A fresh, empty directory below the system's temporary directory.
std::string freshDir() {
  char tmpl[] = "/tmp/kx-stamp-XXXXXX";
  const char* made = ::mkdtemp(tmpl);
  EXPECT_NE(nullptr, made);
  return made ? made : "";
}

void touch(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "w");
  ASSERT_NE(nullptr, f);
  std::fclose(f);
}

TEST(RunStamp, OnlyAPageOfTheSameSecondIsTakenAndARunWaitsPastIt) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  const std::string dir = freshDir();
  EXPECT_FALSE(stampTaken(dir.c_str(), 997444800));
  touch(dir + "/kalimostats_2001_08_10_12_00_01_1001_FFA_PUB_main.html");
  touch(dir + "/index.html");
  EXPECT_FALSE(stampTaken(dir.c_str(), 997444800));
  touch(dir + "/kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_main.html");
  EXPECT_TRUE(stampTaken(dir.c_str(), 997444800));
  EXPECT_FALSE(stampTaken((dir + "/missing").c_str(), 997444800));

  // A run that starts in a taken second waits past it.
  const std::time_t now = std::time(nullptr);
  touch(dir + "/kalimostats_" + pageStampOf(now) + "_1001_FFA_PUB_main.html");
  const std::time_t chosen = freeRunStartTime(dir.c_str());
  EXPECT_GE(chosen, now + 1);
  EXPECT_LE(chosen, now + 2);
  EXPECT_FALSE(stampTaken(dir.c_str(), chosen));
  std::filesystem::remove_all(dir);
}

}  // namespace
