// The two SQL lines of a game's main page, for the statement file the web site reads.
#pragma once

#include <string>

#include "out/page_names.h"

// Appends the two lines that give the main page's name to the row of the site's table
// gamestats whose page name sorts first (the oldest page, since names begin with the run's
// time); no row is added.
void writeSqlLines(const PageNames& names, std::string& out);
