// The message tables, written out in the exact order their users scan them.
#include "read/vocabulary.h"

#include <array>
#include <utility>

// The entries are numbered for readers who compare a table with a log; duplicates and the
// two backslash forms (which can never match, because backslashes are replaced before a
// line is recognised) belong to the tables as the game's texts were collected.
const char* const valid_strings[] = {
    " was disemboweled by ",  // 0
    " was swimming too close to ",  // 1
    " was impaled by ",  // 2
    "pressed the wrong button.",  // 3
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
    "was in the wrong place.",  // 41
    "cratered.",  // 42
    "blew himself up.",  // 43
    "blew herself up.",  // 44
    "blew itself up.",  // 45
    "tripped on his own grenade.",  // 46
    "tripped on her own grenade.",  // 47
    "tripped on its own grenade.",  // 48
    "melted himself.",  // 49
    "melted herself.",  // 50
    "melted itself.",  // 51
    "killed himself.",  // 52
    "killed herself.",  // 53
    "killed itself.",  // 54
    "should have used a smaller gun.",  // 55
    "does a back flip into the lava.",  // 56
    "was squished.",  // 57
    "sank like a rock.",  // 58
    "melted.",  // 59
    "RED's flag carrier defends against an agressive enemy",  // 60
    "got the BLUE flag!",  // 61
    "returned the RED flag!",  // 62
    "fragged BLUE's flag carrier!",  // 63
    "gets an assist for returning the RED flag!",  // 64
    "gets an assist for fragging the RED flag carrier!",  // 65
    "defends RED's flag carrier against an agressive enemy",  // 66
    "defends the RED's flag carrier.",  // 67
    "defends the RED base",  // 68
    "defends the RED flag",  // 69
    "captured the BLUE flag!",  // 70
    "BLUE's flag carrier defends against an agressive enemy",  // 71
    "got the RED flag!",  // 72
    "returned the BLUE flag!",  // 73
    "fragged RED's flag carrier!",  // 74
    "gets an assist for returning the BLUE flag!",  // 75
    "gets an assist for fragging the BLUE flag carrier!",  // 76
    "defends BLUE's flag carrier against an agressive enemy",  // 77
    "defends the BLUE's flag carrier.",  // 78
    "defends the BLUE base",  // 79
    "defends the BLUE flag",  // 80
    "captured the RED flag!",  // 81
    " was pummeled by ",  // 82
    " was machinegunned by ",  // 83
    " was gunned down by ",  // 84
    " was shredded by ",  // 85
    " almost dodged ",  // 86
    " ate ",  // 87
    " was electrocuted by ",  // 88
    " was railed by ",  // 89
    " was melted by ",  // 90
    " was blasted by ",  // 91
    " tried to invade ",  // 92
    nullptr};

