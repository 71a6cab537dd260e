// Reads the map, the team scores and the player list back out of a main page's markup.
#include "kx-index/page_reader.h"

#include <string.h>

namespace kxindex {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// Markup the main page writes around the figures the index shows.
constexpr std::string_view kStylesheetOpen = "<LINK REL=stylesheet HREF=\"";
constexpr std::string_view kMapOpen = "<b>map : ";
constexpr std::string_view kRedScoreOpen = "<p style=\"font-size: 30pt; color: red\">";
constexpr std::string_view kBlueScoreOpen = "<p style=\"font-size: 30pt; color: blue\">";
constexpr std::string_view kListAnchor = "<A name=\"list-";
constexpr std::string_view kLinkOpen = "<A href=\"";
constexpr std::string_view kNameEnd = "</A></A>";
constexpr std::string_view kFigure = "<div align=center>";
constexpr std::string_view kCellOpen = "<td";
constexpr std::string_view kClassOpen = "CLASS=\"";
// The program appends its marks (left, re-entered, merged, team guessed, blank) to a name in
// this colour; a logged name cannot hold it, as '=' and '#' of a log line become '_'.
constexpr std::string_view kMarkOpen = "<font color=#CC6600>";

// Where `what` first occurs in text[from, limit); kNone when it does not. memmem, as the
// markup is full of the first character of every pattern ('<').
std::size_t findIn(std::string_view text, std::string_view what, std::size_t from, std::size_t limit) {
  if (from > limit || limit > text.size()) return kNone;
  const void* at = ::memmem(text.data() + from, limit - from, what.data(), what.size());
  return at == nullptr ? kNone : static_cast<std::size_t>(static_cast<const char*>(at) - text.data());
}

// Where `what` last occurs in text[from, limit); kNone when it does not.
std::size_t rfindIn(std::string_view text, std::string_view what, std::size_t from, std::size_t limit) {
  if (from > limit || limit > text.size()) return kNone;
  const std::size_t at = text.substr(from, limit - from).rfind(what);
  return at == kNone ? kNone : from + at;
}

// The text between `open` and the next `close` in text[0, limit); empty when either is missing.
std::string_view between(std::string_view text, std::string_view open, std::string_view close,
                         std::size_t from = 0, std::size_t limit = kNone) {
  if (limit > text.size()) limit = text.size();
  const std::size_t b = findIn(text, open, from, limit);
  if (b == kNone) return std::string_view();
  const std::size_t start = b + open.size();
  const std::size_t e = findIn(text, close, start, limit);
  if (e == kNone) return std::string_view();
  return text.substr(start, e - start);
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// Replaces the few entities the pages use by their characters; anything else stays as written.
std::string decodeEntities(std::string_view s) {
  static const struct {
    std::string_view entity;
    std::string_view text;
  } kEntities[] = {{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}};
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    bool done = false;
    if (s[i] == '&') {
      for (const auto& e : kEntities) {
        if (s.compare(i, e.entity.size(), e.entity) == 0) {
          out += e.text;
          i += e.entity.size();
          done = true;
          break;
        }
      }
    }
    if (!done) out += s[i++];
  }
  return out;
}

std::string stripTags(std::string_view s) {
  std::string out;
  bool inTag = false;
  for (char c : s) {
    if (c == '<') {
      inTag = true;
    } else if (c == '>' && inTag) {
      inTag = false;
    } else if (!inTag) {
      out += c;
    }
  }
  return out;
}

// 2001_08_10_12_00_00 -> 2001-08-10 12:00:00
std::string shownDate(const std::string& stamp) {
  std::string d = stamp;
  if (d.size() < 17) return d;
  d[4] = '-';
  d[7] = '-';
  d[10] = ' ';
  d[13] = ':';
  d[16] = ':';
  return d;
}

std::string trim(const std::string& s) {
  const std::size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return std::string();
  const std::size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

// The player's name without the program's marks; the whole shown text when the name is no
// more than a mark (a blank name).
std::string plainName(std::string_view shown) {
  const std::size_t mark = shown.find(kMarkOpen);
  if (mark != kNone) {
    std::string name = textOf(shown.substr(0, mark));
    if (!name.empty()) return name;
  }
  return textOf(shown);
}

// The CLASS of the table cell opened at `td`, read no further than `limit`.
std::string cellClass(std::string_view text, std::size_t td, std::size_t limit) {
  const std::size_t tagEnd = findIn(text, ">", td, limit);
  return std::string(between(text, kClassOpen, "\"", td, tagEnd == kNone ? limit : tagEnd));
}

// Where the name of the list entry whose anchor is at `at` begins, or kNone when the anchor is
// cut or foreign. The anchor's name and the link's target are the player's name, which never
// holds a '"'.
std::size_t nameStartAfter(std::string_view text, std::size_t at, std::size_t limit) {
  const std::size_t anchorEnd = findIn(text, "\">", at + kListAnchor.size(), limit);
  if (anchorEnd == kNone) return kNone;
  std::size_t start = anchorEnd + 2;
  if (startsWith(text.substr(start, limit - start), kLinkOpen)) {
    const std::size_t linkEnd = findIn(text, "\">", start + kLinkOpen.size(), limit);
    if (linkEnd == kNone) return kNone;
    start = linkEnd + 2;
  }
  return start;
}

// Reads the list entry whose anchor is at `at`, no further than `limit` (the next entry's
// anchor); false when it has no readable name.
bool readPlayer(std::string_view text, std::size_t at, std::size_t limit, bool freeForAll, Player* p) {
  const std::size_t start = nameStartAfter(text, at, limit);
  if (start == kNone) return false;
  const std::size_t end = findIn(text, kNameEnd, start, limit);
  if (end == kNone) return false;
  p->name = plainName(text.substr(start, end - start));
  // Team lists show NAME, SCORE, ...; the free-for-all list #, NAME, SKILL, SCORE, ...
  const int scoreColumn = freeForAll ? 1 : 0;
  std::size_t rowEnd = findIn(text, "</tr>", end, limit);
  if (rowEnd == kNone) rowEnd = limit;
  std::size_t f = end;
  for (int column = 0; column <= scoreColumn; ++column) {
    f = findIn(text, kFigure, f, rowEnd);
    if (f == kNone) break;
    f += kFigure.size();
    if (column == scoreColumn) p->score = textOf(between(text, "", "</div>", f, rowEnd));
  }
  return true;
}

// The player rows of the player list: every name anchor "list-..." with the figures after it.
// Each entry is read between its anchor and the next one, so no part of the page is read more
// than a fixed number of times.
void readPlayers(std::string_view text, bool freeForAll, GameRow* row) {
  std::string cls;
  std::size_t previous = 0;
  for (std::size_t at = findIn(text, kListAnchor, 0, text.size()); at != kNone;) {
    const std::size_t next = findIn(text, kListAnchor, at + kListAnchor.size(), text.size());
    const std::size_t limit = next == kNone ? text.size() : next;
    // An entry without a cell of its own since the previous one shares that one's cell.
    const std::size_t td = rfindIn(text, kCellOpen, previous, at);
    if (td != kNone) cls = cellClass(text, td, at);
    Player p;
    if (readPlayer(text, at, limit, freeForAll, &p)) {
      if (!freeForAll && startsWith(cls, "red")) {
        row->red.push_back(p);
      } else if (!freeForAll && startsWith(cls, "blue")) {
        row->blue.push_back(p);
      } else {
        row->others.push_back(p);
      }
    }
    previous = at;
    at = next;
  }
}

}  // namespace

std::string textOf(std::string_view markup) { return trim(decodeEntities(stripTags(markup))); }

std::string stylesheetOf(std::string_view text) { return std::string(between(text, kStylesheetOpen, "\"")); }

GameRow readGamePage(const PageName& page, const std::string& fileName, std::string_view text) {
  GameRow row;
  row.page = page;
  row.mainPage = fileName;
  row.complete = text.rfind("</html>") != kNone;  // at the very end of a whole page
  row.date = shownDate(page.stamp);
  row.type = gameTypeOfLabel(page.label);
  row.stylesheet = stylesheetOf(text);
  row.map = textOf(between(text, kMapOpen, "</b>"));
  row.redScore = textOf(between(text, kRedScoreOpen, "</p>"));
  row.blueScore = textOf(between(text, kBlueScoreOpen, "</p>"));
  readPlayers(text, startsWith(page.label, "FFA_"), &row);
  row.teamGame = !row.red.empty() || !row.blue.empty() || !row.redScore.empty();
  return row;
}

}  // namespace kxindex
