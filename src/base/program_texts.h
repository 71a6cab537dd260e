// The program's own wording: banner line, page title and credits, kept together so a site can change them.
#pragma once

namespace texts {
// Banner and summary line naming the program (after 15 spaces).
constexpr const char kProgramLine[] = "               kalimostats";
constexpr const char kProgramName[] = "kalimo stats";
constexpr const char kVersion[] = "1.0";
constexpr const char kHomePage[] = "https://github.com/kalimostats/kalimostats";
constexpr const char kHomePageShown[] = "github.com/kalimostats";
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
