// Where each converted line came from in the log read: the pre-parser's side file of byte offsets.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

// The side file holds one line "CONVERTED FIRST LAST HASH" per converted line that stands for
// lines of the log: CONVERTED is where the converted line starts in the converted log, FIRST
// and LAST the offsets in the log read (its decompressed text) of the first byte and the last
// byte (line break included) of the log's lines it stands for, HASH 16 hexadecimal digits over
// those lines' text (0 when they hold nothing but line breaks). Every line of the log up to the
// last converted line stands in exactly one entry, in log order, so a game's span in the log
// runs from the FIRST of its first line's entry to the LAST of its last one's.
//
// Which converted line a line of the log goes with: the last one written while it was fed to
// the converter, and the lines fed before it that wrote nothing go with the first one written
// then. So a line that ends one game and starts the next (an InitGame line closing a game that
// the map's unloading never closed) goes with the next game's first line, and the lines that
// closed a game (its Exit, its scores, its ShutdownGame) with that game's last ones.
class SourceOffsetsWriter {
 public:
  // Writes to `file`; nullptr keeps nothing.
  explicit SourceOffsetsWriter(std::FILE* file) : file_(file) {}

  // The converter is fed the next line of the log, read from offset `first` to `last` (its line
  // break included); `text` is the line as the converter gets it.
  void sourceLine(std::uint64_t first, std::uint64_t last, std::string_view text);
  // The converter wrote a line starting at `converted` in the converted log.
  void convertedLine(std::uint64_t converted);
  // The log has ended; the lines the converter still writes go with the lines fed last.
  void endOfLog();
  // The converter has written its last line.
  void finish();

  bool failed() const { return failed_; }

 private:
  // Lines of the log taken together, in order.
  struct Lines {
    bool any = false;
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    std::uint64_t hash = 0;
    void add(const Lines& later);
  };
  // Gives the lines fed since the previous feed's converted lines to the ones written by the
  // feed that just ended.
  void settleFeed();
  void write(std::uint64_t converted, const Lines& lines);

  std::FILE* file_;
  bool failed_ = false;
  Lines waiting_;  // fed earlier, wrote nothing
  Lines feeding_;  // the line being fed
  int written_ = 0;  // converted lines written while it was fed
  std::uint64_t firstWritten_ = 0;
  std::uint64_t lastWritten_ = 0;
};
