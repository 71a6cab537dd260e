// The program's console text: every stage writes it here, and the run decides where it goes.
#pragma once

#include <cstddef>
#include <string_view>

// Where console text goes once the run takes it over (the output queue, which writes it in
// order with the pages). Until then, and after, it goes to standard output.
class ConsoleSink {
 public:
  virtual ~ConsoleSink() = default;
  virtual void write(const char* bytes, std::size_t size) = 0;
};

// Writes `text` as it is: log text (names, map names) never passes through a format.
void consoleWrite(std::string_view text);
// Writes one of the program's own templates with its values; `format` is always a literal.
void consolef(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Makes `sink` receive the console text from now on (nullptr: standard output again). The run
// sets it before a second thread writes and clears it after that thread is gone.
void setConsoleSink(ConsoleSink* sink);
// Writes what standard output holds buffered; false when it could not be written.
bool flushConsole();
