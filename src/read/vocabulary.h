// The fixed message texts of Quake III Arena, its capture-the-flag mode and OSP, as null-terminated tables.
#pragma once

// The game's obituary and flag messages, each written here once: the reader's tables below,
// the means-of-death rules and the pre-parser's lines are all made of these.
namespace wording {
// Between the victim and the killer of a kill; a possessive ending may close the line.
inline constexpr char kDisemboweled[] = " was disemboweled by ";
inline constexpr char kSwimming[] = " was swimming too close to ";
inline constexpr char kImpaled[] = " was impaled by ";
inline constexpr char kPummeled[] = " was pummeled by ";
inline constexpr char kMachinegunned[] = " was machinegunned by ";
inline constexpr char kGunnedDown[] = " was gunned down by ";
inline constexpr char kShredded[] = " was shredded by ";
inline constexpr char kAlmostDodged[] = " almost dodged ";
inline constexpr char kAte[] = " ate ";
inline constexpr char kElectrocuted[] = " was electrocuted by ";
inline constexpr char kRailed[] = " was railed by ";
inline constexpr char kMeltedBy[] = " was melted by ";
inline constexpr char kBlasted[] = " was blasted by ";
inline constexpr char kInvade[] = " tried to invade ";
// The endings that follow the killer's name.
inline constexpr char kPersonalSpace[] = "'s personal space";
inline constexpr char kGrenadeOf[] = "'s grenade";
inline constexpr char kShrapnelOf[] = "'s shrapnel";
inline constexpr char kPlasmagunOf[] = "'s plasmagun";
inline constexpr char kRocketOf[] = "'s rocket";
inline constexpr char kBfgOf[] = "'s BFG";
inline constexpr char kNailsOf[] = "'s shower of nails";
inline constexpr char kGrapplingHookOf[] = "'s grappling hook";
// After the victim's name and one blank: deaths by one's own hand or by the surroundings.
inline constexpr char kWrongButton[] = "pressed the wrong button.";
inline constexpr char kWrongPlace[] = "was in the wrong place.";
inline constexpr char kCratered[] = "cratered.";
inline constexpr char kBlewHim[] = "blew himself up.";
inline constexpr char kBlewHer[] = "blew herself up.";
inline constexpr char kBlewIt[] = "blew itself up.";
inline constexpr char kTrippedHis[] = "tripped on his own grenade.";
inline constexpr char kTrippedHer[] = "tripped on her own grenade.";
inline constexpr char kTrippedIts[] = "tripped on its own grenade.";
inline constexpr char kMeltedHim[] = "melted himself.";
inline constexpr char kMeltedHer[] = "melted herself.";
inline constexpr char kMeltedIt[] = "melted itself.";
inline constexpr char kKilledHim[] = "killed himself.";
inline constexpr char kKilledHer[] = "killed herself.";
inline constexpr char kKilledIt[] = "killed itself.";
inline constexpr char kSmallerGun[] = "should have used a smaller gun.";
inline constexpr char kLava[] = "does a back flip into the lava.";
inline constexpr char kSquished[] = "was squished.";
inline constexpr char kSankLikeARock[] = "sank like a rock.";
inline constexpr char kMelted[] = "melted.";
// After the actor's name and one blank: capture-the-flag announcements, in the two colours.
inline constexpr char kRedCarrierDefends[] = "RED's flag carrier defends against an agressive enemy";
inline constexpr char kBlueCarrierDefends[] = "BLUE's flag carrier defends against an agressive enemy";
inline constexpr char kGotRedFlag[] = "got the RED flag!";
inline constexpr char kGotBlueFlag[] = "got the BLUE flag!";
inline constexpr char kReturnedRedFlag[] = "returned the RED flag!";
inline constexpr char kReturnedBlueFlag[] = "returned the BLUE flag!";
inline constexpr char kFraggedRedCarrier[] = "fragged RED's flag carrier!";
inline constexpr char kFraggedBlueCarrier[] = "fragged BLUE's flag carrier!";
inline constexpr char kAssistReturningRed[] = "gets an assist for returning the RED flag!";
inline constexpr char kAssistReturningBlue[] = "gets an assist for returning the BLUE flag!";
inline constexpr char kAssistFraggingRed[] = "gets an assist for fragging the RED flag carrier!";
inline constexpr char kAssistFraggingBlue[] = "gets an assist for fragging the BLUE flag carrier!";
inline constexpr char kDefendsRedCarrierAgr[] = "defends RED's flag carrier against an agressive enemy";
inline constexpr char kDefendsBlueCarrierAgr[] = "defends BLUE's flag carrier against an agressive enemy";
inline constexpr char kDefendsRedCarrier[] = "defends the RED's flag carrier.";
inline constexpr char kDefendsBlueCarrier[] = "defends the BLUE's flag carrier.";
inline constexpr char kDefendsRedBase[] = "defends the RED base";
inline constexpr char kDefendsBlueBase[] = "defends the BLUE base";
inline constexpr char kDefendsRedFlag[] = "defends the RED flag";
inline constexpr char kDefendsBlueFlag[] = "defends the BLUE flag";
inline constexpr char kCapturedRedFlag[] = "captured the RED flag!";
inline constexpr char kCapturedBlueFlag[] = "captured the BLUE flag!";
// The assist announcements cut before the colour word, to be found whatever the team.
inline constexpr char kAssistFragging[] = "gets an assist for fragging the";
inline constexpr char kAssistReturning[] = "gets an assist for returning the";
// Other player events the pre-parser writes too.
inline constexpr char kRenamedTo[] = " renamed to ";
}  // namespace wording

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
  X(kTextPummeled, wording::kPummeled)                                      \
  X(kTextMachinegunned, wording::kMachinegunned)                            \
  X(kTextGunnedDown, wording::kGunnedDown)                                  \
  X(kTextTrippedHis, wording::kTrippedHis)                                  \
  X(kTextTrippedHer, wording::kTrippedHer)                                  \
  X(kTextTrippedIts, wording::kTrippedIts)                                  \
  X(kTextAte, wording::kAte)                                                \
  X(kTextShrapnel, "shrapnel")                                              \
  X(kTextShredded, wording::kShredded)                                      \
  X(kTextBlewHim, wording::kBlewHim)                                        \
  X(kTextBlewHer, wording::kBlewHer)                                        \
  X(kTextBlewIt, wording::kBlewIt)                                          \
  X(kTextAlmostDodged, wording::kAlmostDodged)                              \
  X(kTextElectrocuted, wording::kElectrocuted)                              \
  X(kTextRailed, wording::kRailed)                                          \
  X(kTextMeltedBy, wording::kMeltedBy)                                      \
  X(kTextPlasmagun, "plasmagun")                                            \
  X(kTextMeltedHim, wording::kMeltedHim)                                    \
  X(kTextMeltedHer, wording::kMeltedHer)                                    \
  X(kTextMeltedIt, wording::kMeltedIt)                                      \
  X(kTextBlasted, wording::kBlasted)                                        \
  X(kTextSmallerGun, wording::kSmallerGun)                                  \
  X(kTextInvade, wording::kInvade)                                          \
  X(kTextCratered, wording::kCratered)                                      \
  X(kTextWrongPlace, wording::kWrongPlace)                                  \
  X(kTextKilledIt, wording::kKilledIt)                                      \
  X(kTextKilledHim, wording::kKilledHim)                                    \
  X(kTextKilledHer, wording::kKilledHer)                                    \
  X(kTextLava, wording::kLava)                                              \
  X(kTextSquished, wording::kSquished)                                      \
  X(kTextSankLikeARock, wording::kSankLikeARock)                            \
  X(kTextMelted, wording::kMelted)                                          \
  X(kTextImpaled, wording::kImpaled)                                        \
  X(kTextDisemboweled, wording::kDisemboweled)                              \
  X(kTextWrongButton, wording::kWrongButton)                                \
  X(kTextSwimming, wording::kSwimming)

enum TextId : int {
#define KX_TEXT_ENUM(name, text) name,
  KX_LOOSE_TEXTS(KX_TEXT_ENUM)
#undef KX_TEXT_ENUM
  kLooseTextCount
};
