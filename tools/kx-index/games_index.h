// The games index: one row per statistics page found in html/, written to html/index.html.
#pragma once

#include <string>
#include <vector>

#include "kx-index/index_row.h"

namespace kxindex {

// Splits a main page's file name; false for any other name (weapon pages, index.html,
// foreign files, names with characters the program never writes).
bool parsePageName(const std::string& fileName, PageName* out);

// The weapon page's file name belonging to a main page's file name.
std::string weaponPageOf(const std::string& mainFileName);

// Writes <htmlDir>/index.html for every main page in htmlDir, newest first, through a
// temporary file renamed into place. A game's row comes from its game record when it has one
// that can be used, else from its page. One run at a time writes a directory's index: a second
// one waits for the first. Returns false with a one-line reason in `err` when the directory
// cannot be read or the index cannot be written; `notes` gets one line per file it passed
// over or could only partly read.
bool writeIndex(const std::string& htmlDir, int* gamesListed, std::vector<std::string>* notes,
                std::string* err);

}  // namespace kxindex
