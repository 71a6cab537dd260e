// The page stream and its writers: templates, literal text, coloured names, header and footer files.
#pragma once

#include <cstdio>
#include <string_view>

#include "run/fixed_string.h"

extern std::FILE* fpw;              // the page being written; null between games
extern Text510 out_filename_stats;  // main page file name (no directory)
extern Text510 out_filename_wepns;  // weapon page file name (no directory)

// Writes one template (a printf format of our own, with its values) to the page. The first
// fragment of a game names the page files, appends the page's two SQL lines and opens the
// main page; a page that cannot be created ends the run with status 1.
void wr(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Writes `text` byte for byte (names, map names, quotes, file contents); opens the page like
// wr() when none is open.
void wrText(std::string_view text);

// Writes a player name with its colour codes rendered as HTML font colours (or dropped when
// name colours are off).
void htmlWriteQ3String(std::string_view name);

// Copy the configured header / footer file into the page; a missing file is skipped.
void htmlReadHeader();
void htmlReadFooter();

// Opens "html/" + `fileName` with `mode`; a page that cannot be opened ends the run with
// "ERROR: couldnt open file to write" and status 1.
std::FILE* openPageFile(const Text510& fileName, const char* mode);

// The shared stem of the current game's page names, filtered for a file name, into `dest`
// (510 bytes). A very long game label is cut so that the stem plus "main." and the extension
// stay within 509 bytes.
void buildPageStem(char* dest);
