// Where a game's finished files go: under html/, or, for the fuzz targets, to a function in memory.
#pragma once

#include <string_view>

// Receives one finished file (a page, or a record when records are on), whole.
using PageSink = void (*)(std::string_view page);

// From now on files are handed to `sink` and none is created; nullptr restores files.
// Lets the whole pipeline run many thousand times a second without touching the disk.
void setPageSink(PageSink sink);
// The sink set, or nullptr when files are written.
PageSink pageSink();