const char* const addPlayer_strings[] = {
    " was disemboweled by ",  // 0
    "pressed the wrong button.",  // 1
    " was swimming too close to ",  // 2
    " was impaled by ",  // 3
    "entered the game",  // 4
    " was pummeled by ",  // 5
    " was machinegunned by ",  // 6
    " was gunned down by ",  // 7
    " was shredded by ",  // 8
    " almost dodged ",  // 9
    " ate ",  // 10
    " was electrocuted by ",  // 11
    " was railed by ",  // 12
    " was melted by ",  // 13
    " was blasted by ",  // 14
    " tried to invade ",  // 15
    "was in the wrong place.",  // 16
    "cratered.",  // 17
    "blew himself up.",  // 18
    "blew herself up.",  // 19
    "blew itself up.",  // 20
    "killed himself.",  // 21
    "killed herself.",  // 22
    "killed itself.",  // 23
    "tripped on his own grenade.",  // 24
    "tripped on her own grenade.",  // 25
    "tripped on its own grenade.",  // 26
    "melted himself.",  // 27
    "melted herself.",  // 28
    "melted itself.",  // 29
    "should have used a smaller gun.",  // 30
    "does a back flip into the lava.",  // 31
    "was squished.",  // 32
    "sank like a rock.",  // 33
    "melted.",  // 34
    "RED's flag carrier defends against an agressive enemy",  // 35
    "got the BLUE flag!",  // 36
    "returned the RED flag!",  // 37
    "fragged BLUE's flag carrier!",  // 38
    "fragged BLUE's flag carrier!",  // 39
    "gets an assist for returning the RED flag!",  // 40
    "gets an assist for fragging the RED flag carrier!",  // 41
    "defends RED's flag carrier against an agressive enemy",  // 42
    "defends the RED's flag carrier.",  // 43
    "defends the RED base",  // 44
    "defends the RED flag",  // 45
    "captured the BLUE flag!",  // 46
    "BLUE's flag carrier defends against an agressive enemy",  // 47
    "got the RED flag!",  // 48
    "returned the BLUE flag!",  // 49
    "fragged RED's flag carrier!",  // 50
    "fragged RED's flag carrier!",  // 51
    "gets an assist for returning the BLUE flag!",  // 52
    "gets an assist for fragging the BLUE flag carrier!",  // 53
    "defends BLUE's flag carrier against an agressive enemy",  // 54
    "defends the BLUE's flag carrier.",  // 55
    "defends the BLUE base",  // 56
    "defends the BLUE flag",  // 57
    "captured the RED flag!",  // 58
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
    " was disemboweled by ",  // 0
    " was swimming too close to ",  // 1
    " was impaled by ",  // 2
    " was pummeled by ",  // 3
    " was machinegunned by ",  // 4
    " was gunned down by ",  // 5
    " was shredded by ",  // 6
    " almost dodged ",  // 7
    " ate ",  // 8
    " was electrocuted by ",  // 9
    " was railed by ",  // 10
    " was melted by ",  // 11
    " was blasted by ",  // 12
    " tried to invade ",  // 13
    " renamed to ",  // 14
    " is using model ",  // 15
    " is on team ",  // 16
    " picked up the item ",  // 17
    " accuracy statistics ",  // 18
    "Accuracy info for: ",  // 19
    nullptr};

const char* const self_strings[] = {
    "pressed the wrong button.",  // 0
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
    "was in the wrong place.",  // 11
    "cratered.",  // 12
    "blew himself up.",  // 13
    "blew herself up.",  // 14
    "blew itself up.",  // 15
    "killed himself.",  // 16
    "killed herself.",  // 17
    "killed itself.",  // 18
    "tripped on his own grenade.",  // 19
    "tripped on her own grenade.",  // 20
    "tripped on its own grenade.",  // 21
    "melted himself.",  // 22
    "melted herself.",  // 23
    "melted itself.",  // 24
    "should have used a smaller gun.",  // 25
    "does a back flip into the lava.",  // 26
    "was squished.",  // 27
    "sank like a rock.",  // 28
    "melted.",  // 29
    "RED's flag carrier defends against an agressive enemy",  // 30
    "got the BLUE flag!",  // 31
    "returned the RED flag!",  // 32
    "fragged BLUE's flag carrier!",  // 33
    "fragged BLUE's flag carrier!",  // 34
    "gets an assist for returning the RED flag!",  // 35
    "gets an assist for fragging the RED flag carrier!",  // 36
    "defends RED's flag carrier against an agressive enemy",  // 37
    "defends the RED's flag carrier.",  // 38
    "defends the RED base",  // 39
    "defends the RED flag",  // 40
    "captured the BLUE flag!",  // 41
    "BLUE's flag carrier defends against an agressive enemy",  // 42
    "got the RED flag!",  // 43
    "returned the BLUE flag!",  // 44
    "fragged RED's flag carrier!",  // 45
    "fragged RED's flag carrier!",  // 46
    "gets an assist for returning the BLUE flag!",  // 47
    "gets an assist for fragging the BLUE flag carrier!",  // 48
    "defends BLUE's flag carrier against an agressive enemy",  // 49
    "defends the BLUE's flag carrier.",  // 50
    "defends the BLUE base",  // 51
    "defends the BLUE flag",  // 52
    "captured the RED flag!",  // 53
    nullptr};

