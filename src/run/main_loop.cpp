// Main loop (placeholder).
#include "run/main_loop.h"
Text510 g_logfile, g_config, g_str_tmp, g_time_now;
LineReader fp;
std::FILE* fp_sql_gamestats = nullptr;
int g_log_type = 0;
int g_game_count = 1000;
int g_int_tmp = 0;
int kalimostatsMain(int, char**) { return 0; }
void checkIfServerLog(const char*) {}
void cleanUpTempFiles() {}
