// Page assembly: the main page of one game, and the title, map picture and credits fragments both pages share.
#include "out/page.h"

#include "out/player_list.h"
#include "out/player_stats.h"
#include "out/team_table.h"
#include "out/writer.h"
#include "game/game_result.h"
#include "game/game_type.h"
#include "base/program_texts.h"

namespace {

// The inside of one third of the credits' logo row: a linked logo above the address it
// links to, and the cell's end (the caller opens the cell).
void creditsLogoCell(PageWriter& w, const char* site, const char* logo, const char* title,
                     const char* shownAddress) {
  w.text("<center>");
  w.text("<br>");
  w.wr("<a href=\"%s\"><img src=%s border=0 title=\"%s\">", site, logo, title);
  w.text("<br><br>");
  w.wr("%s", shownAddress);
  w.text("</a><br><br></center>");
  w.text("</td>");
}

}  // namespace

std::size_t writeMainPage(PageWriter& w, const GameResult& game) {
  w.text("<html>\n");
  w.text("<head>");
  w.text("<title>kalimo stats</title>\n");
  w.wr("<LINK REL=stylesheet HREF=\"%s\" TYPE=\"text/css\">\n", w.options().styleSheet.c_str());
  w.text("<script language=\"JavaScript\">\n");
  w.text("function loadDefaultMap()\n");
  // The handler is cleared first: a missing default picture must not fail into it again.
  w.text("{\tdocument.MAP.onerror=null; document.MAP.src=\"images/maps/default.gif\"; }\n");
  w.text("</script>\n");
  w.text("</head>\n");
  w.text("<body>\n");
  w.text("<center>\n");
  w.header();

  w.text("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100% >\n");

  w.text("<tr>\n");
  w.text("<td>\n");
  htmlDrawTeamStatTable(w, game);
  w.text("<br>");
  w.text("</td>\n");
  w.text("</tr>");

  w.text("<tr>\n");
  w.text("<td>\n");
  htmlTitleTable(w);
  w.text("<br>");
  w.text("</td>\n");
  w.text("</tr>");

  w.text("<tr>");
  w.text("<td>");
  htmlDrawPlayerListTable(w, game);
  w.text("</td>");
  w.text("</tr>");

  if (isTeamGameType(game.gameType)) {
    w.text("<tr>");
    w.text("<td>");
    w.text("<br>");
    htmlDrawPlayerStatTable(w, game);
    w.text("</td>");
    w.text("</tr>");
  }

  std::size_t beforeWeaponPage = 0;
  if (w.options().weaponPage) {
    w.text("<tr><td>");
    w.text("<br>");
    w.text("<center><IMG SRC=images/break.gif><BR>");
    w.wr("[<A HREF=%s>view weapon stats</A>]", w.names().weapon.c_str());
    w.text("</center><BR><BR>");
    beforeWeaponPage = w.buffer().size();
    w.text("</td></tr>\n");
  }

  w.text("<tr><td>");
  htmlDrawCreditsTable(w);
  w.text("</td></tr>\n");

  w.text("</table>\n");
  w.text("</center>\n");
  w.footer();
  w.text("</body>\n");
  w.text("</html>\n");
  return w.options().weaponPage ? beforeWeaponPage : w.buffer().size();
}

void htmlTitleTable(PageWriter& w) {
  w.text("\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n");
  w.text("<tr>\n");
  w.text("<td CLASS=\"neutral\" align=left  ><div align=left >");
  w.text("&nbsp;");
  w.wr("<a href=\"%s\">%s</a>", texts::kHomePage, texts::kProgramName);
  w.wr(" - %s", texts::kCreditLine);
  w.text("</div></td>");
  w.text("<td CLASS=\"neutral\" align=right ><div align=right>");
  w.wr("<a href=\"%s\">%s</a>", texts::kHomePage, texts::kHomePageShown);
  w.text("&nbsp;</div></td>");
  w.text("</tr>\n");
  w.text("</table>\n");
}

void htmlPrintMapImage(PageWriter& w, const GameResult& game) {
  // The map name comes from the log: never a format, and percent-encoded so that it cannot
  // end the unquoted attribute.
  w.text("<IMG name=MAP src=images/maps/");
  w.logUrlPiece(game.mapName.view());
  w.text(".jpg WIDTH=160 HEIGHT=128 onError=\"loadDefaultMap();\">");
}

void htmlDrawCreditsTable(PageWriter& w) {
  w.text("\n<table  CLASS=\"neutralHighlight\" WIDTH=100% BORDER=0 CELLSPACING=0 CELLPADDING=2>\n");

  w.text("<tr>\n");
  w.text("<td CLASS=\"neutralHighlight\" COLSPAN=3>");
  w.wr("<center><b><a href=\"%s\">%s</a> %s - %s</b></center>", texts::kHomePage,
     texts::kProgramName, texts::kVersion, texts::kCreditLine);
  w.text("</td>\n");
  w.text("</tr>\n");

  w.text("<tr>\n");
  w.text("<td WIDTH=33.33% VALIGN=BOTTOM CLASS=\"neutral\">");
  creditsLogoCell(w, texts::kOspSite, texts::kOspLogo, texts::kOspTitle, texts::kOspSiteShown);
  w.text("<td WIDTH=33.33% CLASS=\"neutral\">");
  creditsLogoCell(w, texts::kHomePage, texts::kProgramLogo, texts::kProgramLogoTitle,
                  texts::kHomePageShown);
  w.text("<td WIDTH=33.33% VALIGN=BOTTOM CLASS=\"neutral\">");
  creditsLogoCell(w, texts::kMakersSite, texts::kMakersLogo, texts::kMakersTitle,
                  texts::kMakersSiteShown);
  w.text("</tr>\n");

  w.text("<tr>\n");
  w.wr("<td CLASS=\"neutralHighlight\"><center>%s</center></td>", texts::kThanksLeft);
  w.text("<td CLASS=\"neutralHighlight\">&nbsp;</td>");
  w.wr("<td CLASS=\"neutralHighlight\"><center>%s</center></td>", texts::kThanksRight);
  w.text("</tr>\n");

  w.text("</table>\n");
}
