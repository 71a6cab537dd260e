// Where finished pages go: the sink that keeps them in memory instead of files.
#include "run/page_sink.h"

namespace {
PageSink g_sink = nullptr;
}  // namespace

void setPageSink(PageSink sink) { g_sink = sink; }
PageSink pageSink() { return g_sink; }
