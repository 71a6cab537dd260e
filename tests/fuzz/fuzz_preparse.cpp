// Fuzz target: the pre-parser, both passes of each mode (server log, clocked client log), on one
// input held in memory.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "kx-preparse/client_log.h"
#include "kx-preparse/converter.h"
#include "kx-preparse/flag_scan.h"
#include "read/log_input.h"

namespace {

// Every line handed on must be one line; from a server log, one our reader takes whole (a client
// log's lines pass at their own length, which the reader cuts as it would the client's).
class CheckingSink : public LineSink {
 public:
  explicit CheckingSink(std::size_t limit) : limit_(limit) {}
  void writeLine(std::string_view text) override {
    if (text.size() >= limit_ || text.find('\n') != std::string_view::npos ||
        text.find('\0') != std::string_view::npos) {
      std::abort();
    }
  }
  // A server score goes to the side file as one line that names somebody.
  void serverScore(std::string_view name, int) override {
    if (name.empty() || name.find('\n') != std::string_view::npos) std::abort();
  }

 private:
  std::size_t limit_;
};

// The log's lines as LogInput gives them: line break removed, a line longer than its buffer cut.
template <typename Visit>
void forEachLine(std::string_view log, Visit visit) {
  while (!log.empty()) {
    std::size_t end = log.find('\n');
    std::string_view line = log.substr(0, end);
    log.remove_prefix(end == std::string_view::npos ? log.size() : end + 1);
    if (line.size() > LogInput::kLineBytes - 2) line = line.substr(0, LogInput::kLineBytes - 2);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // A NUL ends the line's text.
    line = line.substr(0, line.find('\0'));
    visit(line);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view log(reinterpret_cast<const char*>(data), size);
  FlagLineGames flagGames;
  forEachLine(log, [&](std::string_view line) { flagGames.scanLine(line); });
  CheckingSink sink(509);
  Converter converter(sink, &flagGames);
  forEachLine(log, [&](std::string_view line) { converter.feed(line); });
  converter.finish();

  ClientMatchPlan plan;
  forEachLine(log, [&](std::string_view line) { plan.scanLine(line); });
  plan.finish();
  CheckingSink clientSink(LogInput::kLineBytes);
  ClientLogConverter client(clientSink, &plan);
  forEachLine(log, [&](std::string_view line) { client.feed(line); });
  return 0;
}
