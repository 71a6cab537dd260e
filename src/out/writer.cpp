// Page writer: templates, escaped log text, and player names with their colour codes rendered.
#include "out/writer.h"

#include <cstdarg>

#include "out/escape.h"

namespace {

// Quake III colour index 0..7 to its HTML colour.
constexpr const char* kNameColors[8] = {"#555555", "#FF0000", "#00FF00", "#FFFF00",
                                         "#4444FF", "#00FFFF", "#FF00FF", "#FFFFFF"};

}  // namespace

void PageWriter::wr(const char* format, ...) {
  va_list args;
  va_start(args, format);
  out_.format(format, args);
  va_end(args);
}

void PageWriter::logText(std::string_view text) { appendLogText(out_, text); }
void PageWriter::nameText(std::string_view rawName) { appendNameText(out_, rawName); }
void PageWriter::nameAttribute(std::string_view rawName) { appendNameAttribute(out_, rawName); }
void PageWriter::logUrlPiece(std::string_view text) { appendLogUrlPiece(out_, text); }

void PageWriter::name(std::string_view rawName) {
  const bool colors = options_.nameColors;
  wr(colors ? "<font color=#FFFFFF>" : "<font size=\"0\">");

  // Plain characters are gathered into runs and written as literal bytes.
  std::size_t runStart = 0;
  std::size_t i = 0;
  const std::size_t len = rawName.size();
  while (i + 1 < len) {
    if (rawName[i] == '^' && rawName[i + 1] != '^') {
      nameText(rawName.substr(runStart, i - runStart));
      if (colors) {
        text("</font>");
        // Signed remainder on purpose: bytes 128..255 give negative indices, which select no
        // colour, except those that are a multiple of 8 (colour 0).
        const int index = static_cast<signed char>(rawName[i + 1]) % 8;
        if (index >= 0) wr("<font color=%s>", kNameColors[index]);
      }
      i += 2;
      runStart = i;
    } else {
      ++i;
    }
  }
  // The last character is written unless a colour code consumed it.
  nameText(rawName.substr(runStart, len > runStart ? len - runStart : 0));
  text("</font>");
}
