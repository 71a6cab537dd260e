// The fixed message texts of Quake III Arena, its capture-the-flag mode and OSP, as null-terminated tables.
#pragma once

// Each table is scanned in its own order by its users; where several texts of one table
// occur in a line, the earliest entry of the table decides. Duplicates are intentional.
extern const char* const valid_strings[];      // 93 texts: a line must hold one to be an event
extern const char* const addPlayer_strings[];  // 59 texts: lines that register their players
extern const char* const* const reset_strings;  // 12 texts: game-boundary markers
extern const char* const dual_strings[];       // 20 texts standing between two names
extern const char* const self_strings[];       // 54 texts following a single name
extern const char* const suicide_strings[];    // 20 self-inflicted and world deaths
extern const char* const ctf_red_strings[];    // 11 CTF texts whose actor is red
extern const char* const ctf_blue_strings[];   // 11 CTF texts whose actor is blue
extern const char* const possessive_strings[]; // 8 endings of possessive obituaries' attacker names

// What a game-boundary text does when it is the first acting one of reset_strings in table
// order; the others (warm-up ends, entries, team joincodes) end nothing by themselves.
enum class BoundaryKind { kNone, kRules, kLeft, kOspComplete };
struct BoundaryText {
  const char* text;
  BoundaryKind kind;
};
// The kind of reset_strings[index].
BoundaryKind boundaryKind(int index);

// What a capture-the-flag announcement says its actor (the player named first) did. Some
// facts come in two colours because they differ in whose flag goes home.
enum class FlagEventKind {
  kTookFlag,
  kReturnedRedFlag,
  kReturnedBlueFlag,
  kFraggedCarrier,
  kCaptured,
  kCarrierKillAssist,
  kReturnAssist,
  kDefendedCarrierAggressively,
  kDefendedCarrier,
  kDefendedBase,
  kDefendedAsCarrier,
};
// The flag-event announcements, grouped by event and scanned in this order: the first one
// found in a line decides, so a message of an earlier event always wins.
const char* const* flagEventStrings();
// The fact the announcement flagEventStrings()[index] states.
FlagEventKind flagEventKind(int index);

// Number of entries before the terminating null pointer.
int tableSize(const char* const* table);

// The tables the line scanner reports on: for each, the first entry in table order that a
// scanned text holds.
enum TableId : int {
  kValidStrings,
  kAddPlayerStrings,
  kResetStrings,
  kDualStrings,
  kSelfStrings,
  kSuicideStrings,
  kCtfRedStrings,
  kCtfBlueStrings,
  kFlagEventStrings,
  kPossessiveStrings,
  kTableCount
};

// Texts asked about one by one, outside any table (some are table entries too; the scanner
// knows each text once). Every text is at least four bytes long.
#define KX_LOOSE_TEXTS(X)                                                   \
  X(kTextRocket, "rocket")                                                  \
  X(kTextGrenade, "grenade")                                                \
  X(kTextChatSeparator, "^7: ")                                             \
  X(kTextInitGame, " InitGame: ")                                           \
  X(kTextAccuracyStatistics, " accuracy statistics ")                       \
  X(kTextOnTeam, " is on team ")                                            \
  X(kTextEnteredRed, " entered the game (^1RED^7)")                         \
  X(kTextEnteredBlue, " entered the game (^4BLUE^7)")                       \
  X(kTextEntered, "entered the game")                                       \
  X(kTextMatchComplete, "MATCH COMPLETE")                                   \
  X(kTextClShutdown, "----- CL_Shutdown -----")                             \
  X(kTextMapColon, "Map: ")                                                 \
  X(kTextAccuracyInfo, "Accuracy info for: ")                               \
  X(kTextMatchBegun, "^3Match has begun!")                                  \
  X(kTextAllReady, "^3All players ready!^7 Match starting...")              \
  X(kTextReShutdown, "RE_Shutdown( 0 )")                                    \
  X(kTextOspLoaded, "Loaded OSP Client Version:")                           \
  X(kTextUsingModel, " is using model ")                                    \
  X(kTextCurrentMap, "Current map: ")                                       \
  X(kTextRedLeads, "^1RED^7 leads: ")                                       \
  X(kTextBlueLeads, "^4BLUE^7 leads: ")                                     \
  X(kTextTied, "Match tied: ")                                              \
  X(kTextConnect, "]/connect ")                                             \
  X(kTextReconnect, "]/reconnect")                                          \
  X(kTextResolved, " resolved to ")                                         \
  X(kTextRenamed, "renamed to")                                             \
  X(kTextDisconnected, "disconnected")                                      \
  X(kTextOverflow, "Server command overflow")                               \
  X(kTextLostCommands, "Lost reliable commands")                            \
  X(kTextKicked, "was kicked")                                              \
  X(kTextPummeled, " was pummeled by ")                                     \
  X(kTextMachinegunned, " was machinegunned by ")                           \
  X(kTextGunnedDown, " was gunned down by ")                                \
  X(kTextTrippedHis, "tripped on his own grenade.")                         \
  X(kTextTrippedHer, "tripped on her own grenade.")                         \
  X(kTextTrippedIts, "tripped on its own grenade.")                         \
  X(kTextAte, " ate ")                                                      \
  X(kTextShrapnel, "shrapnel")                                              \
  X(kTextShredded, " was shredded by ")                                     \
  X(kTextBlewHim, "blew himself up.")                                       \
  X(kTextBlewHer, "blew herself up.")                                       \
  X(kTextBlewIt, "blew itself up.")                                         \
  X(kTextAlmostDodged, " almost dodged ")                                   \
  X(kTextElectrocuted, " was electrocuted by ")                             \
  X(kTextRailed, " was railed by ")                                         \
  X(kTextMeltedBy, " was melted by ")                                       \
  X(kTextPlasmagun, "plasmagun")                                            \
  X(kTextMeltedHim, "melted himself.")                                      \
  X(kTextMeltedHer, "melted herself.")                                      \
  X(kTextMeltedIt, "melted itself.")                                        \
  X(kTextBlasted, " was blasted by ")                                       \
  X(kTextSmallerGun, "should have used a smaller gun.")                     \
  X(kTextInvade, " tried to invade ")                                       \
  X(kTextCratered, "cratered.")                                             \
  X(kTextWrongPlace, "was in the wrong place.")                             \
  X(kTextKilledIt, "killed itself.")                                        \
  X(kTextKilledHim, "killed himself.")                                      \
  X(kTextKilledHer, "killed herself.")                                      \
  X(kTextLava, "does a back flip into the lava.")                           \
  X(kTextSquished, "was squished.")                                         \
  X(kTextSankLikeARock, "sank like a rock.")                                \
  X(kTextMelted, "melted.")                                                 \
  X(kTextImpaled, " was impaled by ")                                       \
  X(kTextDisemboweled, " was disemboweled by ")                             \
  X(kTextWrongButton, "pressed the wrong button.")                          \
  X(kTextSwimming, " was swimming too close to ")

enum TextId : int {
#define KX_TEXT_ENUM(name, text) name,
  KX_LOOSE_TEXTS(KX_TEXT_ENUM)
#undef KX_TEXT_ENUM
  kLooseTextCount
};
