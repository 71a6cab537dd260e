// The message tables, written out in the exact order their users scan them.
#include "read/vocabulary.h"

#include <array>
#include <utility>

// The entries are numbered for readers who compare a table with a log; duplicates and the
// two backslash forms (which can never match, because backslashes are replaced before a
// line is recognised) belong to the tables as the game's texts were collected.
const char* const valid_strings[] = {
    wording::kDisemboweled,  // 0
    wording::kSwimming,  // 1
    wording::kImpaled,  // 2
    wording::kWrongButton,  // 3
    "Accuracy info for: ",  // 4
    "^1RED^7 leads: ",  // 5
    "^4BLUE^7 leads: ",  // 6
    "Match tied: ",  // 7
    " entered the game (^4BLUE^7)",  // 8
    " entered the game (^1RED^7)",  // 9
    " accuracy statistics ",  // 10
    " is using model ",  // 11
    " is on team ",  // 12
    "^3Match has begun!",  // 13
    "^3All players ready!^7 Match starting...",  // 14
    "BEGIN SERVER LOG",  // 15
    "MATCH COMPLETE",  // 16
    "Map: ",  // 17
    "Current map: ",  // 18
    "Loaded OSP Client Version:",  // 19
    "]\\connect ",  // 20
    "]/connect ",  // 21
    "]\\reconnect",  // 22
    "]/reconnect",  // 23
    " resolved to ",  // 24
    "RE_Shutdown( 0 )",  // 25
    "ERROR: Disconnected from server",  // 26
    "Lost reliable commands",  // 27
    "Server command overflow",  // 28
    "disconnected",  // 29
    "connected",  // 30
    "----- CL_Shutdown -----",  // 31
    "renamed to",  // 32
    "entered the game",  // 33
    "Timelimit hit.",  // 34
    "Pointlimit hit.",  // 35
    "hit the capturelimit.",  // 36
    "hit the fraglimit.",  // 37
    "Team joincode is:",  // 38
    "wins the match: ",  // 39
    "was kicked",  // 40
    wording::kWrongPlace,  // 41
    wording::kCratered,  // 42
    wording::kBlewHim,  // 43
    wording::kBlewHer,  // 44
    wording::kBlewIt,  // 45
    wording::kTrippedHis,  // 46
    wording::kTrippedHer,  // 47
    wording::kTrippedIts,  // 48
    wording::kMeltedHim,  // 49
    wording::kMeltedHer,  // 50
    wording::kMeltedIt,  // 51
    wording::kKilledHim,  // 52
    wording::kKilledHer,  // 53
    wording::kKilledIt,  // 54
    wording::kSmallerGun,  // 55
    wording::kLava,  // 56
    wording::kSquished,  // 57
    wording::kSankLikeARock,  // 58
    wording::kMelted,  // 59
    wording::kRedCarrierDefends,  // 60
    wording::kGotBlueFlag,  // 61
    wording::kReturnedRedFlag,  // 62
    wording::kFraggedBlueCarrier,  // 63
    wording::kAssistReturningRed,  // 64
    wording::kAssistFraggingRed,  // 65
    wording::kDefendsRedCarrierAgr,  // 66
    wording::kDefendsRedCarrier,  // 67
    wording::kDefendsRedBase,  // 68
    wording::kDefendsRedFlag,  // 69
    wording::kCapturedBlueFlag,  // 70
    wording::kBlueCarrierDefends,  // 71
    wording::kGotRedFlag,  // 72
    wording::kReturnedBlueFlag,  // 73
    wording::kFraggedRedCarrier,  // 74
    wording::kAssistReturningBlue,  // 75
    wording::kAssistFraggingBlue,  // 76
    wording::kDefendsBlueCarrierAgr,  // 77
    wording::kDefendsBlueCarrier,  // 78
    wording::kDefendsBlueBase,  // 79
    wording::kDefendsBlueFlag,  // 80
    wording::kCapturedRedFlag,  // 81
    wording::kPummeled,  // 82
    wording::kMachinegunned,  // 83
    wording::kGunnedDown,  // 84
    wording::kShredded,  // 85
    wording::kAlmostDodged,  // 86
    wording::kAte,  // 87
    wording::kElectrocuted,  // 88
    wording::kRailed,  // 89
    wording::kMeltedBy,  // 90
    wording::kBlasted,  // 91
    wording::kInvade,  // 92
    nullptr};

