// Checks that the fragments of a fragments file occur in a page, in their order.
// A fragments file holds fragments separated by lines that are exactly "@@@@"; the line end
// before a separator belongs to the separator, so a fragment may or may not end in a newline.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

static std::string slurp(const char* path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: fragment-check <fragments-file> <file>\n";
    return 2;
  }
  const std::string page = slurp(argv[2]);
  const std::string fragments = slurp(argv[1]);
  const std::string separator = "\n@@@@\n";
  std::size_t from = 0;
  for (std::size_t start = 0, index = 1; start < fragments.size(); ++index) {
    std::size_t end = fragments.find(separator, start);
    std::string fragment = fragments.substr(start, end == std::string::npos ? end : end - start);
    start = end == std::string::npos ? fragments.size() : end + separator.size();
    if (end == std::string::npos && !fragment.empty() && fragment.back() == '\n') fragment.pop_back();
    if (end == std::string::npos && fragment.empty()) break;
    const std::size_t at = page.find(fragment, from);
    if (at == std::string::npos) {
      const bool anywhere = page.find(fragment) != std::string::npos;
      std::cout << "fragment " << index << (anywhere ? " is out of order" : " is missing") << " in " << argv[2]
                << ":\n" << fragment << "\n";
      return 1;
    }
    from = at + fragment.size();
  }
  return 0;
}
