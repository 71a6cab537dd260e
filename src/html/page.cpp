// Page assembly: the main page of one game, and the title, map picture and credits fragments both pages share.
#include "html/page.h"

#include "html/player_list.h"
#include "html/player_stats.h"
#include "html/team_table.h"
#include "html/weapon_page.h"
#include "html/escape.h"
#include "html/writer.h"
#include "run/config.h"
#include "run/game.h"
#include "run/program_texts.h"
#include "run/strutil.h"

namespace {

bool isTeamGame() { return isTeamGameType(g_game.g_gametype); }

// The inside of one third of the credits' logo row: a linked logo above the address it
// links to, and the cell's end (the caller opens the cell).
void creditsLogoCell(const char* site, const char* logo, const char* title,
                     const char* shownAddress) {
  wr("<center>");
  wr("<br>");
  wr("<a href=\"%s\"><img src=%s border=0 title=\"%s\">", site, logo, title);
  wr("<br><br>");
  wr("%s", shownAddress);
  wr("</a><br><br></center>");
  wr("</td>");
}

}  // namespace

bool makeHtml() {
  if (!beginPage()) return false;
  wr("<html>\n");
  wr("<head>");
  wr("<title>kalimo stats</title>\n");
  wr("<LINK REL=stylesheet HREF=\"%s\" TYPE=\"text/css\">\n", g_config_stylesheet.c_str());
  wr("<script language=\"JavaScript\">\n");
  wr("function loadDefaultMap()\n");
  wr("{\tdocument.MAP.src=\"images/maps/default.gif\"; }\n");
  wr("</script>\n");
  wr("</head>\n");
  wr("<body>\n");
  wr("<center>\n");
  htmlReadHeader();

  wr("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%% >\n");

  wr("<tr>\n");
  wr("<td>\n");
  htmlDrawTeamStatTable();
  wr("<br>");
  wr("</td>\n");
  wr("</tr>");

  wr("<tr>\n");
  wr("<td>\n");
  htmlTitleTable();
  wr("<br>");
  wr("</td>\n");
  wr("</tr>");

  wr("<tr>");
  wr("<td>");
  htmlDrawPlayerListTable();
  wr("</td>");
  wr("</tr>");

  if (isTeamGame()) {
    wr("<tr>");
    wr("<td>");
    wr("<br>");
    htmlDrawPlayerStatTable();
    wr("</td>");
    wr("</tr>");
  }

  if (isYes(g_config_make_weapon_stats)) {
    wr("<tr><td>");
    wr("<br>");
    // Leaves the link here and writes the weapon page.
    if (!htmlDrawWeaponTable()) return false;
    wr("</td></tr>\n");
  }

  wr("<tr><td>");
  htmlDrawCreditsTable();
  wr("</td></tr>\n");

  wr("</table>\n");
  wr("</center>\n");
  htmlReadFooter();
  wr("</body>\n");
  wr("</html>\n");

  return finishPage();
}

void htmlTitleTable() {
  wr("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%%>\n");
  wr("<tr>\n");
  wr("<td CLASS=\"neutral\" align=left  ><div align=left >");
  wr("&nbsp;");
  wr("<a href=\"%s\">%s</a>", texts::kHomePage, texts::kProgramName);
  wr(" - %s", texts::kCreditLine);
  wr("</div></td>");
  wr("<td CLASS=\"neutral\" align=right ><div align=right>");
  wr("<a href=\"%s\">%s</a>", texts::kHomePage, texts::kHomePageShown);
  wr("&nbsp;</div></td>");
  wr("</tr>\n");
  wr("</table>\n");
}

void htmlPrintMapImage() {
  // The map name comes from the log: never a format, and percent-encoded so that it cannot
  // end the unquoted attribute.
  wr("<IMG name=MAP src=images/maps/");
  wrLogUrlPiece(g_game.g_mapname.view());
  wr(".jpg WIDTH=160 HEIGHT=128 onError=\"loadDefaultMap();\">");
}

void htmlDrawCreditsTable() {
  wr("\n<table  CLASS=\"neutralHighlight\" WIDTH=100%% BORDER=0 CELLSPACING=0 CELLPADDING=2>\n");

  wr("<tr>\n");
  wr("<td CLASS=\"neutralHighlight\" COLSPAN=3>");
  wr("<center><b><a href=\"%s\">%s</a> %s - %s</b></center>", texts::kHomePage,
     texts::kProgramName, texts::kVersion, texts::kCreditLine);
  wr("</td>\n");
  wr("</tr>\n");

  wr("<tr>\n");
  wr("<td WIDTH=33.33%% VALIGN=BOTTOM CLASS=\"neutral\">");
  creditsLogoCell(texts::kOspSite, texts::kOspLogo, texts::kOspTitle, texts::kOspSiteShown);
  wr("<td WIDTH=33.33%% CLASS=\"neutral\">");
  creditsLogoCell(texts::kHomePage, texts::kProgramLogo, texts::kProgramLogoTitle,
                  texts::kHomePageShown);
  wr("<td WIDTH=33.33%% VALIGN=BOTTOM CLASS=\"neutral\">");
  creditsLogoCell(texts::kMakersSite, texts::kMakersLogo, texts::kMakersTitle,
                  texts::kMakersSiteShown);
  wr("</tr>\n");

  wr("<tr>\n");
  wr("<td CLASS=\"neutralHighlight\"><center>%s</center></td>", texts::kThanksLeft);
  wr("<td CLASS=\"neutralHighlight\">&nbsp;</td>");
  wr("<td CLASS=\"neutralHighlight\"><center>%s</center></td>", texts::kThanksRight);
  wr("</tr>\n");

  wr("</table>\n");
}
