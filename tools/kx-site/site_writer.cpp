// Writing the site's own pages into html/ from the archive, each through a temporary name.
#include "kx-site/site_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "kx-site/site_pages.h"
#include "kx-site/site_query.h"

namespace kxsite {
namespace {

bool writeIndex(Archive& archive, const std::string& htmlDir, int* written, std::string* err) {
  const std::vector<GameSummary> games = allGames(archive);
  const int pages = games.empty() ? 1 : static_cast<int>((games.size() + kGamesPerIndexPage - 1) / kGamesPerIndexPage);
  for (int page = 1; page <= pages; ++page) {
    const size_t from = static_cast<size_t>(page - 1) * kGamesPerIndexPage;
    const size_t to = std::min(games.size(), from + kGamesPerIndexPage);
    const std::vector<GameSummary> slice(games.begin() + static_cast<std::ptrdiff_t>(from),
                                         games.begin() + static_cast<std::ptrdiff_t>(to));
    if (!writeFileAtomically(htmlDir, indexPageName(page), indexPage(slice, page, pages), err)) return false;
    ++*written;
  }
  // An index page past the last would still list games twice: none is left behind.
  for (int page = pages + 1;; ++page) {
    std::error_code ec;
    if (!std::filesystem::remove(std::filesystem::path(htmlDir) / indexPageName(page), ec)) break;
  }
  return true;
}

bool writeOne(Archive& archive, const std::string& htmlDir, const std::string& stale, int* written,
              std::string* err) {
  if (stale == "index") return writeIndex(archive, htmlDir, written, err);
  if (stale == "unrated") {
    ++*written;
    return writeFileAtomically(htmlDir, kUnratedPageName, unratedPage(unratedGames(archive)), err);
  }
  if (stale.rfind("ranking ", 0) == 0) {
    GameType type;
    if (!gameTypeOf(stale.substr(8), &type)) return true;
    ++*written;
    return writeFileAtomically(htmlDir, rankingPageName(type), rankingPage(type, ranking(archive, type)), err);
  }
  if (stale.rfind("player ", 0) == 0) {
    PlayerProfile profile;
    if (!playerProfile(archive, std::stoll(stale.substr(7)), &profile)) return true;
    ++*written;
    return writeFileAtomically(htmlDir, profile.player.page, playerPage(profile), err);
  }
  return true;
}

}  // namespace

bool markAllStale(Archive& archive, std::string* err) {
  bool ok = archive.markStale("index", err) && archive.markStale("unrated", err);
  for (int t = 0; ok && t < kGameTypeCount; ++t) {
    ok = archive.markStale(std::string("ranking ") + gameTypeCode(static_cast<GameType>(t)), err);
  }
  for (int64_t id : allPlayers(archive)) {
    ok = ok && archive.markStale("player " + std::to_string(id), err);
  }
  return ok;
}

bool writeStalePages(Archive& archive, const std::string& htmlDir, int* written, std::string* err) {
  *written = 0;
  // The pages every page links to are there from the first update on, and come back when removed.
  std::error_code ec;
  bool ok = true;
  if (!std::filesystem::exists(std::filesystem::path(htmlDir) / indexPageName(1), ec)) ok = archive.markStale("index", err);
  if (ok && !std::filesystem::exists(std::filesystem::path(htmlDir) / kUnratedPageName, ec)) {
    ok = archive.markStale("unrated", err);
  }
  for (int t = 0; ok && t < kGameTypeCount; ++t) {
    const GameType type = static_cast<GameType>(t);
    if (!std::filesystem::exists(std::filesystem::path(htmlDir) / rankingPageName(type), ec)) {
      ok = archive.markStale(std::string("ranking ") + gameTypeCode(type), err);
    }
  }
  if (!ok) return false;
  for (const std::string& stale : archive.stalePages()) {
    if (!writeOne(archive, htmlDir, stale, written, err)) return false;
  }
  return archive.clearStale(err);
}

bool writeFileAtomically(const std::string& dir, const std::string& name, const std::string& text, std::string* err) {
  const std::string tmp = dir + "/.tmp-" + name;
  const std::string path = dir + "/" + name;
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    *err = tmp + ": " + std::strerror(errno);
    return false;
  }
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      *err = tmp + ": " + std::strerror(errno);
      ::close(fd);
      ::unlink(tmp.c_str());
      return false;
    }
    done += static_cast<size_t>(n);
  }
  if (::close(fd) != 0 || std::rename(tmp.c_str(), path.c_str()) != 0) {
    *err = path + ": " + std::strerror(errno);
    ::unlink(tmp.c_str());
    return false;
  }
  return true;
}

}  // namespace kxsite
