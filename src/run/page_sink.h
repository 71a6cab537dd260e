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

