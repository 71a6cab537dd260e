// What the games index knows of one game: the parts of its page's file name and the figures
// of its row, whether read from its page or from its game record.
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

struct Player {
  std::string name;    // colour codes, markup and the program's marks removed, entities decoded
  std::string score;   // as shown on the page; empty when the page has none
};

// What the index shows of one game.
struct GameRow {
  std::string mainPage;     // file name, no directory
  std::string weaponPage;   // empty when there is no weapon page beside it
  PageName page;
  std::string date;         // when the game was processed: "2001-08-10 12:00:00"
  std::string type;         // "free for all", "team deathmatch", ..., "unknown"
  bool teamGame = false;
  std::string map;          // empty when the page names none
  std::string redScore, blueScore;  // team games only; empty when unknown
  std::vector<Player> red, blue, others;  // others: free for all, or team unknown
  // Free for all, from a record: the players with the highest score, the game's winners.
  // Empty for a page, whose game score is the first player's.
  std::vector<Player> winners;
  std::string stylesheet;   // the style sheet the page names; empty if none
  bool complete = false;    // the page ends with its closing tag
};

// The index's name of a game type from a page's label ("CTF_..."): "unknown" for a label of
// no known type.
std::string gameTypeOfLabel(const std::string& label);

// The index's name of a game type from a record's key ("ctf"); empty for an unknown key.
std::string gameTypeOfKey(const std::string& key);

}  // namespace kxindex
