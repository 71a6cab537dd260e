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

// Called at the first " InitGame: " line of a client-form log: marks the log as a server
// log, runs the pre-parser on it and switches `fp` to the result. False when no pre-parser
// could be run (`fp` is then closed and the run reads no further).
bool handOverToPreparser();

// Removes "tmp-c", "temp-c" and "kalimo-c.log", ignoring failures.
void cleanUpTempFiles();
