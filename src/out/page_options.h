// What the configuration decides about the outputs of a game, as the output writers take it.
#pragma once

#include <string>

// Built by the run from its configuration; the writers read nothing else of it.
struct PageOptions {
  std::string fileExtension;      // of both pages' file names, not filtered
  std::string styleSheet;         // named by every page
  bool weaponPage = false;        // each game gets a weapon page, linked from its main page
  bool weaponColors = false;      // weapon names and figures in their weapon's colour
  bool nameColors = false;        // colour codes of names shown as font colours
  bool unknownTeamPlayers = false;  // team games list the players of no team in a table of their own
  std::string headerFile;         // copied at the top and at the bottom of every page
  std::string footerFile;
  bool gameRecords = false;       // a JSON record beside each main page
};
