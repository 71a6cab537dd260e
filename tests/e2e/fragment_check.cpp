// Checks that the fragments of a fragments file occur in a page, in their order.
// A fragments file holds fragments separated by lines that are exactly "@@@@"; the line end
// before a separator belongs to the separator, so a fragment may or may not end in a newline.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string slurp(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> splitFragments(const std::string& text) {
  std::vector<std::string> fragments;
  const std::string separator = "\n@@@@\n";
  std::size_t start = 0;
  while (true) {
    const std::size_t at = text.find(separator, start);
    if (at == std::string::npos) {
      std::string last = text.substr(start);
      if (!last.empty() && last.back() == '\n') last.pop_back();
      if (!last.empty()) fragments.push_back(last);
      return fragments;
    }
    fragments.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: fragment-check <fragments-file> <file>\n";
    return 2;
  }
  const std::string page = slurp(argv[2]);
  std::size_t from = 0;
  int index = 0;
  for (const std::string& fragment : splitFragments(slurp(argv[1]))) {
    ++index;
    const std::size_t at = page.find(fragment, from);
    if (at == std::string::npos) {
      const bool anywhere = page.find(fragment) != std::string::npos;
      std::cout << "fragment " << index << (anywhere ? " is out of order" : " is missing")
                << " in " << argv[2] << ":\n" << fragment << "\n";
      return 1;
    }
    from = at + fragment.size();
  }
  return 0;
}
