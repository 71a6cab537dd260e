// The line pipeline: a reading thread fills blocks of prepared lines, the line loop empties them.
#include "read/line_pipeline.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <system_error>

namespace {

// A benchmark build made with -DKX_BENCH_ONE_READING_THREAD never reads ahead, so that a run can
// be timed against the same run with the reading thread; the output is the same either way.
#ifdef KX_BENCH_ONE_READING_THREAD
constexpr bool kMayReadAhead = false;
#else
constexpr bool kMayReadAhead = true;
#endif

// How the pipeline judges whether reading ahead pays. Over each span of kJudgedSpan, two things
// are measured: the time its two threads spent ready to run but waiting for a processor, and
// the processor time the whole program used. When the threads waited more than kMostWaiting
// of the span and the program got less than kLeastProcessors processors' worth of time, the
// machine has no processor to spare: a second thread only takes turns with the line loop (and
// with whatever else runs there), doing the same work with more cache misses. The line loop
// then reads the lines itself for kFirstHandBack, twice as long after each hand-back that
// follows a failed try, up to kLongestHandBack. (Either measure alone misleads: a thread woken
// on an idle processor of a virtual machine also waits a little, and threads that sleep
// because the other side is slower use little time.)
constexpr long long kMillisecond = 1000000;
constexpr long long kJudgedSpan = 100 * kMillisecond;
constexpr double kMostWaiting = 0.25;
constexpr double kLeastProcessors = 1.25;
constexpr long long kFirstHandBack = 200 * kMillisecond;
constexpr long long kLongestHandBack = 3200 * kMillisecond;
constexpr int kLinesBetweenClocks = 256;  // lines read here between two looks at the clock

long long nowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Nanoseconds the thread has spent ready to run but waiting for a processor (the second figure
// of Linux's schedstat), or -1 when that cannot be read.
long long waitedForProcessor(const char* path) {
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  char text[128];
  const ssize_t n = ::read(fd, text, sizeof text - 1);
  ::close(fd);
  if (n <= 0) return -1;
  text[n] = '\0';
  char* end = nullptr;
  std::strtoull(text, &end, 10);  // time on a processor
  if (end == text) return -1;
  const char* waited = end;
  const unsigned long long value = std::strtoull(waited, &end, 10);
  if (end == waited) return -1;
  return static_cast<long long>(value);
}

// Processor time the whole program has used, in nanoseconds.
long long programTime() {
  timespec t{};
  if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t) != 0) return 0;
  return static_cast<long long>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

long long waitedForProcessorHere() { return waitedForProcessor("/proc/thread-self/schedstat"); }

long long waitedForProcessorOf(long tid) {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/self/task/%ld/schedstat", tid);
  return waitedForProcessor(path);
}
}  // namespace

LinePipeline::LinePipeline(LineReader& reader, bool readAhead)
    : reader_(reader),
      blocks_(readAhead && kMayReadAhead ? new Block[kBlocks] : nullptr),
      readAhead_(readAhead && kMayReadAhead) {
  start();
}

LinePipeline::~LinePipeline() { stop(); }

void LinePipeline::start() {
  stopping_ = false;
  producerWaiting_ = false;
  consumerWaiting_ = false;
  threaded_ = false;
  if (readAhead_ && !startThread()) readAhead_ = false;  // read in the line loop instead
}

bool LinePipeline::startThread() {
  published_ = 0;
  released_ = 0;
  current_ = -1;
  index_ = 0;
  finished_ = false;
  handingBack_ = false;
  handedBack_ = false;
  stopFlag_.store(false, std::memory_order_relaxed);
  readerTid_.store(0, std::memory_order_relaxed);
  try {
    thread_ = std::thread([this] { produce(); });
  } catch (const std::system_error&) {
    return false;
  }
  threaded_ = true;
  judgedAt_ = nowNs();
  timeAt_ = programTime();
  loopWaitAt_ = judging_ ? waitedForProcessorHere() : 0;
  readerWaitAt_ = 0;  // a new thread has not waited yet
  if (loopWaitAt_ < 0) judging_ = false;
  return true;
}

void LinePipeline::stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;  // also keeps a line loop that reads for itself from starting a thread
  }
  if (!thread_.joinable()) return;
  stopFlag_.store(true, std::memory_order_relaxed);
  changed_.notify_all();
  thread_.join();
}

void LinePipeline::restart() {
  stop();
  start();
}

