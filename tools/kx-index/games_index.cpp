// Reads the statistics pages back into index rows and writes html/index.html from them.
#include "kx-index/games_index.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace kxindex {

namespace {

constexpr const char kStemStart[] = "kalimostats_";
constexpr const char kMainSuffix[] = "_main.";
constexpr const char kWeaponSuffix[] = "_wpn.";
constexpr const char kIndexName[] = "index.html";
constexpr const char kDefaultStylesheet[] = "c-kalimo.css";
constexpr std::size_t kStampLength = 19;  // YYYY_MM_DD_HH_MM_SS

struct GameType {
  const char* prefix;
  const char* shown;
};

const GameType kGameTypes[] = {
    {"FFA_", "free for all"},
    {"TDM_", "team deathmatch"},
    {"CTF_", "capture the flag"},
    {"CA_", "Clan Arena"},
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The only characters the program leaves in a page name.
bool nameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || isDigit(c) || c == '.' || c == '_';
}

bool startsWith(const std::string& s, const char* prefix) {
  return s.compare(0, std::strlen(prefix), prefix) == 0;
}

bool stampShape(const std::string& s) {
  if (s.size() != kStampLength) return false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const bool underscore = i == 4 || i == 7 || i == 10 || i == 13 || i == 16;
    if (underscore ? s[i] != '_' : !isDigit(s[i])) return false;
  }
  return true;
}

// Replaces the few entities the pages use by their characters; anything else stays as written.
std::string decodeEntities(const std::string& s) {
  static const struct {
    const char* entity;
    const char* text;
  } kEntities[] = {{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}};
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    bool done = false;
    if (s[i] == '&') {
      for (const auto& e : kEntities) {
        const std::size_t n = std::strlen(e.entity);
        if (s.compare(i, n, e.entity) == 0) {
          out += e.text;
          i += n;
          done = true;
          break;
        }
      }
    }
    if (!done) out += s[i++];
  }
  return out;
}

