// The private staging directory of an update, and kalimostats-c run in it over one log.
#pragma once

#include <string>
#include <vector>

namespace kxsite {

// An OSP warm-up the run reported: after the game with run id `afterGameId` (0 before the
// first game of the run), the `ordinal`-th (from 1) since that game.
struct WarmUpSeen {
  int afterGameId = 0;
  int ordinal = 0;
};

struct ProgramRun {
  std::vector<std::string> records;   // file names below the staging html/, in the run's game order
  std::vector<WarmUpSeen> warmUps;
  std::string console;                // path of the run's console output
};

// The name of the staging directories below DIR: ".staging-<pid>-<time>".
constexpr const char kStagingPrefix[] = ".staging-";

// Removes every staging directory below `siteDir` but `keep` (a path or empty): under the
// site's lock, none belongs to a running update. Returns how many were removed.
int removeStagingDirs(const std::string& siteDir, const std::string& keep);

class Staging {
 public:
  // Makes DIR/.staging-<pid>-<time>/ with html/, the configuration the runs use (game
  // records on) and the header and footer (DIR's own c-header.html / c-footer.html when it
  // has them, else the kit's).
  bool create(const std::string& siteDir, const std::string& kitDir, std::string* err);
  const std::string& dir() const { return dir_; }

  // Runs `program` (a path, or a bare name looked up in PATH) over `log` (an absolute path)
  // in the staging directory, its console in console-<n>.txt. False with the reason when it
  // cannot be started, ends on a signal or with a non-zero status.
  bool run(const std::string& program, const std::string& log, ProgramRun* out, std::string* err);

  // Deletes the directory and everything in it.
  void remove();

 private:
  std::string dir_;
  int runs_ = 0;
  std::vector<std::string> seenRecords_;
};

// The kalimostats-c to run: the one beside this program's binary, else "kalimostats-c" to be
// looked up in PATH.
std::string programBesideSelf(const std::string& name);

}  // namespace kxsite
