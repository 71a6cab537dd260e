// The outputs of a finished game, built from the game as the tracker finished it: pages, SQL lines and record built into buffers and handed on.
#include "run/game.h"

#include <cstdio>

#include "base/console.h"
#include "base/scratch_pool.h"
#include "base/strutil.h"
#include "game/game_result.h"
#include "game/game_type.h"
#include "out/game_record.h"
#include "out/page.h"
#include "out/sql_lines.h"
#include "out/weapon_page.h"
#include "out/writer.h"
#include "run/output_queue.h"

namespace {

// Fills `file` with what `write` writes into a page buffer that takes over the file's storage.
template <class Write>
void fill(OutputFile& file, Write write) {
  PageBuffer page;
  page.swapStorage(file.bytes);
  write(page);
  file.size = page.size();
  page.swapStorage(file.bytes);
}

// Each chat quote shown in a team player's block has always been cut as a scratch string, and
// the run's pool figure counts it.
void countQuoteCuts(const GameResult& game) {
  if (!isTeamGameType(game.gameType)) return;
  for (const PlayerRecord& p : game.players) {
    if ((p.team == TEAM_RED || p.team == TEAM_BLUE) && p.quote != kSentinelName) storeMallocs();
  }
}

// The end of the game's console listing, once its files are handed on.
bool closeListing() {
  consoleWrite("-------------------------------------<done>---------\n");
  consoleWrite("\n");
  return true;
}

}  // namespace

bool GameOutputs::write(const GameResult& game, std::FILE* sqlStream) {
  const PageOptions& options = options_;
  const PageNames names = pageNames(game, options.fileExtension);

  // The SQL lines follow the pages they name, so that a failure or a kill never leaves lines
  // that point the site at a page that is not there. Only a run opens the SQL file; pages
  // written without it (tests) just have no record.
  sql_.clear();
  writeSqlLines(names, sql_);
  countQuoteCuts(game);

  const bool queued = OutputQueue::running();
  std::unique_ptr<GameFiles> files = queued ? OutputQueue::spareFiles() : std::move(unqueued_);
  files->count = 0;
  const SiteFiles site{header_.bytes(options.headerFile), footer_.bytes(options.footerFile)};

  std::size_t beforeWeaponPage = 0;
  OutputFile& main = files->add();
  main.name = names.main.view();
  fill(main, [&](PageBuffer& page) {
    PageWriter w(page, options, names, site);
    beforeWeaponPage = writeMainPage(w, game);
  });
  if (options.weaponPage) {
    main.aroundNext = true;
    main.writtenBeforeNext = beforeWeaponPage;
    OutputFile& weapon = files->add();  // `main` may have moved
    weapon.name = names.weapon.view();
    fill(weapon, [&](PageBuffer& page) {
      PageWriter w(page, options, names, site);
      writeWeaponPage(w, game);
    });
  }
  if (options.gameRecords) {
    record_.clear();
    writeGameRecord(game, names.main.view(), options.weaponPage ? names.weapon.view() : std::string_view(),
                    record_);
    OutputFile& record = files->add();
    record.name = gameRecordName(names.main.view(), options.fileExtension);
    fill(record, [&](PageBuffer& page) { page.append(record_); });
  }

  if (queued) {
    // The queue writes in order and nothing after a failed write: the lines go after the pages.
    OutputQueue::submit(std::move(files));
    OutputQueue::submitSql(sql_);
    return closeListing();
  }
  std::string failure;
  if (sink_ != nullptr) {
    for (std::size_t i = 0; i < files->count; ++i) {
      sink_(std::string_view(files->files[i].bytes.data(), files->files[i].size));
    }
  } else {
    failure = writeGameFiles(*files);
  }
  unqueued_ = std::move(files);
  if (failure.empty()) {
    if (sqlStream != nullptr) writeBytes(sqlStream, sql_);
    return closeListing();
  }
  consoleWrite(failure);
  return false;
}
