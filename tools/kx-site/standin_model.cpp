// TEMPORARY STAND-IN, to be deleted when the branch with the real site model is merged: crude
// versions of glicko2.h, rated_game.h, identity.h and site_pages.h so the archive and the
// update can be built and run meanwhile. Ratings here never move and the pages are bare
// lists: nothing they show is a real figure.
#include <cctype>
#include <string>

#include "kx-site/glicko2.h"
#include "kx-site/identity.h"
#include "kx-site/rated_game.h"
#include "kx-site/site_pages.h"

namespace kxsite {

Glicko ratePeriod(const Glicko& before, const std::vector<GlickoResult>&, double) { return before; }

std::optional<UnratedReason> unratedReason(const RatingInput& game) {
  if (game.players.size() < 2) return UnratedReason::kFewerThanTwoPlayers;
  long long kills = 0;
  for (const auto& p : game.players) kills += p.kills;
  if (kills == 0) return UnratedReason::kNoKill;
  return std::nullopt;
}

void rateGame(const RatingInput& game, std::map<std::string, Glicko>* ratings) {
  if (unratedReason(game)) return;
  for (const auto& p : game.players) ratings->emplace(p.key, Glicko{});
}

std::string playerKey(std::string_view loggedName) {
  std::string out;
  for (size_t i = 0; i < loggedName.size(); ++i) {
    if (loggedName[i] == '^' && i + 1 < loggedName.size()) { ++i; continue; }
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(loggedName[i])));
  }
  return out;
}

std::string playerPageName(std::string_view key) {
  std::string out = "player_";
  static const char kHex[] = "0123456789abcdef";
  for (unsigned char c : key) {
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      out += static_cast<char>(c);
    } else {
      out += '-';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out + ".html";
}

bool Aliases::parse(std::string_view text, std::string*) {
  mainOf_.clear();
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    const size_t eq = line.find('=');
    if (line.empty() || line[0] == '#' || eq == std::string_view::npos) continue;
    auto trim = [](std::string_view s) {
      while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
      while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.remove_suffix(1);
      return s;
    };
    const std::string mainKey = playerKey(trim(line.substr(0, eq)));
    std::string_view rest = line.substr(eq + 1);
    while (!rest.empty()) {
      size_t comma = rest.find(',');
      if (comma == std::string_view::npos) comma = rest.size();
      const std::string other = playerKey(trim(rest.substr(0, comma)));
      if (!other.empty()) mainOf_[other] = mainKey;
      rest.remove_prefix(comma == rest.size() ? comma : comma + 1);
    }
  }
  return true;
}

std::string Aliases::resolve(const std::string& key) const {
  auto it = mainOf_.find(key);
  return it == mainOf_.end() ? key : it->second;
}

namespace {
const char* const kTypeCodes[] = {"ffa", "tdm", "ctf", "ca"};
std::string text(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '<') out += "&lt;"; else if (c == '>') out += "&gt;"; else if (c == '&') out += "&amp;"; else out += c;
  }
  return out;
}
std::string link(const PlayerRef& p) { return "<a href=\"" + p.page + "\">" + text(p.name) + "</a>"; }
std::string head(const std::string& title) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title +
         "</title><link rel=\"stylesheet\" href=\"c-kalimo.css\"></head><body><p>STAND-IN PAGE</p>\n";
}
}  // namespace

std::string indexPageName(int page) { return page == 1 ? "index.html" : "index_" + std::to_string(page) + ".html"; }
std::string rankingPageName(GameType type) { return std::string("ranking_") + kTypeCodes[static_cast<int>(type)] + ".html"; }

std::string indexPage(const std::vector<GameSummary>& games, int page, int pageCount) {
  std::string out = head("index");
  for (int p = 1; p <= pageCount; ++p) if (p != page) out += "<a href=\"" + indexPageName(p) + "\">" + std::to_string(p) + "</a>\n";
  for (int t = 0; t < kGameTypeCount; ++t) out += "<a href=\"" + rankingPageName(static_cast<GameType>(t)) + "\">r</a>\n";
  out += "<a href=\"unrated.html\">unrated</a>\n";
  for (const GameSummary& g : games) {
    out += "<p>" + g.processed + " " + kTypeCodes[static_cast<int>(g.type)] + " " + text(g.map) +
           " <a href=\"" + g.mainPage + "\">game</a>";
    for (const auto* side : {&g.red, &g.blue, &g.others}) for (const PlayerRef& p : *side) out += " " + link(p);
    out += "</p>\n";
  }
  return out + "</body></html>\n";
}

std::string playerPage(const PlayerProfile& p) {
  std::string out = head(text(p.player.name));
  out += "<p>games " + std::to_string(p.games) + " wins " + std::to_string(p.wins) + " losses " +
         std::to_string(p.losses) + " draws " + std::to_string(p.draws) + " kills " + std::to_string(p.kills) +
         " deaths " + std::to_string(p.deaths) + " suicides " + std::to_string(p.suicides) + " captures " +
         std::to_string(p.captures) + "</p>\n";
  for (const PlayerGame& g : p.recent) out += "<p><a href=\"" + g.game.mainPage + "\">game</a></p>\n";
  for (const OpponentFigures& o : p.opponents) out += "<p>" + link(o.opponent) + "</p>\n";
  for (const Rating& r : p.ratings) out += ratingPlot(r.history);
  return out + "<a href=\"index.html\">index</a></body></html>\n";
}

std::string rankingPage(GameType, const std::vector<RankingRow>& rows) {
  std::string out = head("ranking");
  for (const RankingRow& r : rows) out += "<p>" + link(r.player) + "</p>\n";
  return out + "<a href=\"index.html\">index</a></body></html>\n";
}

std::string unratedPage(const std::vector<UnratedGame>& games) {
  std::string out = head("unrated");
  for (const UnratedGame& g : games) {
    out += "<p>" + text(g.where);
    if (!g.game.mainPage.empty()) out += " <a href=\"" + g.game.mainPage + "\">game</a>";
    out += "</p>\n";
  }
  return out + "<a href=\"index.html\">index</a></body></html>\n";
}

std::string ratingPlot(const std::vector<RatingPoint>&) {
  return "<svg width=\"100\" height=\"50\"><rect width=\"100\" height=\"50\"/></svg>\n";
}

}  // namespace kxsite
