// What the update reads of a log: its head's fingerprint, whether only its tail is new, the tail.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "kx-site/archive.h"

namespace kxsite {

// The bytes of a log's head that identify it: a log whose first 64 KiB are unchanged is the
// same log, grown.
constexpr int64_t kHeadBytes = 64 * 1024;

struct LogHead {
  int64_t size = 0;   // bytes hashed: the log's first min(file size, kHeadBytes)
  std::string hash;   // 32 hexadecimal digits
};

// The head of the log, or of its first `bytes` bytes when given; false when the file cannot
// be read or is shorter than `bytes`.
bool readHead(const std::string& path, LogHead* head, std::string* err, std::optional<int64_t> bytes = std::nullopt);

// The log's size in bytes; -1 when it cannot be read.
int64_t fileSize(const std::string& path);

// True for a gzip-compressed file (its magic bytes), which is always read whole.
bool isGzip(const std::string& path);

// Whether the game client's OSP announcement is in force at byte `offset`: kalimostats-c
// carries it from game to game until the renderer shuts down, and reads the end of a match
// differently under it, so a read that starts at `offset` would not see the same games.
bool ospAnnouncedBefore(const std::string& path, int64_t offset);

// Whether a read that starts at `offset` starts with a game of its own: in a server log, a line
// that starts a game ("InitGame:") comes before any line with a fact of a game. True for a log
// without server games in its head (a client's console log).
bool tailStartsWithAGame(const std::string& path, int64_t offset);

// Where reading a known log may start: its stored offset when its head is unchanged, it is
// not compressed, it has grown past the offset, and the read from there sees the log as a
// whole read would; nothing when it must be read whole.
std::optional<int64_t> tailStart(const std::string& path, const LogState& known);

// Copies the log from `offset` to its end into `dest`; false with the reason.
bool writeTail(const std::string& path, int64_t offset, const std::string& dest, std::string* err);

}  // namespace kxsite
