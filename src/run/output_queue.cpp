// The output queue: console bytes, SQL bytes and games' files carried out in order by one writer thread.
#include "run/output_queue.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/console.h"
#include "base/strutil.h"

namespace {

// Games waiting to be written, at most: enough to keep the writer busy while a game is read,
// few enough that memory stays flat however long the log.
constexpr std::size_t kMaxGamesQueued = 2;

enum class Target { kConsole, kSql, kFiles };

struct Item {
  Target target;
  std::string bytes;                 // console or SQL text
  std::unique_ptr<GameFiles> files;  // a game's files
};

struct Queue {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<Item> items;
  std::size_t gamesQueued = 0;
  bool busy = false;               // the writer holds an item taken off the queue
  bool stopping = false;
  bool failed = false;
  std::vector<std::unique_ptr<GameFiles>> spare;
  std::thread writer;
  bool running = false;

  int sqlFd = -1;                  // the SQL file, or -1 when the run has none
  std::atomic<bool> failedFlag{false};
  std::string consoleError;        // why the console could not be written
};

Queue& queue() {
  static Queue* q = new Queue();  // never destroyed: the writer may outlive static destruction
  return *q;
}

// Carries out one item; false when it failed (its failure written to the console if possible).
bool carryOut(Queue& q, Item& item) {
  switch (item.target) {
    case Target::kConsole:
      if (writeAllBytes(STDOUT_FILENO, item.bytes.data(), item.bytes.size())) return true;
      q.consoleError = std::strerror(errno);
      return false;
    case Target::kSql:
      if (writeAllBytes(q.sqlFd, item.bytes.data(), item.bytes.size())) return true;
      {
        const std::string message =
            std::string("ERROR: could not write db_sql_gamestats.txt: ") + std::strerror(errno) + "\n";
        if (!writeAllBytes(STDOUT_FILENO, message.data(), message.size())) q.consoleError = std::strerror(errno);
      }
      return false;
    case Target::kFiles: {
      const std::string failure = writeGameFiles(*item.files);
      if (failure.empty()) return true;
      if (!writeAllBytes(STDOUT_FILENO, failure.data(), failure.size())) q.consoleError = std::strerror(errno);
      return false;
    }
  }
  return false;
}

void writerLoop() {
  Queue& q = queue();
  std::unique_lock<std::mutex> lock(q.mutex);
  for (;;) {
    q.changed.wait(lock, [&q] { return !q.items.empty() || q.stopping; });
    if (q.items.empty()) return;
    Item item = std::move(q.items.front());
    q.items.pop_front();
    q.busy = true;
    lock.unlock();
    const bool ok = carryOut(q, item);
    lock.lock();
    q.busy = false;
    if (item.target == Target::kFiles) {
      --q.gamesQueued;
      q.spare.push_back(std::move(item.files));
    }
    if (!ok) {
      // Nothing after a failed write is written: the run stops there.
      q.failed = true;
      q.failedFlag.store(true, std::memory_order_relaxed);
      q.items.clear();
      q.gamesQueued = 0;
    }
    q.changed.notify_all();
  }
}

void enqueue(Target target, const char* bytes, std::size_t size) {
  Queue& q = queue();
  std::lock_guard<std::mutex> lock(q.mutex);
  if (q.failed) return;
  // Text joins the text queued before it while the writer has not taken that yet.
  if (!q.items.empty() && q.items.back().target == target) {
    q.items.back().bytes.append(bytes, size);
  } else {
    q.items.push_back(Item{target, std::string(bytes, size), nullptr});
  }
  q.changed.notify_all();
}

// Console text joins the queue in the order it is written.
class QueuedConsole : public ConsoleSink {
 public:
  void write(const char* bytes, std::size_t size) override { enqueue(Target::kConsole, bytes, size); }
};

QueuedConsole& queuedConsole() {
  static QueuedConsole* console = new QueuedConsole();  // never destroyed, like the queue
  return *console;
}

}  // namespace

bool OutputQueue::start(std::FILE* sqlStream) {
  Queue& q = queue();
  if (q.running) return true;
  flushConsole();
  if (sqlStream != nullptr) std::fflush(sqlStream);
  try {
    q.writer = std::thread(writerLoop);
  } catch (const std::exception&) {
    return false;
  }
  q.running = true;
  q.failed = false;
  q.failedFlag.store(false, std::memory_order_relaxed);
  q.sqlFd = sqlStream != nullptr ? ::fileno(sqlStream) : -1;
  setConsoleSink(&queuedConsole());
  return true;
}

bool OutputQueue::running() { return queue().running; }

std::unique_ptr<GameFiles> OutputQueue::spareFiles() {
  Queue& q = queue();
  std::lock_guard<std::mutex> lock(q.mutex);
  if (q.spare.empty()) return std::make_unique<GameFiles>();
  std::unique_ptr<GameFiles> files = std::move(q.spare.back());
  q.spare.pop_back();
  return files;
}

void OutputQueue::submit(std::unique_ptr<GameFiles> files) {
  Queue& q = queue();
  // What was written before the pages, console lines and the SQL lines of the games before
  // (which follow their own pages), is queued already: it goes before them.
  std::unique_lock<std::mutex> lock(q.mutex);
  q.changed.wait(lock, [&q] { return q.gamesQueued < kMaxGamesQueued || q.failed; });
  if (q.failed) return;
  q.items.push_back(Item{Target::kFiles, std::string(), std::move(files)});
  ++q.gamesQueued;
  q.changed.notify_all();
}

void OutputQueue::submitSql(std::string_view lines) {
  if (queue().sqlFd < 0) return;
  enqueue(Target::kSql, lines.data(), lines.size());
}

bool OutputQueue::failed() { return queue().failedFlag.load(std::memory_order_relaxed); }

bool OutputQueue::drain() {
  Queue& q = queue();
  if (!q.running) return true;
  std::unique_lock<std::mutex> lock(q.mutex);
  q.changed.wait(lock, [&q] { return (q.items.empty() && !q.busy) || q.failed; });
  return !q.failed;
}

bool OutputQueue::stop() {
  Queue& q = queue();
  if (!q.running) return true;
  drain();
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    q.stopping = true;
  }
  q.changed.notify_all();
  q.writer.join();
  q.running = false;
  q.stopping = false;
  q.sqlFd = -1;
  setConsoleSink(nullptr);
  if (!q.consoleError.empty()) {
    std::fprintf(stderr, "kalimostats-c: could not write the console output: %s\n", q.consoleError.c_str());
  }
  return !q.failed;
}
