// The line pipeline: a reading thread fills blocks of prepared lines, the line loop empties them.
#include "read/line_pipeline.h"

#include <cstring>
#include <system_error>

namespace {

// A benchmark build made with -DKX_BENCH_ONE_READING_THREAD never reads ahead, so that a run can
// be timed against the same run with the reading thread; the output is the same either way.
#ifdef KX_BENCH_ONE_READING_THREAD
constexpr bool kMayReadAhead = false;
#else
constexpr bool kMayReadAhead = true;
#endif

}  // namespace

LinePipeline::LinePipeline(LineReader& reader, bool readAhead)
    : reader_(reader),
      blocks_(readAhead && kMayReadAhead ? new Block[kBlocks] : nullptr),
      readAhead_(readAhead && kMayReadAhead) {
  start();
}

LinePipeline::~LinePipeline() { stop(); }

void LinePipeline::start() {
  published_ = 0;
  released_ = 0;
  current_ = -1;
  index_ = 0;
  finished_ = false;
  stopping_ = false;
  producerWaiting_ = false;
  consumerWaiting_ = false;
  consumerWakeAt_ = 0;
  stopFlag_.store(false, std::memory_order_relaxed);
  threaded_ = false;
  if (!readAhead_) return;
  try {
    thread_ = std::thread([this] { produce(); });
    threaded_ = true;
  } catch (const std::system_error&) {
    threaded_ = false;  // read in the line loop instead
  }
}

void LinePipeline::stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  stopFlag_.store(true, std::memory_order_relaxed);
  changed_.notify_all();
  thread_.join();
}

void LinePipeline::restart() {
  stop();
  start();
}

void LinePipeline::produce() {
  for (long sequence = 0;; ++sequence) {
    Block& b = block(sequence);
    b.count = 0;
    b.last = false;
    while (b.count < kBlockLines && !stopFlag_.load(std::memory_order_relaxed)) {
      LineRecord& line = b.lines[b.count];
      std::size_t plain = 0;
      const std::size_t n = reader_.readLine(line.rawBuffer, &plain, &line.span);
      if (n == 0) {
        b.last = true;
        break;
      }
      line.prepare(n, plain);
      ++b.count;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    published_ = sequence + 1;
    finished_ = b.last;
    if (consumerWaiting_ && (finished_ || published_ >= consumerWakeAt_)) changed_.notify_all();
    if (finished_) return;
    // The block the line loop is reading stays untouched until it moves on.
    const long following = sequence + 1;
    if (!stopping_ && following >= released_ + kBlocks) {
      producerWaiting_ = true;
      changed_.wait(lock, [&] { return stopping_ || following < released_ + kBlocks; });
      producerWaiting_ = false;
    }
    if (stopping_) return;
  }
}

void LinePipeline::release(long blocks) {
  released_ = blocks;
  // A reading thread that found the ring full sleeps until half of it is free again.
  if (producerWaiting_ && published_ - released_ <= kBlocks / 2) changed_.notify_all();
}

LineRecord* LinePipeline::next() {
  if (!threaded_) {
    LineRecord& line = unthreadedLine_;
    std::size_t plain = 0;
    const std::size_t n = reader_.readLine(line.rawBuffer, &plain, &line.span);
    if (n == 0) return nullptr;
    line.prepare(n, plain);
    return &line;
  }
  if (current_ >= 0 && index_ < block(current_).count) return &block(current_).lines[index_++];
  if (current_ >= 0 && block(current_).last) return nullptr;
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    const long wanted = current_ + 1;
    // Done with the block read so far: the reading thread may fill it again.
    release(wanted);
    if (!stopping_ && published_ <= wanted) {
      // The log's last block is never passed, so a finished reader has published `wanted`.
      consumerWakeAt_ = wanted + kWakeBlocks;
      consumerWaiting_ = true;
      changed_.wait(lock, [&] { return stopping_ || finished_ || published_ >= consumerWakeAt_; });
      consumerWaiting_ = false;
    }
    if (stopping_) return nullptr;
    current_ = wanted;
    index_ = 0;
    Block& b = block(current_);
    if (b.count > 0) return &b.lines[index_++];
    if (b.last) return nullptr;
    // A block cut short by a stop holds nothing; there is no other kind of empty block.
  }
}
