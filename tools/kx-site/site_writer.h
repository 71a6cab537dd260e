// Writing the site's own pages into html/ from the archive, each through a temporary name.
#pragma once

#include <string>

#include "kx-site/archive.h"

namespace kxsite {

// Marks every site page stale: the index, the rankings, the unrated games and every player.
bool markAllStale(Archive& archive, std::string* err);

// Writes the pages the archive lists as stale ("index", "ranking <type>", "unrated",
// "player <number>") into `htmlDir`, then clears the list. Index pages past the last one
// are removed. `written` counts the pages written. False with the reason on a failed write;
// the list then stays for the next update.
bool writeStalePages(Archive& archive, const std::string& htmlDir, int* written, std::string* err);

// Writes `text` into dir/name through a temporary name in the same directory and a rename.
bool writeFileAtomically(const std::string& dir, const std::string& name, const std::string& text, std::string* err);

}  // namespace kxsite