std::string stripTags(const std::string& s) {
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

std::string trim(const std::string& s) {
  const std::size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return std::string();
  const std::size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

// Visible text of a piece of markup.
std::string textOf(const std::string& markup) { return trim(decodeEntities(stripTags(markup))); }

std::string escapeHtml(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// The text between `open` and the next `close` at or after `from`; empty when either is missing.
std::string between(const std::string& text, const std::string& open, const std::string& close,
                    std::size_t from = 0) {
  const std::size_t b = text.find(open, from);
  if (b == std::string::npos) return std::string();
  const std::size_t start = b + open.size();
  const std::size_t e = text.find(close, start);
  if (e == std::string::npos) return std::string();
  return text.substr(start, e - start);
}

// The CLASS of the table cell that holds position `pos`.
std::string cellClassAt(const std::string& text, std::size_t pos) {
  const std::size_t td = text.rfind("<td", pos);
  if (td == std::string::npos) return std::string();
  return between(text, "CLASS=\"", "\"", td);
}

// The player rows of the player list: every name anchor "list-..." with the figures after it.
void readPlayers(const std::string& text, bool freeForAll, GameRow* row) {
  static const std::string kAnchor = "<A name=\"list-";
  static const std::string kNameEnd = "</A></A>";
  static const std::string kFigure = "<div align=center>";
  for (std::size_t at = text.find(kAnchor); at != std::string::npos;
       at = text.find(kAnchor, at + kAnchor.size())) {
    const std::size_t nameStart = text.find('>', at);
    const std::size_t nameEnd = text.find(kNameEnd, at);
    if (nameStart == std::string::npos || nameEnd == std::string::npos) break;
    if (nameStart > nameEnd) continue;  // a cut or foreign anchor: no name to read
    Player p;
    p.name = textOf(text.substr(nameStart + 1, nameEnd - nameStart - 1));
    // Team lists show NAME, SCORE, ...; the free-for-all list #, NAME, SKILL, SCORE, ...
    const int scoreColumn = freeForAll ? 1 : 0;
    const std::size_t rowEnd = text.find("</tr>", nameEnd);
    std::size_t f = nameEnd;
    for (int column = 0; column <= scoreColumn; ++column) {
      f = text.find(kFigure, f);
      if (f == std::string::npos || f > rowEnd) break;
      f += kFigure.size();
      if (column == scoreColumn) p.score = textOf(between(text, "", "</div>", f));
    }
    const std::string cls = cellClassAt(text, at);
    if (!freeForAll && startsWith(cls, "red")) {
      row->red.push_back(p);
    } else if (!freeForAll && startsWith(cls, "blue")) {
      row->blue.push_back(p);
    } else {
      row->others.push_back(p);
    }
  }
}

std::string joinPlayers(const std::vector<Player>& players, bool withScores) {
  std::string out;
  for (const Player& p : players) {
    if (!out.empty()) out += ", ";
    out += escapeHtml(p.name);
    if (withScores && !p.score.empty()) out += " (" + escapeHtml(p.score) + ")";
  }
  return out;
}

std::string shownDate(const std::string& stamp) {
  // 2001_08_10_12_00_00 -> 2001-08-10 12:00:00
  std::string d = stamp;
  d[4] = '-';
  d[7] = '-';
  d[10] = ' ';
  d[13] = ':';
  d[16] = ':';
  return d;
}

void renderRow(const GameRow& r, int number, std::ostringstream& out) {
  const bool team = !r.red.empty() || !r.blue.empty() || !r.redScore.empty();
  const char* cls = number % 2 ? "neutral" : "neutralLowlight";
  out << "<tr>\n";
  out << "<td CLASS=\"" << cls << "\">" << shownDate(r.page.stamp) << "</td>\n";
  out << "<td CLASS=\"" << cls << "\">" << escapeHtml(gameTypeOf(r.page.label)) << "</td>\n";
  out << "<td CLASS=\"" << cls << "\">" << (r.map.empty() ? "?" : escapeHtml(r.map)) << "</td>\n";
  out << "<td CLASS=\"" << cls << "\">";
  if (team) {
    out << "<span CLASS=\"indexRed\">" << joinPlayers(r.red, false) << "</span> vs <span CLASS=\"indexBlue\">"
        << joinPlayers(r.blue, false) << "</span>";
    if (!r.others.empty()) out << "; also " << joinPlayers(r.others, false);
  } else {
    out << joinPlayers(r.others, true);
  }
  out << "</td>\n";
  out << "<td CLASS=\"" << cls << "\"><div align=center>";
  if (team) {
    out << (r.redScore.empty() ? "?" : escapeHtml(r.redScore)) << " : "
        << (r.blueScore.empty() ? "?" : escapeHtml(r.blueScore));
  } else if (!r.others.empty() && !r.others.front().score.empty()) {
    out << escapeHtml(r.others.front().score);
  } else {
    out << "?";
  }
  out << "</div></td>\n";
  out << "<td CLASS=\"" << cls << "\"><a href=\"" << escapeHtml(r.mainPage) << "\">game</a>";
  if (!r.weaponPage.empty()) out << " &middot; <a href=\"" << escapeHtml(r.weaponPage) << "\">weapons</a>";
  if (!r.complete) out << " <i>(page incomplete)</i>";
  out << "</td>\n</tr>\n";
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool readFile(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buf;
  buf << in.rdbuf();
  *text = buf.str();
  return !in.bad();
}

bool newerFirst(const GameRow& a, const GameRow& b) {
  if (a.page.stamp != b.page.stamp) return a.page.stamp > b.page.stamp;
  if (a.page.gameId != b.page.gameId) return a.page.gameId > b.page.gameId;
  return a.mainPage > b.mainPage;
}

}  // namespace

bool parsePageName(const std::string& fileName, PageName* out) {
  for (char c : fileName) {
    if (!nameChar(c)) return false;
  }
  if (!startsWith(fileName, kStemStart)) return false;
  const std::size_t main = fileName.rfind(kMainSuffix);
  if (main == std::string::npos) return false;
  const std::size_t stampAt = std::strlen(kStemStart);
  if (fileName.size() < stampAt + kStampLength + 1) return false;
  PageName p;
  p.stamp = fileName.substr(stampAt, kStampLength);
  if (!stampShape(p.stamp) || fileName[stampAt + kStampLength] != '_') return false;
  const std::size_t idAt = stampAt + kStampLength + 1;
  std::size_t idEnd = idAt;
  while (idEnd < fileName.size() && isDigit(fileName[idEnd])) ++idEnd;
  if (idEnd == idAt || idEnd - idAt > 9 || idEnd >= main || fileName[idEnd] != '_') return false;
  p.gameId = std::stol(fileName.substr(idAt, idEnd - idAt));
  p.label = fileName.substr(idEnd + 1, main - idEnd - 1);
  p.ext = fileName.substr(main + std::strlen(kMainSuffix));
  if (p.ext.empty() || p.ext.find('.') != std::string::npos) return false;
  *out = p;
  return true;
}

std::string weaponPageOf(const std::string& mainFileName) {
  const std::size_t main = mainFileName.rfind(kMainSuffix);
  if (main == std::string::npos) return std::string();
  return mainFileName.substr(0, main) + kWeaponSuffix + mainFileName.substr(main + std::strlen(kMainSuffix));
}

std::string gameTypeOf(const std::string& label) {
  for (const GameType& t : kGameTypes) {
    if (startsWith(label, t.prefix)) return t.shown;
  }
  return "unknown";
}

GameRow readGamePage(const PageName& page, const std::string& fileName, const std::string& text) {
  GameRow row;
  row.page = page;
  row.mainPage = fileName;
  row.complete = text.find("</html>") != std::string::npos;
  row.stylesheet = between(text, "<LINK REL=stylesheet HREF=\"", "\"");
  row.map = textOf(between(text, "<b>map : ", "</b>"));
  row.redScore = textOf(between(text, "<p style=\"font-size: 30pt; color: red\">", "</p>"));
  row.blueScore = textOf(between(text, "<p style=\"font-size: 30pt; color: blue\">", "</p>"));
  readPlayers(text, startsWith(page.label, "FFA_"), &row);
  return row;
}

std::string renderIndex(const std::vector<GameRow>& rows, const std::string& stylesheet) {
  std::ostringstream out;
  out << "<html>\n<head><title>recent games</title>\n";
  out << "<LINK REL=stylesheet HREF=\"" << escapeHtml(stylesheet) << "\" TYPE=\"text/css\">\n";
  out << "</head>\n<body>\n<center>\n";
  out << "<table BORDER=0 CELLSPACING=1 CELLPADDING=3 WIDTH=100% CLASS=\"neutralHighlight gamesIndex\">\n";
  out << "<tr><td COLSPAN=6 CLASS=\"neutralHighlight\"><div align=center><b>RECENT GAMES</b></div></td></tr>\n";
  out << "<tr>\n";
  for (const char* head : {"DATE", "GAME TYPE", "MAP", "TEAMS / PLAYERS", "SCORE", "PAGES"}) {
    out << "<td CLASS=\"neutralHighlight\"><b>" << head << "</b></td>";
  }
  out << "\n</tr>\n";
  if (rows.empty()) {
    out << "<tr><td COLSPAN=6 CLASS=\"neutral\"><div align=center>no games yet</div></td></tr>\n";
  }
  int number = 1;
  for (const GameRow& r : rows) renderRow(r, number++, out);
  out << "</table>\n</center>\n</body>\n</html>\n";
  return out.str();
}

bool writeIndex(const std::string& htmlDir, int* gamesListed, std::vector<std::string>* notes,
                std::string* err) {
  DIR* dir = ::opendir(htmlDir.c_str());
  if (dir == nullptr) {
    *err = "cannot read the directory \"" + htmlDir + "\": " + std::strerror(errno);
    return false;
  }
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
  ::closedir(dir);

  std::vector<GameRow> rows;
  for (const std::string& name : names) {
    PageName page;
    if (!parsePageName(name, &page)) {
      if (startsWith(name, kStemStart) && name.find(kMainSuffix) != std::string::npos) {
        notes->push_back(name + ": not a page name kalimostats writes, left out");
      }
      continue;
    }
    const std::string path = htmlDir + "/" + name;
    if (!fileExists(path)) {
      notes->push_back(name + ": not a regular file, left out");
      continue;
    }
    std::string text;
    if (!readFile(path, &text)) {
      notes->push_back(name + ": cannot be read, listed without its details");
    }
    GameRow row = readGamePage(page, name, text);
    if (!row.complete) notes->push_back(name + ": page is incomplete, listed as far as it goes");
    const std::string weapons = weaponPageOf(name);
    if (fileExists(htmlDir + "/" + weapons)) row.weaponPage = weapons;
    rows.push_back(row);
  }
  std::sort(rows.begin(), rows.end(), newerFirst);

  std::string stylesheet = kDefaultStylesheet;
  for (const GameRow& r : rows) {
    if (!r.stylesheet.empty()) {
      stylesheet = r.stylesheet;
      break;
    }
  }
  const std::string html = renderIndex(rows, stylesheet);

  // A reader sees the old index or the new one, never half of one.
  const std::string finalPath = htmlDir + "/" + kIndexName;
  const std::string tempPath = htmlDir + "/." + kIndexName + ".tmp-" + std::to_string(::getpid());
  std::FILE* f = std::fopen(tempPath.c_str(), "wb");
  if (f == nullptr) {
    *err = "cannot write \"" + tempPath + "\": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(html.data(), 1, html.size(), f) == html.size();
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    *err = "cannot write \"" + tempPath + "\": " + std::strerror(errno);
    std::remove(tempPath.c_str());
    return false;
  }
  if (std::rename(tempPath.c_str(), finalPath.c_str()) != 0) {
    *err = "cannot rename \"" + tempPath + "\" to \"" + finalPath + "\": " + std::strerror(errno);
    std::remove(tempPath.c_str());
    return false;
  }
  *gamesListed = static_cast<int>(rows.size());
  return true;
}

}  // namespace kxindex
