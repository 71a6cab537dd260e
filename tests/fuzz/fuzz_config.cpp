// Fuzz target: the configuration reader on any file, read from memory.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "run/config.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;  // fmemopen takes no empty buffer; an empty file is a seed case
  std::vector<char> text(data, data + size);
  std::FILE* f = fmemopen(text.data(), text.size(), "r");
  if (f == nullptr) std::abort();
  Config config;
  readConfigFrom(f, Text510("fuzz.cfg"), &config);
  std::fclose(f);
  // Every value is one line: no line break survives into it.
  for (const Text510* v : {&config.g_config_file_extension, &config.g_config_stylesheet,
                           &config.g_config_make_weapon_stats, &config.g_config_use_weapon_colors,
                           &config.g_config_use_name_colors, &config.g_config_display_unknown_team_players,
                           &config.g_config_header_file, &config.g_config_footer_file,
                           &config.g_config_write_game_records}) {
    if (v->view().find('\n') != std::string_view::npos) std::abort();
  }
  return 0;
}
