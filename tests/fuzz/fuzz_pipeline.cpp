// Fuzz target: the whole per-line pipeline on a client log, pages built and checked in memory.
//
// The first byte picks the switches (name colours, weapon page, unknown-team players, server
// log already pre-parsed); the rest is the log. Pages go to a sink instead of html/, and each
// page is checked: log text must never add a tag of its own.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "game/player_table.h"
#include "run/config.h"
#include "run/game.h"
#include "run/line_loop.h"
#include "run/state.h"

namespace {

std::size_t count(std::string_view page, const char* what) {
  std::size_t n = 0;
  const std::size_t len = std::strlen(what);
  const char* at = page.data();
  const char* end = page.data() + page.size();
  while (const void* found = memmem(at, static_cast<std::size_t>(end - at), what, len)) {
    ++n;
    at = static_cast<const char*>(found) + 1;
  }
  return n;
}

// The program writes one script element on a main page and none elsewhere; a name such as
// "<script>" would add one.
void checkPage(std::string_view page) {
  if (count(page, "<script") > 1 || count(page, "<SCRIPT") > 0) std::abort();
}

void setSwitch(Text510& value, bool on, const char* offValue) {
  value.assign(on ? "yes" : offValue);
}

RunState& runState() {
  static RunState* run = new RunState();  // its reader's buffers are reused from input to input
  return *run;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The console text is not looked at; writing it would only slow the run down.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t switches = data[0];
  std::vector<char> log(data + 1, data + size);

  RunState& run = runState();
  run.g_time_now.assign("2001-08-10,12-00-00");
  run.g_game_count = kFirstGameId;
  run.linesChecked = 0;
  run.config = Config();
  setSwitch(run.config.g_config_use_name_colors, (switches & 1) == 0, "no");
  setSwitch(run.config.g_config_make_weapon_stats, (switches & 2) == 0, "no");
  setSwitch(run.config.g_config_display_unknown_team_players, (switches & 4) != 0, "no");

  if (log.empty()) return 0;
  std::FILE* in = fmemopen(log.data(), log.size(), "rb");
  if (!run.fp.openStream(in)) return 0;
  // The run's own loop, without the hand-over to the pre-parser (it runs a program): here a
  // server log ends the input, as it does when no pre-parser can be run (the pre-parser has
  // its own target).
  auto tracker = std::make_unique<Tracker>("fuzz.log", run.g_time_now.view());
  tracker->game().log.g_log_type = (switches & 8) ? 1 : 0;
  GameOutputs outputs(run.config.pageOptions(), checkPage);
  readLog(run, false, false, *tracker, outputs);
  run.fp.close();
  return 0;
}