const char* const suicide_strings[] = {
    "pressed the wrong button.",  // 0
    "was in the wrong place.",  // 1
    "cratered.",  // 2
    "blew himself up.",  // 3
    "blew herself up.",  // 4
    "blew itself up.",  // 5
    "tripped on his own grenade.",  // 6
    "tripped on her own grenade.",  // 7
    "tripped on its own grenade.",  // 8
    "melted himself.",  // 9
    "melted herself.",  // 10
    "melted itself.",  // 11
    "killed himself.",  // 12
    "killed herself.",  // 13
    "killed itself.",  // 14
    "should have used a smaller gun.",  // 15
    "does a back flip into the lava.",  // 16
    "was squished.",  // 17
    "sank like a rock.",  // 18
    "melted.",  // 19
    nullptr};

const char* const ctf_red_strings[] = {
    "RED's flag carrier defends against an agressive enemy",  // 0
    "got the BLUE flag!",  // 1
    "returned the RED flag!",  // 2
    "fragged BLUE's flag carrier!",  // 3
    "gets an assist for returning the RED flag!",  // 4
    "gets an assist for fragging the BLUE flag carrier!",  // 5
    "defends RED's flag carrier against an agressive enemy",  // 6
    "defends the RED's flag carrier.",  // 7
    "defends the RED base",  // 8
    "defends the RED flag",  // 9
    "captured the BLUE flag!",  // 10
    nullptr};

const char* const ctf_blue_strings[] = {
    "BLUE's flag carrier defends against an agressive enemy",  // 0
    "got the RED flag!",  // 1
    "returned the BLUE flag!",  // 2
    "fragged RED's flag carrier!",  // 3
    "gets an assist for returning the BLUE flag!",  // 4
    "gets an assist for fragging the RED flag carrier!",  // 5
    "defends BLUE's flag carrier against an agressive enemy",  // 6
    "defends the BLUE's flag carrier.",  // 7
    "defends the BLUE base",  // 8
    "defends the BLUE flag",  // 9
    "captured the RED flag!",  // 10
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
    {"got the RED flag!", FlagEventKind::kTookFlag},
    {"got the BLUE flag!", FlagEventKind::kTookFlag},
    {"returned the RED flag!", FlagEventKind::kReturnedRedFlag},
    {"returned the BLUE flag!", FlagEventKind::kReturnedBlueFlag},
    {"fragged RED's flag carrier!", FlagEventKind::kFraggedCarrier},
    {"fragged BLUE's flag carrier!", FlagEventKind::kFraggedCarrier},
    {"captured the RED flag!", FlagEventKind::kCaptured},
    {"captured the BLUE flag!", FlagEventKind::kCaptured},
    // The assist messages stop before the colour word, so they match both teams.
    {"gets an assist for fragging the", FlagEventKind::kCarrierKillAssist},
    {"gets an assist for returning the", FlagEventKind::kReturnAssist},
    {"defends RED's flag carrier against an agressive enemy", FlagEventKind::kDefendedCarrierAggressively},
    {"defends BLUE's flag carrier against an agressive enemy", FlagEventKind::kDefendedCarrierAggressively},
    {"defends the RED's flag carrier.", FlagEventKind::kDefendedCarrier},
    {"defends the BLUE's flag carrier.", FlagEventKind::kDefendedCarrier},
    {"defends the RED base", FlagEventKind::kDefendedBase},
    {"defends the BLUE base", FlagEventKind::kDefendedBase},
    {"defends the RED flag", FlagEventKind::kDefendedBase},
    {"defends the BLUE flag", FlagEventKind::kDefendedBase},
    {"RED's flag carrier defends against an agressive enemy", FlagEventKind::kDefendedAsCarrier},
    {"BLUE's flag carrier defends against an agressive enemy", FlagEventKind::kDefendedAsCarrier},
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
    "'s personal space", "'s grenade", "'s shrapnel", "'s plasmagun", "'s rocket",
    "'s BFG", "'s shower of nails", "'s grappling hook", nullptr};
