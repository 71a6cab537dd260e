// The private staging directory of an update, and kalimostats-c run in it over one log.
#include "kx-site/staging.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "kx-index/record_reader.h"

namespace fs = std::filesystem;

namespace kxsite {
namespace {

constexpr const char kConfigName[] = "kx-site.cfg";
constexpr const char kWarmUpLine[] = "OSP warm-up detected";
constexpr const char kGameIdLine[] = "<GAME ID ";

// Our pages and records, in the site kit's style, always with the game record.
constexpr const char kConfig[] =
    "# Written by kx-site for its own runs of kalimostats-c.\n"
    "file_extension:\nhtml\n"
    "stylesheet:\nc-kalimo.css\n"
    "make_weapon_stats:\nyes\n"
    "use_weapon_colors:\nyes\n"
    "use_name_colors:\nyes\n"
    "display_unknown_team_players:\nno\n"
    "header_file:\nc-header.html\n"
    "footer_file:\nc-footer.html\n"
    "write_game_records:\nyes\n";

bool copyFile(const fs::path& from, const fs::path& to, std::string* err) {
  std::error_code ec;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  if (ec) *err = "cannot copy " + from.string() + ": " + ec.message();
  return !ec;
}

std::vector<std::string> recordsIn(const fs::path& html) {
  std::vector<std::string> out;
  std::error_code ec;
  for (fs::directory_iterator it(html, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (kxindex::isRecordName(name)) out.push_back(name);
  }
  std::sort(out.begin(), out.end());
  return out;
}

// The run id a record's file name carries ("..._1002_FFA_PUB_game.json" gives 1002), after the
// six fields of the time stamp.
int gameIdOfName(const std::string& name) {
  size_t pos = 0;
  for (int field = 0; field < 7 && pos != std::string::npos; ++field) pos = name.find('_', pos + 1);
  return pos == std::string::npos ? 0 : std::atoi(name.c_str() + pos + 1);
}

}  // namespace

int removeStagingDirs(const std::string& siteDir, const std::string& keep) {
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(siteDir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(kStagingPrefix, 0) != 0 || it->path().string() == keep) continue;
    std::error_code rm;
    fs::remove_all(it->path(), rm);
    if (!rm) ++removed;
  }
  return removed;
}

bool Staging::create(const std::string& siteDir, const std::string& kitDir, std::string* err) {
  std::error_code ec;
  // Absolute: kalimostats-c runs inside it and is handed paths below it.
  dir_ = fs::absolute(siteDir, ec).lexically_normal().string() + "/" + kStagingPrefix + std::to_string(::getpid()) + "-" + std::to_string(std::time(nullptr));
  fs::create_directories(dir_ + "/html", ec);
  if (ec) {
    *err = "cannot make " + dir_ + ": " + ec.message();
    return false;
  }
  std::ofstream cfg(dir_ + "/" + kConfigName, std::ios::binary);
  cfg << kConfig;
  cfg.close();
  if (!cfg) {
    *err = "cannot write " + dir_ + "/" + kConfigName;
    return false;
  }
  for (const char* piece : {"c-header.html", "c-footer.html"}) {
    const fs::path own = fs::path(siteDir) / piece;
    const fs::path from = fs::exists(own) ? own : fs::path(kitDir) / piece;
    if (!copyFile(from, fs::path(dir_) / piece, err)) return false;
  }
  return true;
}

bool Staging::run(const std::string& program, const std::string& log, ProgramRun* out, std::string* err) {
  ++runs_;
  out->console = dir_ + "/console-" + std::to_string(runs_) + ".txt";
  const int console = ::open(out->console.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (console < 0) {
    *err = out->console + ": " + std::strerror(errno);
    return false;
  }
  std::vector<char*> argv = {const_cast<char*>("kalimostats-c"), const_cast<char*>(log.c_str()),
                             const_cast<char*>(kConfigName), nullptr};
  const pid_t pid = ::fork();
  if (pid < 0) {
    *err = std::string("cannot start kalimostats-c: ") + std::strerror(errno);
    ::close(console);
    return false;
  }
  if (pid == 0) {
    if (::chdir(dir_.c_str()) != 0 || ::dup2(console, 1) < 0 || ::dup2(console, 2) < 0) ::_exit(126);
    if (program.find('/') != std::string::npos) {
      ::execv(program.c_str(), argv.data());
    } else {
      ::execvp(program.c_str(), argv.data());
    }
    ::_exit(127);
  }
  ::close(console);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 127) {
    *err = "cannot run " + program + " (install kalimostats-c beside kx-site or in PATH)";
    return false;
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    *err = "kalimostats-c failed on " + log + " (" +
           (WIFEXITED(status) ? "exit status " + std::to_string(WEXITSTATUS(status))
                              : "signal " + std::to_string(WTERMSIG(status))) +
           "; its output is in " + out->console + ")";
    return false;
  }

  const std::vector<std::string> all = recordsIn(dir_ + "/html");
  std::set<std::string> before(seenRecords_.begin(), seenRecords_.end());
  out->records.clear();
  for (const std::string& name : all) {
    if (before.count(name) == 0) out->records.push_back(name);
  }
  std::sort(out->records.begin(), out->records.end(), [](const std::string& a, const std::string& b) {
    return gameIdOfName(a) < gameIdOfName(b);
  });
  seenRecords_ = all;

  std::ifstream in(out->console, std::ios::binary);
  std::string line;
  int lastGame = 0, since = 0;
  while (std::getline(in, line)) {
    const size_t id = line.find(kGameIdLine);
    if (id != std::string::npos) {
      lastGame = std::atoi(line.c_str() + id + sizeof kGameIdLine - 1);
      since = 0;
    } else if (line.rfind(kWarmUpLine, 0) == 0) {
      out->warmUps.push_back({lastGame, ++since});
    }
  }
  return true;
}

void Staging::remove() {
  if (dir_.empty()) return;
  std::error_code ec;
  fs::remove_all(dir_, ec);
  dir_.clear();
}

std::string programBesideSelf(const std::string& name) {
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n > 0) {
    self[n] = '\0';
    const fs::path beside = fs::path(self).parent_path() / name;
    if (::access(beside.c_str(), X_OK) == 0) return beside.string();
  }
  return name;
}

}  // namespace kxsite
