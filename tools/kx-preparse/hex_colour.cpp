// Excessive Plus colour codes "^xRRGGBB" written as the nearest of the game's eight colours.
#include "hex_colour.h"

namespace {

constexpr std::size_t kCodeBytes = 8;  // "^x" and six digits

struct GameColour {
  char digit;
  int red, green, blue;
};
constexpr GameColour kGameColours[] = {
    {'0', 0, 0, 0},     {'1', 255, 0, 0},     {'2', 0, 255, 0},   {'3', 255, 255, 0},
    {'4', 0, 0, 255},   {'5', 0, 255, 255},   {'6', 255, 0, 255}, {'7', 255, 255, 255},
};

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isHexCode(std::string_view text, std::size_t at) {
  if (text.size() - at < kCodeBytes || text[at] != '^' || (text[at + 1] != 'x' && text[at + 1] != 'X')) {
    return false;
  }
  for (std::size_t i = at + 2; i < at + kCodeBytes; ++i) {
    if (hexValue(text[i]) < 0) return false;
  }
  return true;
}

int channel(std::string_view text, std::size_t at) { return hexValue(text[at]) * 16 + hexValue(text[at + 1]); }

char nearestDigit(int red, int green, int blue) {
  char best = '7';
  long bestDistance = -1;
  for (const GameColour& c : kGameColours) {
    const long dr = red - c.red;
    const long dg = green - c.green;
    const long db = blue - c.blue;
    const long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = c.digit;
    }
  }
  return best;
}

}  // namespace

bool hasHexColour(std::string_view text) {
  for (std::size_t at = text.find('^'); at != std::string_view::npos; at = text.find('^', at + 1)) {
    if (isHexCode(text, at)) return true;
  }
  return false;
}

std::string_view toGameColours(std::string_view text, char* out, std::size_t room) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size() && n < room; ++i) {
    if (isHexCode(text, i)) {
      if (room - n < 2) break;
      out[n++] = '^';
      out[n++] = nearestDigit(channel(text, i + 2), channel(text, i + 4), channel(text, i + 6));
      i += kCodeBytes - 1;
      continue;
    }
    out[n++] = text[i];
  }
  return {out, n};
}
