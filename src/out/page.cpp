// Page assembly: the main page of one game, and the title, map picture and credits fragments both pages share.
#include "out/page.h"

#include "out/player_list.h"
#include "out/player_stats.h"
#include "out/team_table.h"
#include "out/weapon_page.h"
#include "out/escape.h"
#include "out/game_record.h"
#include "out/writer.h"
#include "run/config.h"
#include "run/game.h"
#include "base/program_texts.h"
#include "base/strutil.h"

namespace {

bool isTeamGame() { return isTeamGameType(g_game.g_gametype); }

// The inside of one third of the credits' logo row: a linked logo above the address it
// links to, and the cell's end (the caller opens the cell).
void creditsLogoCell(const char* site, const char* logo, const char* title,
                     const char* shownAddress) {
  wrText("<center>");
  wrText("<br>");
  wr("<a href=\"%s\"><img src=%s border=0 title=\"%s\">", site, logo, title);
  wrText("<br><br>");
  wr("%s", shownAddress);
  wrText("</a><br><br></center>");
  wrText("</td>");
}

}  // namespace

bool makeHtml(const GameResult& game, bool withRecord) {
  if (!beginPage(game.label.view())) return false;
  wrText("<html>\n");
  wrText("<head>");
  wrText("<title>kalimo stats</title>\n");
  wr("<LINK REL=stylesheet HREF=\"%s\" TYPE=\"text/css\">\n", g_config_stylesheet.c_str());
  wrText("<script language=\"JavaScript\">\n");
  wrText("function loadDefaultMap()\n");
  // The handler is cleared first: a missing default picture must not fail into it again.
  wrText("{\tdocument.MAP.onerror=null; document.MAP.src=\"images/maps/default.gif\"; }\n");
  wrText("</script>\n");
  wrText("</head>\n");
  wrText("<body>\n");
  wrText("<center>\n");
  htmlReadHeader();

  wrText("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100% >\n");

  wrText("<tr>\n");
  wrText("<td>\n");
  htmlDrawTeamStatTable();
  wrText("<br>");
  wrText("</td>\n");
  wrText("</tr>");

  wrText("<tr>\n");
  wrText("<td>\n");
  htmlTitleTable();
  wrText("<br>");
  wrText("</td>\n");
  wrText("</tr>");

  wrText("<tr>");
  wrText("<td>");
  htmlDrawPlayerListTable();
  wrText("</td>");
  wrText("</tr>");

  if (isTeamGame()) {
    wrText("<tr>");
    wrText("<td>");
    wrText("<br>");
    htmlDrawPlayerStatTable();
    wrText("</td>");
    wrText("</tr>");
  }

  if (isYes(g_config_make_weapon_stats)) {
    wrText("<tr><td>");
    wrText("<br>");
    // Leaves the link here and writes the weapon page.
    if (!htmlDrawWeaponTable()) return false;
    wrText("</td></tr>\n");
  }

  wrText("<tr><td>");
  htmlDrawCreditsTable();
  wrText("</td></tr>\n");

  wrText("</table>\n");
  wrText("</center>\n");
  htmlReadFooter();
  wrText("</body>\n");
  wrText("</html>\n");

  if (!withRecord) return finishPage();
  std::string record;
  writeGameRecord(game, out_filename_stats.view(),
                  isYes(g_config_make_weapon_stats) ? out_filename_wepns.view() : std::string_view(), record);
  return finishPage(gameRecordName(out_filename_stats.view(), g_config_file_extension.view()), std::move(record));
}

void htmlTitleTable() {
  wrText("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n");
  wrText("<tr>\n");
  wrText("<td CLASS=\"neutral\" align=left  ><div align=left >");
  wrText("&nbsp;");
  wr("<a href=\"%s\">%s</a>", texts::kHomePage, texts::kProgramName);
  wr(" - %s", texts::kCreditLine);
  wrText("</div></td>");
  wrText("<td CLASS=\"neutral\" align=right ><div align=right>");
  wr("<a href=\"%s\">%s</a>", texts::kHomePage, texts::kHomePageShown);
  wrText("&nbsp;</div></td>");
  wrText("</tr>\n");
  wrText("</table>\n");
}

void htmlPrintMapImage() {
  // The map name comes from the log: never a format, and percent-encoded so that it cannot
  // end the unquoted attribute.
  wrText("<IMG name=MAP src=images/maps/");
  wrLogUrlPiece(g_game.g_mapname.view());
  wrText(".jpg WIDTH=160 HEIGHT=128 onError=\"loadDefaultMap();\">");
}

void htmlDrawCreditsTable() {
  wrText("\n<table  CLASS=\"neutralHighlight\" WIDTH=100% BORDER=0 CELLSPACING=0 CELLPADDING=2>\n");

  wrText("<tr>\n");
  wrText("<td CLASS=\"neutralHighlight\" COLSPAN=3>");
  wr("<center><b><a href=\"%s\">%s</a> %s - %s</b></center>", texts::kHomePage,
     texts::kProgramName, texts::kVersion, texts::kCreditLine);
  wrText("</td>\n");
  wrText("</tr>\n");

  wrText("<tr>\n");
  wrText("<td WIDTH=33.33% VALIGN=BOTTOM CLASS=\"neutral\">");
  creditsLogoCell(texts::kOspSite, texts::kOspLogo, texts::kOspTitle, texts::kOspSiteShown);
  wrText("<td WIDTH=33.33% CLASS=\"neutral\">");
  creditsLogoCell(texts::kHomePage, texts::kProgramLogo, texts::kProgramLogoTitle,
                  texts::kHomePageShown);
  wrText("<td WIDTH=33.33% VALIGN=BOTTOM CLASS=\"neutral\">");
  creditsLogoCell(texts::kMakersSite, texts::kMakersLogo, texts::kMakersTitle,
                  texts::kMakersSiteShown);
  wrText("</tr>\n");

  wrText("<tr>\n");
  wr("<td CLASS=\"neutralHighlight\"><center>%s</center></td>", texts::kThanksLeft);
  wrText("<td CLASS=\"neutralHighlight\">&nbsp;</td>");
  wr("<td CLASS=\"neutralHighlight\"><center>%s</center></td>", texts::kThanksRight);
  wrText("</tr>\n");

  wrText("</table>\n");
}