const char* const addPlayer_strings[] = {
    wording::kDisemboweled,  // 0
    wording::kWrongButton,  // 1
    wording::kSwimming,  // 2
    wording::kImpaled,  // 3
    "entered the game",  // 4
    wording::kPummeled,  // 5
    wording::kMachinegunned,  // 6
    wording::kGunnedDown,  // 7
    wording::kShredded,  // 8
    wording::kAlmostDodged,  // 9
    wording::kAte,  // 10
    wording::kElectrocuted,  // 11
    wording::kRailed,  // 12
    wording::kMeltedBy,  // 13
    wording::kBlasted,  // 14
    wording::kInvade,  // 15
    wording::kWrongPlace,  // 16
    wording::kCratered,  // 17
    wording::kBlewHim,  // 18
    wording::kBlewHer,  // 19
    wording::kBlewIt,  // 20
    wording::kKilledHim,  // 21
    wording::kKilledHer,  // 22
    wording::kKilledIt,  // 23
    wording::kTrippedHis,  // 24
    wording::kTrippedHer,  // 25
    wording::kTrippedIts,  // 26
    wording::kMeltedHim,  // 27
    wording::kMeltedHer,  // 28
    wording::kMeltedIt,  // 29
    wording::kSmallerGun,  // 30
    wording::kLava,  // 31
    wording::kSquished,  // 32
    wording::kSankLikeARock,  // 33
    wording::kMelted,  // 34
    wording::kRedCarrierDefends,  // 35
    wording::kGotBlueFlag,  // 36
    wording::kReturnedRedFlag,  // 37
    wording::kFraggedBlueCarrier,  // 38
    wording::kFraggedBlueCarrier,  // 39
    wording::kAssistReturningRed,  // 40
    wording::kAssistFraggingRed,  // 41
    wording::kDefendsRedCarrierAgr,  // 42
    wording::kDefendsRedCarrier,  // 43
    wording::kDefendsRedBase,  // 44
    wording::kDefendsRedFlag,  // 45
    wording::kCapturedBlueFlag,  // 46
    wording::kBlueCarrierDefends,  // 47
    wording::kGotRedFlag,  // 48
    wording::kReturnedBlueFlag,  // 49
    wording::kFraggedRedCarrier,  // 50
    wording::kFraggedRedCarrier,  // 51
    wording::kAssistReturningBlue,  // 52
    wording::kAssistFraggingBlue,  // 53
    wording::kDefendsBlueCarrierAgr,  // 54
    wording::kDefendsBlueCarrier,  // 55
    wording::kDefendsBlueBase,  // 56
    wording::kDefendsBlueFlag,  // 57
    wording::kCapturedRedFlag,  // 58
    nullptr};

// The boundary texts with what each does when it is the first acting one in table order.
constexpr BoundaryText kBoundaryTexts[] = {
    {"^3Match has begun!", BoundaryKind::kNone},  // 0: a warm-up end, told by the whole line
    {"^3All players ready!^7 Match starting...", BoundaryKind::kNone},  // 1: likewise
    {"MATCH COMPLETE", BoundaryKind::kOspComplete},  // 2
    {"----- CL_Shutdown -----", BoundaryKind::kLeft},  // 3
    {"ERROR: Disconnected from server", BoundaryKind::kLeft},  // 4
    {"entered the game", BoundaryKind::kNone},  // 5
    {"Timelimit hit.", BoundaryKind::kRules},  // 6
    {"Pointlimit hit.", BoundaryKind::kRules},  // 7
    {"hit the capturelimit.", BoundaryKind::kRules},  // 8
    {"hit the fraglimit.", BoundaryKind::kRules},  // 9
    {"Team joincode is:", BoundaryKind::kNone},  // 10
    {"wins the match: ", BoundaryKind::kRules},  // 11
};

namespace {
template <std::size_t... I>
constexpr std::array<const char*, sizeof...(I) + 1> boundaryTextColumn(std::index_sequence<I...>) {
  return {kBoundaryTexts[I].text..., nullptr};
}
constexpr auto kResetTextColumn =
    boundaryTextColumn(std::make_index_sequence<sizeof kBoundaryTexts / sizeof kBoundaryTexts[0]>());
}  // namespace

const char* const* const reset_strings = kResetTextColumn.data();

