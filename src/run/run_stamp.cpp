// Picks the run's start time so that no page of an earlier run is overwritten.
#include "run/run_stamp.h"

#include <dirent.h>

#include <cstring>
#include <ctime>

namespace {

constexpr const char kStemStart[] = "kalimostats_";

// Sleeps until just past the next whole second of the wall clock.
void sleepToNextSecond() {
  std::timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::timespec pause{};
  pause.tv_sec = 0;
  pause.tv_nsec = 1000000000L - now.tv_nsec + 1000000L;
  if (pause.tv_nsec >= 1000000000L) {
    pause.tv_sec = 1;
    pause.tv_nsec -= 1000000000L;
  }
  while (::nanosleep(&pause, &pause) != 0) {
  }
}

}  // namespace

std::string pageStampOf(std::time_t t) {
  std::tm local{};
  if (::localtime_r(&t, &local) == nullptr) return std::string();
  char text[64];
  // The same fields the pages are named with, already in their file-name-safe form.
  if (std::strftime(text, sizeof text, "%Y_%m_%d_%H_%M_%S", &local) == 0) return std::string();
  return text;
}

bool stampTaken(const char* htmlDir, std::time_t t) {
  const std::string stamp = pageStampOf(t);
  if (stamp.empty()) return false;
  const std::string prefix = kStemStart + stamp + "_";
  DIR* dir = ::opendir(htmlDir);
  if (dir == nullptr) return false;
  bool taken = false;
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0) {
      taken = true;
      break;
    }
  }
  ::closedir(dir);
  return taken;
}

std::time_t freeRunStartTime(const char* htmlDir) {
  std::time_t t = std::time(nullptr);
  while (stampTaken(htmlDir, t)) {
    sleepToNextSecond();
    t = std::time(nullptr);
  }
  return t;
}
