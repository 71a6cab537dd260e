// Which kind of log a line betrays, and how the pre-parser is asked to convert such a log.
#include "read/log_kind.h"

#include "read/client_clock.h"

namespace {

constexpr char kClientFlag[] = "--client";

}  // namespace

bool isServerGameStart(std::string_view line) {
  static constexpr std::string_view kInitGame = "InitGame: ";
  return line.substr(0, kInitGame.size()) == kInitGame || line.find(" InitGame: ") != std::string_view::npos;
}

bool hasClientClock(std::string_view line) { return client_clock::prefixLength(line) > 0; }

LogKind logKindOf(std::string_view line, long lineNumber) {
  if (isServerGameStart(line)) return LogKind::kServer;
  if (lineNumber <= kClockProbeLines && hasClientClock(line) && line.find("^s") != std::string_view::npos) {
    return LogKind::kClockedClient;
  }
  return LogKind::kClientConsole;
}

PreparserArgs preparserArgs(LogKind kind, char* program, char* log, char* output) {
  PreparserArgs args{};
  int n = 0;
  args.argv[n++] = program;
  if (kind == LogKind::kClockedClient) args.argv[n++] = const_cast<char*>(kClientFlag);
  args.argv[n++] = log;
  args.argv[n++] = output;
  args.argv[n] = nullptr;
  return args;
}