BoundaryKind boundaryKind(int index) { return kBoundaryTexts[index].kind; }

const char* const dual_strings[] = {
    wording::kDisemboweled,  // 0
    wording::kSwimming,  // 1
    wording::kImpaled,  // 2
    wording::kPummeled,  // 3
    wording::kMachinegunned,  // 4
    wording::kGunnedDown,  // 5
    wording::kShredded,  // 6
    wording::kAlmostDodged,  // 7
    wording::kAte,  // 8
    wording::kElectrocuted,  // 9
    wording::kRailed,  // 10
    wording::kMeltedBy,  // 11
    wording::kBlasted,  // 12
    wording::kInvade,  // 13
    wording::kRenamedTo,  // 14
    " is using model ",  // 15
    " is on team ",  // 16
    " picked up the item ",  // 17
    " accuracy statistics ",  // 18
    "Accuracy info for: ",  // 19
    nullptr};

const char* const self_strings[] = {
    wording::kWrongButton,  // 0
    "Lost reliable commands",  // 1
    "Server command overflow",  // 2
    "disconnected",  // 3
    "connected",  // 4
    "is NOT ready!",  // 5
    "is ready!",  // 6
    "entered the game",  // 7
    "entered the game (^4BLUE^7)",  // 8
    "entered the game (^1RED^7)",  // 9
    "was kicked",  // 10
    wording::kWrongPlace,  // 11
    wording::kCratered,  // 12
    wording::kBlewHim,  // 13
    wording::kBlewHer,  // 14
    wording::kBlewIt,  // 15
    wording::kKilledHim,  // 16
    wording::kKilledHer,  // 17
    wording::kKilledIt,  // 18
    wording::kTrippedHis,  // 19
    wording::kTrippedHer,  // 20
    wording::kTrippedIts,  // 21
    wording::kMeltedHim,  // 22
    wording::kMeltedHer,  // 23
    wording::kMeltedIt,  // 24
    wording::kSmallerGun,  // 25
    wording::kLava,  // 26
    wording::kSquished,  // 27
    wording::kSankLikeARock,  // 28
    wording::kMelted,  // 29
    wording::kRedCarrierDefends,  // 30
    wording::kGotBlueFlag,  // 31
    wording::kReturnedRedFlag,  // 32
    wording::kFraggedBlueCarrier,  // 33
    wording::kFraggedBlueCarrier,  // 34
    wording::kAssistReturningRed,  // 35
    wording::kAssistFraggingRed,  // 36
    wording::kDefendsRedCarrierAgr,  // 37
    wording::kDefendsRedCarrier,  // 38
    wording::kDefendsRedBase,  // 39
    wording::kDefendsRedFlag,  // 40
    wording::kCapturedBlueFlag,  // 41
    wording::kBlueCarrierDefends,  // 42
    wording::kGotRedFlag,  // 43
    wording::kReturnedBlueFlag,  // 44
    wording::kFraggedRedCarrier,  // 45
    wording::kFraggedRedCarrier,  // 46
    wording::kAssistReturningBlue,  // 47
    wording::kAssistFraggingBlue,  // 48
    wording::kDefendsBlueCarrierAgr,  // 49
    wording::kDefendsBlueCarrier,  // 50
    wording::kDefendsBlueBase,  // 51
    wording::kDefendsBlueFlag,  // 52
    wording::kCapturedRedFlag,  // 53
    nullptr};

const char* const suicide_strings[] = {
    wording::kWrongButton,  // 0
    wording::kWrongPlace,  // 1
    wording::kCratered,  // 2
    wording::kBlewHim,  // 3
    wording::kBlewHer,  // 4
    wording::kBlewIt,  // 5
    wording::kTrippedHis,  // 6
    wording::kTrippedHer,  // 7
    wording::kTrippedIts,  // 8
    wording::kMeltedHim,  // 9
    wording::kMeltedHer,  // 10
    wording::kMeltedIt,  // 11
    wording::kKilledHim,  // 12
    wording::kKilledHer,  // 13
    wording::kKilledIt,  // 14
    wording::kSmallerGun,  // 15
    wording::kLava,  // 16
    wording::kSquished,  // 17
    wording::kSankLikeARock,  // 18
    wording::kMelted,  // 19
    nullptr};

