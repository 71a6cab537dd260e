// Where finished pages go: files under html/, or, for the fuzz targets, a function in memory.
#pragma once

#include <string_view>

// Receives one finished page, whole.
using PageSink = void (*)(std::string_view page);

// From now on pages are handed to `sink` and no page file is created; nullptr restores files.
// Lets the whole pipeline run many thousand times a second without touching the disk.
void setPageSink(PageSink sink);
// The sink set, or nullptr when pages are written to files.
PageSink pageSink();

// Stands for a page kept in memory where the writer holds a file descriptor: no descriptor
// ever has this number, and like a real one it is not negative.
constexpr int kPageInMemory = 0x7fffffff;