void LinePipeline::produce() {
  readerTid_.store(static_cast<long>(::syscall(SYS_gettid)), std::memory_order_relaxed);
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
    // The block the line loop is reading stays untouched until it moves on. (A full ring means
    // the line loop is not waiting, so it needs no word before this wait.)
    const long following = sequence + 1;
    if (!finished_ && !stopping_ && !handingBack_ && following >= released_ + kBlocks) {
      producerWaiting_ = true;
      changed_.wait(lock, [&] { return stopping_ || handingBack_ || following < released_ + kBlocks; });
      producerWaiting_ = false;
    }
    if (!finished_ && !stopping_ && handingBack_) handedBack_ = true;
    if (consumerWaiting_ && (finished_ || handedBack_ || published_ >= consumerWakeAt_)) changed_.notify_all();
    if (finished_ || stopping_ || handedBack_) return;
  }
}

void LinePipeline::release(long blocks) {
  released_ = blocks;
  // A reading thread that found the ring full sleeps until half of it is free again.
  if (producerWaiting_ && published_ - released_ <= kBlocks / 2) changed_.notify_all();
}

void LinePipeline::judgeProcessors() {
  const long long now = nowNs();
  if (!threaded_) {
    if (now >= hereUntil_ && !startThread()) readAhead_ = false;
    return;
  }
  if (!judging_ || now - judgedAt_ < kJudgedSpan) return;
  const long tid = readerTid_.load(std::memory_order_relaxed);
  if (tid == 0) return;  // the reading thread has not run yet
  const long long loopWait = waitedForProcessorHere();
  const long long readerWait = waitedForProcessorOf(tid);
  if (loopWait < 0 || readerWait < 0) {
    judging_ = false;  // no way to tell: read ahead as long as the log lasts
    return;
  }
  const long long time = programTime();
  const double span = static_cast<double>(now - judgedAt_);
  const double waiting = static_cast<double>(loopWait - loopWaitAt_ + readerWait - readerWaitAt_);
  const bool crowded =
      waiting > kMostWaiting * span && static_cast<double>(time - timeAt_) < kLeastProcessors * span;
  judgedAt_ = now;
  timeAt_ = time;
  loopWaitAt_ = loopWait;
  readerWaitAt_ = readerWait;
  if (!crowded) {
    hereFor_ = 0;
    return;
  }
  hereFor_ = hereFor_ == 0 ? kFirstHandBack : std::min(2 * hereFor_, kLongestHandBack);
  hereUntil_ = now + hereFor_;
  std::lock_guard<std::mutex> lock(mutex_);
  handingBack_ = true;
  stopFlag_.store(true, std::memory_order_relaxed);
  changed_.notify_all();
}

LineRecord* LinePipeline::readHere() {
  if (readAhead_ && !stopping_ && ++sinceClock_ >= kLinesBetweenClocks) {
    sinceClock_ = 0;
    judgeProcessors();
    if (threaded_) return nextReadAhead();
  }
  LineRecord& line = unthreadedLine_;
  std::size_t plain = 0;
  const std::size_t n = reader_.readLine(line.rawBuffer, &plain, &line.span);
  if (n == 0) return nullptr;
  line.prepare(n, plain);
  return &line;
}

LineRecord* LinePipeline::next() {
  if (!threaded_) return readHere();
  if (current_ >= 0 && index_ < block(current_).count) return &block(current_).lines[index_++];
  if (current_ >= 0 && block(current_).last) return nullptr;
  judgeProcessors();
  return nextReadAhead();
}

LineRecord* LinePipeline::nextReadAhead() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    const long wanted = current_ + 1;
    // Done with the block read so far: the reading thread may fill it again.
    release(wanted);
    if (!stopping_ && published_ <= wanted) {
      if (handedBack_) {
        // Every line the reading thread read has been handed out: the reader is the loop's.
        lock.unlock();
        thread_.join();
        threaded_ = false;
        sinceClock_ = 0;
        return readHere();
      }
      // The log's last block is never passed, so a finished reader has published `wanted`.
      consumerWakeAt_ = wanted + kWakeBlocks;
      consumerWaiting_ = true;
      changed_.wait(lock, [&] { return stopping_ || finished_ || handedBack_ || published_ >= consumerWakeAt_; });
      consumerWaiting_ = false;
      continue;
    }
    if (stopping_) return nullptr;
    current_ = wanted;
    index_ = 0;
    Block& b = block(current_);
    if (b.count > 0) return &b.lines[index_++];
    if (b.last) return nullptr;
    // A block cut short by a stop or a hand-back may hold nothing.
  }
}
