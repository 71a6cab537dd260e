// Counts scratch strings the way a pool of 999 registered buffers would, without allocating them.
#include "base/scratch_pool.h"

#include <cstdio>

#include "base/console.h"

int g_max_mallocs = 0;

namespace {
int g_live = 0;
}  // namespace

void storeMallocs(int count) {
  if (count <= 0) return;
  const int room = kPoolCapacity - g_live;
  if (count <= room) {
    g_live += count;
    return;
  }
  g_live = kPoolCapacity;
  // An unregistered buffer is never released, so it never shows in g_max_mallocs.
  for (int refused = count - room; refused > 0; --refused) consoleWrite("cant store anymore\n");
}

void freeMallocs() {
  if (g_live > g_max_mallocs) g_max_mallocs = g_live;
  g_live = 0;
}

int liveMallocs() { return g_live; }

void resetScratchPool() {
  g_live = 0;
  g_max_mallocs = 0;
}
