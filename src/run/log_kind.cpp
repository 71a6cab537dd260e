// Which kind of log a line betrays, and how the pre-parser is asked to convert such a log.
#include "run/log_kind.h"

namespace {

constexpr char kClientFlag[] = "--client";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Moves `text` past any colour codes ("^1", "^7") at its start.
void skipColours(std::string_view& text) {
  while (text.size() >= 2 && text[0] == '^' && text[1] != '^') text.remove_prefix(2);
}

}  // namespace

bool isServerGameStart(std::string_view line) {
  static constexpr std::string_view kInitGame = "InitGame: ";
  return line.substr(0, kInitGame.size()) == kInitGame || line.find(" InitGame: ") != std::string_view::npos;
}

bool hasClientClock(std::string_view line) {
  skipColours(line);
  if (line.empty() || line.front() != '[') return false;
  line.remove_prefix(1);
  bool digit = false;
  bool colon = false;
  for (;;) {
    skipColours(line);
    if (line.empty()) return false;
    const char c = line.front();
    if (c == ']') break;
    if (isDigit(c)) {
      digit = true;
    } else if (c == ':') {
      colon = true;
    } else {
      return false;
    }
    line.remove_prefix(1);
  }
  line.remove_prefix(1);
  skipColours(line);
  return digit && colon && !line.empty() && line.front() == ' ';
}

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
