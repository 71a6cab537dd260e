// Writes the games index page's markup from the rows read out of the game pages.
#include "kx-index/index_page.h"

#include <vector>

namespace kxindex {

namespace {

const char* const kColumnHeads[] = {"GAME TYPE", "MAP", "TEAMS / PLAYERS", "SCORE", "PAGES"};
// Both say the run's time stamp: when the game was processed, not when it was played.
constexpr const char kDateHead[] = "DATE";
constexpr const char kProcessedHead[] = "PROCESSED";

void appendEscaped(const std::string& s, std::string* out) {
  for (char c : s) {
    switch (c) {
      case '&': *out += "&amp;"; break;
      case '<': *out += "&lt;"; break;
      case '>': *out += "&gt;"; break;
      case '"': *out += "&quot;"; break;
      default: *out += c;
    }
  }
}

void appendPlayers(const std::vector<Player>& players, bool withScores, std::string* out) {
  bool first = true;
  for (const Player& p : players) {
    if (!first) *out += ", ";
    first = false;
    appendEscaped(p.name, out);
    if (withScores && !p.score.empty()) {
      *out += " (";
      appendEscaped(p.score, out);
      *out += ")";
    }
  }
}

void openCell(const char* cls, std::string* out) {
  *out += "<td CLASS=\"";
  *out += cls;
  *out += "\">";
}

}  // namespace

void appendIndexHead(const std::string& stylesheet, bool fromRecords, std::string* out) {
  *out += "<html>\n<head><title>recent games</title>\n<LINK REL=stylesheet HREF=\"";
  appendEscaped(stylesheet, out);
  *out += "\" TYPE=\"text/css\">\n";
  *out += "</head>\n<body>\n<center>\n";
  *out += "<table BORDER=0 CELLSPACING=1 CELLPADDING=3 WIDTH=100% CLASS=\"neutralHighlight gamesIndex\">\n";
  *out += "<tr><td COLSPAN=6 CLASS=\"neutralHighlight\"><div align=center><b>RECENT GAMES</b></div></td></tr>\n";
  *out += "<tr>\n<td CLASS=\"neutralHighlight\"><b>";
  *out += fromRecords ? kProcessedHead : kDateHead;
  *out += "</b></td>";
  for (const char* head : kColumnHeads) {
    *out += "<td CLASS=\"neutralHighlight\"><b>";
    *out += head;
    *out += "</b></td>";
  }
  *out += "\n</tr>\n";
}

void appendIndexRow(const GameRow& r, int number, std::string* out) {
  const bool team = r.teamGame;
  const char* cls = number % 2 ? "neutral" : "neutralLowlight";
  *out += "<tr>\n";
  openCell(cls, out);
  appendEscaped(r.date, out);
  *out += "</td>\n";
  openCell(cls, out);
  appendEscaped(r.type, out);
  *out += "</td>\n";
  openCell(cls, out);
  if (r.map.empty()) {
    *out += "?";
  } else {
    appendEscaped(r.map, out);
  }
  *out += "</td>\n";
  openCell(cls, out);
  if (team) {
    *out += "<span CLASS=\"indexRed\">";
    appendPlayers(r.red, false, out);
    *out += "</span> vs <span CLASS=\"indexBlue\">";
    appendPlayers(r.blue, false, out);
    *out += "</span>";
    if (!r.others.empty()) {
      *out += "; also ";
      appendPlayers(r.others, false, out);
    }
  } else {
    appendPlayers(r.others, true, out);
  }
  *out += "</td>\n";
  openCell(cls, out);
  *out += "<div align=center>";
  if (team) {
    if (r.redScore.empty()) {
      *out += "?";
    } else {
      appendEscaped(r.redScore, out);
    }
    *out += " : ";
    if (r.blueScore.empty()) {
      *out += "?";
    } else {
      appendEscaped(r.blueScore, out);
    }
  } else if (!r.winners.empty()) {
    appendPlayers(r.winners, true, out);
  } else if (!r.others.empty() && !r.others.front().score.empty()) {
    appendEscaped(r.others.front().score, out);
  } else {
    *out += "?";
  }
  *out += "</div></td>\n";
  openCell(cls, out);
  *out += "<a href=\"";
  appendEscaped(r.mainPage, out);
  *out += "\">game</a>";
  if (!r.weaponPage.empty()) {
    *out += " &middot; <a href=\"";
    appendEscaped(r.weaponPage, out);
    *out += "\">weapons</a>";
  }
  if (!r.complete) *out += " <i>(page incomplete)</i>";
  *out += "</td>\n</tr>\n";
}

void appendIndexEnd(bool noGames, std::string* out) {
  if (noGames) {
    *out += "<tr><td COLSPAN=6 CLASS=\"neutral\"><div align=center>no games yet</div></td></tr>\n";
  }
  *out += "</table>\n</center>\n</body>\n</html>\n";
}

}  // namespace kxindex
