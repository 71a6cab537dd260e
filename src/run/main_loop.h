// The program's run: command line, start-up, the per-line pipeline and the run summary.
#pragma once

#include <cstdio>

#include "run/fixed_string.h"
#include "run/line_reader.h"

extern Text510 g_logfile;
extern Text510 g_config;
extern Text510 g_str_tmp;
extern Text510 g_time_now;         // run start, "%Y-%m-%d,%H-%M-%S"
extern LineReader fp;              // the log being read; the OSP report reader reads on from it
extern std::FILE* fp_sql_gamestats;
extern int g_log_type;             // 1 once a server log was detected and pre-parsed
extern int g_game_count;           // id of the last page written
extern int g_int_tmp;

// The whole program; returns the exit status (errors exit the process directly).
int kalimostatsMain(int argc, char** argv);

// At the first " InitGame: " line (or one starting with "InitGame: "), pre-parses the server
// log and switches `fp` to the result; at a clocked client line among the first lines, converts
// the client log the same way. True when the line itself must not be read on (the converted
// client log holds it again).
bool checkIfServerLog(const char* line);

// Removes "tmp-c", "temp-c" and "kalimo-c.log", ignoring failures.
void cleanUpTempFiles();
