// Fuzz target: name rendering (colour codes, escaping, the program's marks) as text and as an
// attribute, checked to add no markup of its own.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "out/escape.h"
#include "out/page_buffer.h"
#include "out/writer.h"

namespace {

constexpr std::string_view kAllowedTags[] = {
    "<font color=#555555>", "<font color=#FF0000>", "<font color=#00FF00>", "<font color=#FFFF00>",
    "<font color=#4444FF>", "<font color=#00FFFF>", "<font color=#FF00FF>", "<font color=#FFFFFF>",
    "<font color=#CC6600>", "<font size=\"0\">",    "</font>"};

// Every '<' starts one of the writer's own tags and every '>' ends one.
void checkMarkup(std::string_view html) {
  std::size_t i = 0;
  while (i < html.size()) {
    if (html[i] == '>') std::abort();
    if (html[i] != '<') {
      ++i;
      continue;
    }
    std::size_t len = 0;
    for (std::string_view tag : kAllowedTags) {
      if (html.substr(i, tag.size()) == tag) len = tag.size();
    }
    if (len == 0) std::abort();
    i += len;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view name(reinterpret_cast<const char*>(data + 1), size - 1);
  static PageBuffer page;
  page.clear();
  PageOptions options;
  options.nameColors = (data[0] & 1) == 0;
  const PageNames names;
  PageWriter w(page, options, names, SiteFiles{});
  w.name(name);
  checkMarkup(page.view());

  page.clear();
  appendNameAttribute(page, name);
  if (page.view().find('"') != std::string_view::npos) std::abort();
  page.clear();
  appendLogUrlPiece(page, name);
  for (char c : page.view()) {
    if (c == ' ' || c == '"' || c == '\'' || c == '<' || c == '>' || c == '=') std::abort();
  }
  return 0;
}
