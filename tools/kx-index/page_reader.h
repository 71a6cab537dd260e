// Reading a game's index row back out of its main page, in one pass over the page's text.
#pragma once

#include <string>
#include <string_view>

#include "kx-index/index_row.h"

namespace kxindex {

// Reads a game row out of a main page's text. Never fails: fields it cannot find stay empty
// and `complete` tells a half-written page from a whole one. The time taken grows with the
// length of the text and no faster, whatever the text holds.
GameRow readGamePage(const PageName& page, const std::string& fileName, std::string_view text);

// The style sheet the page names; empty when it names none.
std::string stylesheetOf(std::string_view text);

// The visible text of a piece of markup: tags removed, the pages' entities decoded, spaces
// trimmed at both ends.
std::string textOf(std::string_view markup);

}  // namespace kxindex
