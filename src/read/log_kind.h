// Which kind of log a line betrays, and how the pre-parser is asked to convert such a log.
#pragma once

#include <string_view>

enum class LogKind {
  kClientConsole,  // an OSP client's console log: read as it is
  kServer,         // a dedicated server's log or console: kx-preparse converts it
  kClockedClient,  // a client console log with a clock before its lines (Excessive Plus):
                   // "kx-preparse --client" converts it
};

// The clock of a clocked client log is looked for in this many lines at the start of a log
// only: an OSP client log never has one there, and a chat line later on cannot pass for one.
constexpr long kClockProbeLines = 64;

// True for the start of a server game: " InitGame: " anywhere in the line (after a time), or
// "InitGame: " at its very start (a dedicated server's console log, which has no times).
bool isServerGameStart(std::string_view line);

// True when the line starts with a clock in brackets written with colour codes and followed by
// a blank, as Excessive Plus prints before every console line: "^1[^723^1:^724^1]^7 text".
bool hasClientClock(std::string_view line);

// The kind of log that line number `lineNumber` (1 for the first line) shows: kServer at a
// server game start; kClockedClient at a clocked line that also holds the mod's colour reset
// "^s", within the first kClockProbeLines lines (a clock alone can be a stray line copied into
// an OSP log; the two together are Excessive Plus); kClientConsole (nothing to hand over)
// otherwise.
LogKind logKindOf(std::string_view line, long lineNumber);

// The argument vector the pre-parser is started with: the program, "--client" for a clocked
// client log, the log, the output, and a closing nullptr. The strings are not copied.
struct PreparserArgs {
  char* argv[5];
};
PreparserArgs preparserArgs(LogKind kind, char* program, char* log, char* output);
