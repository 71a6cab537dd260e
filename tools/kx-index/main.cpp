// Entry point of kx-index, which writes html/index.html listing the games whose pages are in html/.
#include <cstdio>
#include <string>
#include <vector>

#include "kx-index/games_index.h"

namespace {

constexpr const char kUsage[] =
    "usage: kx-index [html-directory]\n"
    "Writes index.html into the directory (default: html) listing every game page there, newest first.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 || (argc == 2 && (std::string(argv[1]) == "-h" || std::string(argv[1]) == "--help"))) {
    std::fputs(kUsage, argc > 2 ? stderr : stdout);
    return argc > 2 ? 2 : 0;
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
