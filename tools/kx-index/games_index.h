// The games index: one row per statistics page found in html/, read back from the pages themselves.
#pragma once

#include <string>
#include <vector>

namespace kxindex {

// The parts of a main page's file name
// "kalimostats_<YYYY_MM_DD_HH_MM_SS>_<game id>_<label>_main.<ext>".
struct PageName {
  std::string stamp;   // "2001_08_10_12_00_00"
  long gameId = 0;
  std::string label;   // "FFA_PUB", "CTF_[AB]_vs_=XY=" (as in the file name)
  std::string ext;     // "html"
};

// Splits a main page's file name; false for any other name (weapon pages, index.html,
// foreign files, names with characters the program never writes).
bool parsePageName(const std::string& fileName, PageName* out);

// The weapon page's file name belonging to a main page's file name.
std::string weaponPageOf(const std::string& mainFileName);

struct Player {
  std::string name;    // colour codes and markup removed, entities decoded
  std::string score;   // as shown on the page; empty when the page has none
};

// What the index shows of one game.
struct GameRow {
  std::string mainPage;     // file name, no directory
  std::string weaponPage;   // empty when there is no weapon page beside it
  PageName page;
  std::string map;          // empty when the page names none
  std::string redScore, blueScore;  // team games only
  std::vector<Player> red, blue, others;  // others: free for all, or team unknown
  std::string stylesheet;   // the style sheet the page names; empty if none
  bool complete = false;    // the page ends with its closing tag
};

// Reads a game row out of a main page's text. Never fails: fields it cannot find stay empty
// and `complete` tells a half-written page from a whole one.
GameRow readGamePage(const PageName& page, const std::string& fileName, const std::string& text);

// "free for all", "team deathmatch", "capture the flag", "Clan Arena" from the label's prefix;
// "unknown" for any other.
std::string gameTypeOf(const std::string& label);

// The whole index page, rows in the given order, naming `stylesheet`.
std::string renderIndex(const std::vector<GameRow>& rows, const std::string& stylesheet);

// Writes <htmlDir>/index.html for every main page in htmlDir, newest first, through a
// temporary file renamed into place. Returns false with a one-line reason in `err` when the
// directory cannot be read or the index cannot be written; `notes` gets one line per file it
// passed over or could only partly read.
bool writeIndex(const std::string& htmlDir, int* gamesListed, std::vector<std::string>* notes,
                std::string* err);

}  // namespace kxindex
