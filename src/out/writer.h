// The page stream and its writers: templates, literal text, coloured names, header and footer files.
#pragma once

#include <cstdio>
#include <string_view>

#include "out/page_buffer.h"
#include "base/fixed_string.h"

extern PageBuffer* fpw;             // the page being written (main or weapon); null between games
extern Text510 out_filename_stats;  // main page file name (no directory)
extern Text510 out_filename_wepns;  // weapon page file name (no directory)

// Starts the main page of the game labelled `label`: names both pages, appends the page's two SQL
// lines and directs the writers to the main page's buffer.
bool beginPage(std::string_view label);
// The part of beginPage() after the naming: an empty main page under the current names.
bool createMainPage();
// Directs the writers to the weapon page's buffer, noting how far the main page is written.
bool beginWeaponPage();
// Directs the writers back to the main page.
void endWeaponPage();
// Hands the finished pages to the output queue when it runs, else writes them here; leaves
// no page open. False when a page could not be written here (the error is printed).
bool finishPage();
// The same, with the game record that goes with the pages (its file name and bytes).
bool finishPage(std::string recordName, std::string record);

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
void buildPageStem(char* dest, std::string_view label);