const char* const ctf_red_strings[] = {
    wording::kRedCarrierDefends,  // 0
    wording::kGotBlueFlag,  // 1
    wording::kReturnedRedFlag,  // 2
    wording::kFraggedBlueCarrier,  // 3
    wording::kAssistReturningRed,  // 4
    wording::kAssistFraggingBlue,  // 5
    wording::kDefendsRedCarrierAgr,  // 6
    wording::kDefendsRedCarrier,  // 7
    wording::kDefendsRedBase,  // 8
    wording::kDefendsRedFlag,  // 9
    wording::kCapturedBlueFlag,  // 10
    nullptr};

const char* const ctf_blue_strings[] = {
    wording::kBlueCarrierDefends,  // 0
    wording::kGotRedFlag,  // 1
    wording::kReturnedBlueFlag,  // 2
    wording::kFraggedRedCarrier,  // 3
    wording::kAssistReturningBlue,  // 4
    wording::kAssistFraggingRed,  // 5
    wording::kDefendsBlueCarrierAgr,  // 6
    wording::kDefendsBlueCarrier,  // 7
    wording::kDefendsBlueBase,  // 8
    wording::kDefendsBlueFlag,  // 9
    wording::kCapturedRedFlag,  // 10
    nullptr};

int tableSize(const char* const* table) {
  int n = 0;
  while (table[n] != nullptr) ++n;
  return n;
}

namespace {

struct FlagEventText {
  const char* text;
  FlagEventKind kind;
};

const FlagEventText kFlagEventTexts[] = {
    {wording::kGotRedFlag, FlagEventKind::kTookFlag},
    {wording::kGotBlueFlag, FlagEventKind::kTookFlag},
    {wording::kReturnedRedFlag, FlagEventKind::kReturnedRedFlag},
    {wording::kReturnedBlueFlag, FlagEventKind::kReturnedBlueFlag},
    {wording::kFraggedRedCarrier, FlagEventKind::kFraggedCarrier},
    {wording::kFraggedBlueCarrier, FlagEventKind::kFraggedCarrier},
    {wording::kCapturedRedFlag, FlagEventKind::kCaptured},
    {wording::kCapturedBlueFlag, FlagEventKind::kCaptured},
    {wording::kAssistFragging, FlagEventKind::kCarrierKillAssist},
    {wording::kAssistReturning, FlagEventKind::kReturnAssist},
    {wording::kDefendsRedCarrierAgr, FlagEventKind::kDefendedCarrierAggressively},
    {wording::kDefendsBlueCarrierAgr, FlagEventKind::kDefendedCarrierAggressively},
    {wording::kDefendsRedCarrier, FlagEventKind::kDefendedCarrier},
    {wording::kDefendsBlueCarrier, FlagEventKind::kDefendedCarrier},
    {wording::kDefendsRedBase, FlagEventKind::kDefendedBase},
    {wording::kDefendsBlueBase, FlagEventKind::kDefendedBase},
    {wording::kDefendsRedFlag, FlagEventKind::kDefendedBase},
    {wording::kDefendsBlueFlag, FlagEventKind::kDefendedBase},
    {wording::kRedCarrierDefends, FlagEventKind::kDefendedAsCarrier},
    {wording::kBlueCarrierDefends, FlagEventKind::kDefendedAsCarrier},
};
constexpr int kFlagEventTextCount = static_cast<int>(sizeof kFlagEventTexts / sizeof kFlagEventTexts[0]);

// The texts of kFlagEventTexts as a null-terminated table, for the scanner.
struct FlagEventStrings {
  const char* texts[kFlagEventTextCount + 1];
  FlagEventStrings() {
    for (int i = 0; i < kFlagEventTextCount; ++i) texts[i] = kFlagEventTexts[i].text;
    texts[kFlagEventTextCount] = nullptr;
  }
};
}  // namespace

const char* const* flagEventStrings() {
  static const FlagEventStrings table;
  return table.texts;
}

FlagEventKind flagEventKind(int index) { return kFlagEventTexts[index].kind; }

// Tested in this order; the game ends its possessive obituaries with them.
const char* const possessive_strings[] = {
    wording::kPersonalSpace, wording::kGrenadeOf, wording::kShrapnelOf, wording::kPlasmagunOf, wording::kRocketOf,
    wording::kBfgOf, wording::kNailsOf, wording::kGrapplingHookOf, nullptr};
