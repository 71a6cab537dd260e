// Reads one line of a dedicated server's log: its time, its kind and the fields behind the kind.
#pragma once

#include <string_view>

// Client numbers of a server: 0 to kMaxClients - 1. Anything else in a killer field is the world.
constexpr int kMaxClients = 64;

struct ServerLine {
  std::string_view kind;    // "Kill", "InitGame", ...: the word before the colon
  std::string_view fields;  // everything after "Kind:", leading blanks removed
};

// Splits `line` (line break removed) into an optional time ("mm:ss" padded with blanks,
// "1230:04", or seconds with a decimal such as "45.1" or CPMA's "57.+", followed by one blank) and "Kind: fields",
// where Kind is letters and underscores. Console logs of servers carry the same kinds without
// a time, so the time is optional. CPMA's "Rcon from ADDRESS: command" is kind "Rcon" with the
// command as its fields. Returns false, with `out.kind` empty, for any other line
// (console chatter, separators, a line cut and glued to the next).
bool readServerLine(std::string_view line, ServerLine& out);

// Reads a decimal integer (an optional minus sign, then digits) after leading blanks and moves
// `text` past it. False, with `text` and `value` unchanged, when there are no digits.
bool readInt(std::string_view& text, int& value);

// The value of `key` in a backslash-separated info string: "\key\value\key\value..." (the
// InitGame form) or "key\value\key\value..." (the ClientUserinfoChanged form). Keys compare
// exactly. `found` tells an absent key from an empty value.
std::string_view infoValue(std::string_view info, std::string_view key, bool* found = nullptr);

// The fields of "Kill: 1022 2 22: <world> killed Isgalamido by MOD_TRIGGER_HURT", where mods
// may append fields after the means ("by MOD_RAILGUN 2", "by MOD_ROCKET 5 in arena 0").
struct KillFields {
  int killer = 0;
  int victim = 0;
  std::string_view means;       // "MOD_TRIGGER_HURT"
  std::string_view killerName;  // the names as the line prints them ("<world>" for the world)
  std::string_view victimName;
};

// False for a line that does not have three numbers, a colon, " killed " and " by MOD_".
// The means is the word after the last " by MOD_", so a name holding " by " does not cut it.
bool readKill(std::string_view fields, KillFields& out);
