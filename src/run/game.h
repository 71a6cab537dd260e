// The outputs of a finished game: its pages, SQL lines and record, with the console lines around them.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "game/game_result.h"
#include "out/page_files.h"
#include "out/page_options.h"
#include "run/site_files.h"

// The outputs of the run's games, built as the options ask: the main page, the weapon page,
// the SQL lines, the game record. Keeps from game to game the site's header and footer, the
// buffers of the text outputs, and the files of a run without the output queue.
class GameOutputs {
 public:
  // Receives one finished file (a page, or a record when records are on), whole.
  using FileSink = void (*)(std::string_view bytes);

  // With `sink`, files are handed to it and none is created: the fuzz targets run the whole
  // pipeline many thousand times a second without touching the disk.
  explicit GameOutputs(PageOptions options, FileSink sink = nullptr)
      : options_(std::move(options)), sink_(sink) {}

  // Builds the outputs of `game`, hands the files to the output queue when it runs (else
  // writes them here), then writes the SQL lines to `sqlStream` (when not null) and closes the
  // game's console listing. False when a file could not be written here (the error is
  // printed): the run must stop with status 1.
  bool write(const GameResult& game, std::FILE* sqlStream);

 private:
  PageOptions options_;
  FileSink sink_;
  SiteFile header_;
  SiteFile footer_;
  std::string sql_;
  std::string record_;
  std::unique_ptr<GameFiles> unqueued_ = std::make_unique<GameFiles>();
};
