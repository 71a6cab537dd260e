// The pre-parser as a program: its command line, the two passes over the log, the output file.
#pragma once

// Exit statuses of the pre-parser.
constexpr int kExitDone = 0;
constexpr int kExitFileError = 1;  // the log cannot be read or the output cannot be written
constexpr int kExitUsage = 2;

// A server log's side file of the server's final scores is the output's path with this added.
constexpr const char kScoresSuffix[] = ".scores";
// The side file of where each converted line came from in the log (see source_offsets.h).
constexpr const char kOffsetsSuffix[] = ".offsets";

// `kx-preparse <server-log> <output>` converts a server log (or a server's console log),
// `kx-preparse --client <client-log> <output>` a client console log with a clock before its
// lines (Excessive Plus), into the output file; a server log's final scores go to the side
// file <output>.scores, and for both the side file <output>.offsets. Errors go to standard error; a summary (lines
// read and written, games, and the lines left out by reason) goes to standard output, which
// the caller sends to a file of its own. The log is read twice, line by line, and never held
// in memory; a gzip-compressed log is read as its text.
int runPreparse(int argc, char** argv);
