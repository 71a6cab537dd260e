// Line reading (placeholder until the reader lands).
#include "run/line_reader.h"
LineReader::~LineReader() { close(); }
bool LineReader::open(const char*) { return false; }
void LineReader::close() {}
bool LineReader::readLine(char*) { return false; }
bool LineReader::refill() { return false; }
