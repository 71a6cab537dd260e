// What the update reads of a log: its head's fingerprint, whether only its tail is new, the tail.
#include "kx-site/log_source.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace kxsite {
namespace {

constexpr size_t kChunk = 1 << 16;
constexpr std::string_view kOspLoaded = "Loaded OSP Client Version:";
constexpr std::string_view kRendererShutdown = "RE_Shutdown( 0 )";
constexpr std::string_view kInitGame = "InitGame:";
// Lines of a server log that carry facts of a game: who is there and what they do.
constexpr std::string_view kGameFacts[] = {"Kill:", "ClientConnect:", "ClientUserinfoChanged:", "ClientBegin:",
                                           "ClientDisconnect:", "Item:", "say:", "sayteam:", "score:"};
// How far into a tail the start of the next game is looked for.
constexpr int64_t kTailLookahead = 1 << 20;

// Whether the text holds one of the lines that start a server's game.
bool holdsInitGame(const std::vector<char>& text) {
  return std::search(text.begin(), text.end(), kInitGame.begin(), kInitGame.end()) != text.end();
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Two FNV-1a hashes with different offsets: enough to tell a rotated log from a grown one.
std::string hashHex(const std::vector<unsigned char>& bytes) {
  uint64_t a = 1469598103934665603ULL, b = 0x84222325cbf29ce4ULL;
  for (unsigned char c : bytes) {
    a = (a ^ c) * 1099511628211ULL;
    b = (b ^ static_cast<unsigned char>(c + 0x5b)) * 1099511628211ULL;
  }
  char out[33];
  std::snprintf(out, sizeof out, "%016llx%016llx", static_cast<unsigned long long>(a),
                static_cast<unsigned long long>(b));
  return out;
}

// A line as the recognisers compare it: without colour codes.
std::string stripped(std::string_view line) {
  std::string out;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '^' && i + 1 < line.size() && line[i + 1] != '^') {
      ++i;
      continue;
    }
    out += line[i];
  }
  return out;
}

}  // namespace

int64_t fileSize(const std::string& path) {
  File f(std::fopen(path.c_str(), "rb"));
  if (!f || std::fseek(f.get(), 0, SEEK_END) != 0) return -1;
  const long size = std::ftell(f.get());
  return size < 0 ? -1 : size;
}

bool readHead(const std::string& path, LogHead* head, std::string* err, std::optional<int64_t> bytes) {
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) {
    *err = path + ": " + std::strerror(errno);
    return false;
  }
  const size_t want = static_cast<size_t>(bytes.value_or(kHeadBytes));
  std::vector<unsigned char> buf(want);
  const size_t got = std::fread(buf.data(), 1, want, f.get());
  if (bytes && got < want) {
    *err = path + ": shorter than its known head";
    return false;
  }
  buf.resize(got);
  head->size = static_cast<int64_t>(got);
  head->hash = hashHex(buf);
  return true;
}

bool isGzip(const std::string& path) {
  File f(std::fopen(path.c_str(), "rb"));
  unsigned char magic[2] = {0, 0};
  return f && std::fread(magic, 1, 2, f.get()) == 2 && magic[0] == 0x1f && magic[1] == 0x8b;
}

bool ospAnnouncedBefore(const std::string& path, int64_t offset) {
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return false;
  bool announced = false;
  std::string line;
  std::vector<char> buf(kChunk);
  int64_t left = offset;
  auto judge = [&] {
    const std::string s = stripped(line);
    // The renderer's shutdown is looked at first, as the recogniser does.
    if (s.find(kRendererShutdown) != std::string::npos) {
      announced = false;
    } else if (s.find(kOspLoaded) != std::string::npos) {
      announced = true;
    }
    line.clear();
  };
  while (left > 0) {
    const size_t n = std::fread(buf.data(), 1, static_cast<size_t>(std::min<int64_t>(left, kChunk)), f.get());
    if (n == 0) break;
    left -= static_cast<int64_t>(n);
    for (size_t i = 0; i < n; ++i) {
      if (buf[i] == '\n') {
        judge();
      } else {
        line += buf[i];
      }
    }
  }
  if (!line.empty()) judge();
  return announced;
}

bool tailStartsWithAGame(const std::string& path, int64_t offset) {
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return false;
  std::vector<char> head(static_cast<size_t>(kHeadBytes));
  head.resize(std::fread(head.data(), 1, head.size(), f.get()));
  // A client's console log has no game of the server's in it: its tail is judged elsewhere.
  if (!holdsInitGame(head)) return true;
  if (std::fseek(f.get(), static_cast<long>(offset), SEEK_SET) != 0) return false;
  std::vector<char> tail(static_cast<size_t>(kTailLookahead));
  tail.resize(std::fread(tail.data(), 1, tail.size(), f.get()));
  std::string_view text(tail.data(), tail.size());
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (line.find(kInitGame) != std::string_view::npos) return true;
    for (const std::string_view fact : kGameFacts) {
      if (line.find(fact) != std::string_view::npos) return false;
    }
    start = end + 1;
  }
  // No fact of a game in the whole tail (an empty one, say): nothing is read without its start.
  return static_cast<int64_t>(tail.size()) < kTailLookahead;
}

std::optional<int64_t> tailStart(const std::string& path, const LogState& known) {
  if (!known.nextOffset || isGzip(path)) return std::nullopt;
  const int64_t size = fileSize(path);
  if (size < *known.nextOffset || *known.nextOffset <= 0) return std::nullopt;
  LogHead head;
  std::string err;
  if (!readHead(path, &head, &err, known.headSize) || head.hash != known.headHash) return std::nullopt;
  // Correctness first: where the tail alone would be read without the OSP announcement that
  // a whole read carries into it, the log is read whole and its games told apart by their
  // fingerprints.
  if (ospAnnouncedBefore(path, *known.nextOffset)) return std::nullopt;
  // So is a server log whose next game goes on without its own start (a console that keeps
  // the map and its players): read alone, the tail would not know who is playing.
  if (!tailStartsWithAGame(path, *known.nextOffset)) return std::nullopt;
  return *known.nextOffset;
}

bool writeTail(const std::string& path, int64_t offset, const std::string& dest, std::string* err) {
  File in(std::fopen(path.c_str(), "rb"));
  if (!in || std::fseek(in.get(), static_cast<long>(offset), SEEK_SET) != 0) {
    *err = path + ": " + std::strerror(errno);
    return false;
  }
  File out(std::fopen(dest.c_str(), "wb"));
  if (!out) {
    *err = dest + ": " + std::strerror(errno);
    return false;
  }
  std::vector<char> buf(kChunk);
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), in.get())) > 0) {
    if (std::fwrite(buf.data(), 1, n, out.get()) != n) {
      *err = dest + ": " + std::strerror(errno);
      return false;
    }
  }
  if (std::ferror(in.get()) || std::fflush(out.get()) != 0) {
    *err = "cannot copy the end of " + path;
    return false;
  }
  return true;
}

}  // namespace kxsite
