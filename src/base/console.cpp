// Console text to standard output, or to the sink the run installed.
#include "base/console.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {
ConsoleSink* g_sink = nullptr;  // set and cleared only by the run's entry point, on its one thread
}  // namespace

void consoleWrite(std::string_view text) {
  if (text.empty()) return;
  if (g_sink != nullptr) {
    g_sink->write(text.data(), text.size());
  } else {
    std::fwrite(text.data(), 1, text.size(), stdout);
  }
}

void consolef(const char* format, ...) {
  char small[512];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (n < 0) return;
  if (static_cast<std::size_t>(n) < sizeof small) {
    consoleWrite(std::string_view(small, static_cast<std::size_t>(n)));
    return;
  }
  std::string large(static_cast<std::size_t>(n) + 1, '\0');
  va_start(args, format);
  std::vsnprintf(large.data(), large.size(), format, args);
  va_end(args);
  large.pop_back();
  consoleWrite(large);
}

void setConsoleSink(ConsoleSink* sink) { g_sink = sink; }

bool flushConsole() { return std::fflush(stdout) == 0; }
