// Page writers (placeholder).
#include "html/writer.h"
std::FILE* fpw = nullptr;
Text510 out_filename_stats, out_filename_wepns;
void wr(const char*, ...) {}
void wrText(std::string_view) {}
void htmlWriteQ3String(std::string_view) {}
void htmlReadHeader() {}
void htmlReadFooter() {}
void buildPageStem(char* dest) { dest[0] = '\0'; }
