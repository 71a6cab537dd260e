// The page stream and its writers: templates, literal text, coloured names, header and footer files.
#pragma once

#include <cstdio>
#include <string_view>

#include "html/page_buffer.h"
#include "run/fixed_string.h"

extern PageBuffer* fpw;             // the page being written (main or weapon); null between games
extern Text510 out_filename_stats;  // main page file name (no directory)
extern Text510 out_filename_wepns;  // weapon page file name (no directory)

// Starts the main page of the current game: names both pages, appends the page's two SQL
// lines and creates the main page file, then directs the writers to its buffer. When the
// file cannot be created, prints "ERROR: couldnt open file to write" and returns false.
bool beginPage();
// The part of beginPage() after the naming: creates the main page file under its current
// name (the error printed when it cannot) and directs the writers to its buffer.
bool createMainPage();
// Creates the weapon page file and directs the writers to its buffer. When it cannot be
// created, saves the main page as far as it is written, prints the error and returns false.
bool beginWeaponPage();
// Directs the writers back to the main page.
void endWeaponPage();
// Writes each page file in one piece, closes it, and leaves no page open.
void finishPage();

// Writes one template (a printf-style format of our own, with its values) to the page.
void wr(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Writes `text` byte for byte (names, map names, quotes, file contents).
void wrText(std::string_view text);

// Writes a player name with its colour codes rendered as HTML font colours (or dropped when
// name colours are off); '<' and '>' of the name are shown as text, the program's marks stay.
void htmlWriteQ3String(std::string_view name);

// Copy the configured header / footer file into the page; a missing file is skipped.
void htmlReadHeader();
void htmlReadFooter();


// The shared stem of the current game's page names, filtered for a file name, into `dest`
// (510 bytes). A very long game label is cut so that the stem plus "main." and the extension
// stay within 509 bytes.
void buildPageStem(char* dest);
