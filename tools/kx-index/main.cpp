// Entry point of kx-index, which writes html/index.html listing the games whose pages are in html/.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "kx-index/games_index.h"

namespace {

constexpr const char kUsage[] =
    "usage: kx-index [html-directory]\n"
    "Writes index.html into the directory (default: html) listing every game page there, newest first.\n";
constexpr const char kHelp[] =
    "usage: kx-index [html-directory]\n"
    "       kx-index --help | -h | --version\n"
    "Writes index.html into the directory (default: html) listing every game page there, newest first.\n"
    "Exit status: 0 when the index is written, 1 when it cannot be, 2 for a wrong command line.\n";
// Released together with kalimostats-c, under its version number.
constexpr const char kVersionLine[] = "kx-index (kalimo stats) 1.0\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::fputs(kVersionLine, stdout);
    return 0;
  }
  const std::string dir = argc == 2 ? argv[1] : "html";
  int listed = 0;
  std::vector<std::string> notes;
  std::string err;
  const bool ok = kxindex::writeIndex(dir, &listed, &notes, &err);
  for (const std::string& note : notes) std::fprintf(stderr, "kx-index: %s\n", note.c_str());
  if (!ok) {
    std::fprintf(stderr, "kx-index: %s\n", err.c_str());
    return 1;
  }
  if (listed == 0) {
    std::printf("%s/index.html written: no game pages found, the index says \"no games yet\"\n", dir.c_str());
  } else {
    std::printf("%s/index.html written: %d game%s\n", dir.c_str(), listed, listed == 1 ? "" : "s");
  }
  return 0;
}
