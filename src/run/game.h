// The outputs of a finished game: its pages, SQL lines and record, with the console lines around them.
#pragma once

#include <memory>
#include <string>

#include "game/game_result.h"
#include "out/page_files.h"
#include "run/site_files.h"
#include "run/state.h"

// What the outputs keep from game to game: the site's header and footer, the buffers of the
// text outputs, and the files of a run without the output queue.
class GameOutputs {
 public:
  // See writeGame().
  bool write(const GameResult& game);

 private:
  SiteFile header_;
  SiteFile footer_;
  std::string sql_;
  std::string record_;
  std::unique_ptr<GameFiles> unqueued_ = std::make_unique<GameFiles>();
};

// Builds the outputs of `game` that the configuration asks for (the main page, the weapon
// page, the SQL lines, the game record), writes the SQL lines to the statement file, hands
// the files to the output queue when it runs (else writes them here), and closes the game's
// console listing. False when a file could not be written here (the error is printed): the
// run must stop with status 1. The run's outputs are kept in one GameOutputs.
bool writeGame(const GameResult& game);
