// Everything the run writes, in the order it is written: console text, SQL lines and each game's files, done by a second thread.
#pragma once

#include <cstdio>
#include <memory>
#include <string_view>

#include "out/page_files.h"

// While started, the console text and the SQL lines feed one queue, and each game's finished
// files join it; a writer thread carries the queue out in order, so the pages are
// written on the second core while the next game is read. When a write fails, the writer writes the
// failure's console text and nothing after it: the console, the SQL file and html/ then hold
// exactly what a run that stopped at that write would have left.
class OutputQueue {
 public:
  // Starts the writer and takes over the console text; SQL lines go to `sqlStream` (an open
  // append stream, or null), whose file the writer then writes. False when no thread could be
  // started (everything is then written directly).
  static bool start(std::FILE* sqlStream);
  // True while started.
  static bool running();
  // Queues a game's files after everything written so far.
  static void submit(std::unique_ptr<GameFiles> files);
  // Queues SQL lines after everything written so far (nothing without an SQL file).
  static void submitSql(std::string_view lines);
  // Spent files, with their buffers, for the next game; fresh ones when none are spare.
  static std::unique_ptr<GameFiles> spareFiles();
  // True once a write failed (the failure is already written out).
  static bool failed();
  // Waits until everything queued is written. False when a write failed.
  static bool drain();
  // Drains, stops the writer and gives the console back to standard output. False when a
  // write failed (a console that cannot be written is reported on stderr).
  static bool stop();
};
