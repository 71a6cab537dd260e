// Log text on a page: escaping of names, chat quotes and map names, with the program's own marks kept.
#include "out/escape.h"

#include "out/page_buffer.h"

namespace {

// The marks the program appends to a player's rawName (match_info.cpp, reconcile.cpp) all have
// this frame; between its two tags comes one of kMarkBodies, or "&nbsp;" and a re-entry count.
constexpr std::string_view kMarkOpen = "<font color=#CC6600>";
constexpr std::string_view kMarkClose = "</font>";
constexpr std::string_view kMarkBodies[] = {" / ", "&nbsp;x", "&nbsp;+", "~", "_"};
constexpr std::string_view kCountedMarkStart = "&nbsp;";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isMarkBody(std::string_view body) {
  for (std::string_view known : kMarkBodies) {
    if (body == known) return true;
  }
  if (body.substr(0, kCountedMarkStart.size()) != kCountedMarkStart) return false;
  const std::string_view count = body.substr(kCountedMarkStart.size());
  if (count.empty()) return false;
  for (char c : count) {
    if (!isDigit(c)) return false;
  }
  return true;
}

// Length of the whole mark starting at text[0], or 0 when no mark starts there.
std::size_t markLength(std::string_view text) {
  if (text.substr(0, kMarkOpen.size()) != kMarkOpen) return 0;
  const std::size_t bodyStart = kMarkOpen.size();
  const std::size_t close = text.find(kMarkClose, bodyStart);
  if (close == std::string_view::npos) return 0;
  if (!isMarkBody(text.substr(bodyStart, close - bodyStart))) return 0;
  return close + kMarkClose.size();
}

// Copies `text` with '<', '>' and, in an attribute, '"' replaced; plain runs are copied whole.
void appendEscaped(PageBuffer& out, std::string_view text, bool keepMarks, bool inAttribute) {
  std::size_t runStart = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    const char* entity = nullptr;
    if (c == '<') {
      const std::size_t mark = keepMarks ? markLength(text.substr(i)) : 0;
      if (mark > 0) {
        i += mark;  // the mark stays in the plain run
        continue;
      }
      entity = "&lt;";
    } else if (c == '>') {
      entity = "&gt;";
    } else if (c == '"' && inAttribute) {
      entity = "&quot;";
    }
    if (entity == nullptr) {
      ++i;
      continue;
    }
    out.append(text.substr(runStart, i - runStart));
    out.append(entity);
    ++i;
    runStart = i;
  }
  out.append(text.substr(runStart));
}

bool isUrlSafe(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || isDigit(c) || c == '.' || c == '_' ||
         c == '-';
}

}  // namespace

void appendLogText(PageBuffer& out, std::string_view text) {
  appendEscaped(out, text, false, false);
}

void appendNameText(PageBuffer& out, std::string_view rawName) {
  appendEscaped(out, rawName, true, false);
}

void appendNameAttribute(PageBuffer& out, std::string_view rawName) {
  appendEscaped(out, rawName, true, true);
}

void appendLogUrlPiece(PageBuffer& out, std::string_view text) {
  constexpr char kHex[] = "0123456789ABCDEF";
  for (char c : text) {
    if (isUrlSafe(c)) {
      out.appendChar(c);
      continue;
    }
    const unsigned char byte = static_cast<unsigned char>(c);
    out.appendChar('%');
    out.appendChar(kHex[byte >> 4]);
    out.appendChar(kHex[byte & 0xF]);
  }
}

