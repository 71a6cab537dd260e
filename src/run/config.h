// The run's configuration: the configuration file read into typed values, and the block that shows them.
#pragma once

#include <cstdio>

#include "base/fixed_string.h"
#include "out/page_options.h"

// The values of the configuration file as read, before they become output options. Members
// keep the names the file's keys have always been known by.
struct Config {
  Text510 g_config_file_extension;               // default "html"
  Text510 g_config_stylesheet;                   // default "c-kalimo.css"
  Text510 g_config_make_weapon_stats;            // default "yes"
  Text510 g_config_use_weapon_colors;            // default "yes"
  Text510 g_config_use_name_colors;              // default "yes"
  Text510 g_config_display_unknown_team_players; // default "no"
  Text510 g_config_header_file;                  // default "c-header.html"
  Text510 g_config_footer_file;                  // default "c-footer.html"
  // A JSON record of each game beside its pages; not shown in the configuration block, which
  // keeps the lines every run has always printed.
  Text510 g_config_write_game_records;           // default "no"

  // Every value at its default.
  Config();

  // The output options the values give (a switch is on only for the exact value "yes").
  PageOptions pageOptions() const;
  // With weapon pages, which keep both processors busy on their own.
  bool weaponPages() const;
};

// True only for the exact, case-sensitive value "yes".
bool isYes(const Text510& value);

// Reads the configuration file `path` into `config`: the defaults, then a line equal to a key
// takes the whole next line as its value; "#" starts a comment only on a key line. Prints the
// configuration block, then a warning for a header or footer file that cannot be read. When
// the file cannot be opened or its file_extension is not letters and digits, prints the error
// and returns false (the run ends with status 1). Without `named` (the default c-default.cfg),
// a file that is not there at all leaves the defaults, said in one line.
bool readConfig(const Text510& path, bool named, Config* config);

// What readConfig() does once the file is open: the defaults, then the values read from `f`
// (left open), then the configuration block naming `path`.
void readConfigFrom(std::FILE* f, const Text510& path, Config* config);
