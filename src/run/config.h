// Reads the configuration file into the eight configuration values and prints them.
#pragma once

#include <cstdio>

#include "base/fixed_string.h"
#include "out/page_options.h"

extern Text510 g_config_file_extension;               // default "html"
extern Text510 g_config_stylesheet;                   // default "c-kalimo.css"
extern Text510 g_config_make_weapon_stats;            // default "yes"
extern Text510 g_config_use_weapon_colors;            // default "yes"
extern Text510 g_config_use_name_colors;              // default "yes"
extern Text510 g_config_display_unknown_team_players; // default "no"
extern Text510 g_config_header_file;                  // default "c-header.html"
extern Text510 g_config_footer_file;                  // default "c-footer.html"
// A JSON record of each game beside its pages; not shown in the configuration block, which
// keeps the lines every run has always printed.
extern Text510 g_config_write_game_records;           // default "no"

// True only for the exact, case-sensitive value "yes".
bool isYes(const Text510& value);

// The output options the configuration values give.
PageOptions pageOptions();

// Sets the defaults, then reads the file named by g_run.g_config: a line equal to a key takes the
// whole next line as its value; "#" starts a comment only on a key line. Prints the
// configuration block, then a warning for a header or footer file that cannot be read. When
// the file cannot be opened or its file_extension is not letters and digits, prints the error
// and returns false (the run ends with status 1). Without `named` (the default c-default.cfg),
// a file that is not there at all leaves the defaults, said in one line.
bool readConfig(bool named);

// What readConfig() does once the file is open: the defaults, then the values read from `f`
// (left open), then the configuration block.
void readConfigFrom(std::FILE* f);

// The defaults alone (tests, and the start of readConfig).
void setConfigDefaults();
