// The program's own wording: banner line, page title and credits, kept together so a site can change them.
#pragma once

// Where the install puts the site kit (set by the build from its install prefix).
#ifndef KX_SITE_KIT_DIR
#define KX_SITE_KIT_DIR "/usr/local/share/kalimostats"
#endif

namespace texts {
// Banner and summary line naming the program (after 15 spaces).
constexpr const char kProgramLine[] = "               kalimostats";
constexpr const char kProgramName[] = "kalimo stats";
constexpr const char kVersion[] = "1.0";
constexpr const char kHomePage[] = "https://github.com/kalimostats/kalimostats";
constexpr const char kHomePageShown[] = "github.com/kalimostats";
// The site kit's copy of the configuration, named when a run goes without one.
constexpr const char kSiteKitConfig[] = KX_SITE_KIT_DIR "/c-default.cfg";
// --help and -h.
constexpr const char kHelp[] =
    "usage: kalimostats-c logfile.log [config-file.cfg]\n"
    "       kalimostats-c --help | -h | --version\n"
    "Reads a Quake III Arena console log (an OSP client's, or a dedicated server's through the\n"
    "pre-parser kx-preparse) and writes a page per finished game into html/ and two SQL lines per\n"
    "page to db_sql_gamestats.txt. A gzip-compressed log is read as its text. One log per run.\n"
    "The configuration is config-file.cfg, else c-default.cfg in the working directory, else the\n"
    "built-in defaults; the site kit's copy is " KX_SITE_KIT_DIR "/c-default.cfg.\n"
    "Everything, errors included, goes to standard output.\n"
    "Exit status: 0 when done, 1 on an error (one message says which).\n";
// After the described error for a second argument without ".cfg" that is a file of its own.
constexpr const char kOneLogHint[] = "kalimostats-c reads one log per run: run it once for each log.\n";
constexpr const char kCreditLine[] = "statistics generated from the game's own console messages";

// Credits logos: each a picture linked to a site, with a tool-tip title and the address shown.
constexpr const char kOspLogo[] = "images/logo-osp.gif";
constexpr const char kOspSite[] = "http://www.orangesmoothie.org";
constexpr const char kOspSiteShown[] = "www.orangesmoothie.org";
constexpr const char kOspTitle[] = "OSP Tourney DM/CA/CTF";
constexpr const char kProgramLogo[] = "images/logo-kalimostats.gif";
constexpr const char kProgramLogoTitle[] = "kalimo stats - Quake III Arena game statistics";
constexpr const char kMakersLogo[] = "images/logo-makers.gif";
constexpr const char kMakersSite[] = "https://github.com/kalimostats";
constexpr const char kMakersSiteShown[] = "github.com/kalimostats";
constexpr const char kMakersTitle[] = "the kalimostats developers";

constexpr const char kThanksLeft[] = "[ thanks to the OSP team for the statistics it prints ]";
constexpr const char kThanksRight[] = "[ thanks to id Software for Quake III Arena ]";
}  // namespace texts
