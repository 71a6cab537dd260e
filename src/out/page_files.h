// The files of one game's outputs: written whole under a temporary name, then renamed into place.
#pragma once

#include <string>
#include <vector>

#include "out/page_buffer.h"

// One file of a game's outputs.
struct OutputFile {
  std::string name;  // below html/
  PageBytes bytes;   // the file's bytes are the first `size`
  std::size_t size = 0;
  // Set on a page that is begun before the next file and finished after it (a main page
  // around its weapon page): if the next file cannot be created, this one is left as far as
  // it was written then, its first `writtenBeforeNext` bytes.
  bool aroundNext = false;
  std::size_t writtenBeforeNext = 0;
};

// A game's files, in the order they are made: its main page, its weapon page, its record.
// The storage of every file is kept from game to game; only the first `count` are written.
struct GameFiles {
  std::vector<OutputFile> files;
  std::size_t count = 0;

  // The next file, emptied for new bytes (its storage kept).
  OutputFile& add();
};

// Writes the game's files into html/. Each goes to a temporary file in html/ that is renamed
// to its name once it is whole, so a reader never sees half a page. Returns the console text
// of the failure ("" when every file is in place) after which nothing more is written: a file
// that cannot be created gives "ERROR: couldnt open file to write\n"; a failed write or rename
// names the file and the reason, and leaves no trace of that file.
std::string writeGameFiles(const GameFiles& game);
