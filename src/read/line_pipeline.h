// Reads the log and prepares its lines ahead of the recognisers, on a thread of its own.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "read/line_record.h"
#include "read/line_reader.h"

// Reading a line, preparing it and scanning both its lanes depend on the line's text alone;
// done on a second thread they overlap with the recognisers' work on the lines before it.
// That pays only on a processor that would otherwise idle: while the pipeline's threads keep
// waiting for processors, the line loop reads the lines itself (see judgeProcessors).
// Lines come out in the order read, each prepared exactly as processLine would prepare it,
// whichever thread read it. Without a thread (one could not be started) every line is read and
// prepared when asked for.
class LinePipeline {
 public:
  // `readAhead` false: every line is read when asked for, without a second thread.
  LinePipeline(LineReader& reader, bool readAhead);
  ~LinePipeline();
  LinePipeline(const LinePipeline&) = delete;
  LinePipeline& operator=(const LinePipeline&) = delete;

  // The next prepared line, or nullptr at the end of the log. It stays valid, and the
  // caller may change it, until the next call or a restart.
  LineRecord* next();
  // Stops reading ahead; the lines read ahead are dropped. The line last returned stays valid.
  void stop();
  // Reads on from where the reader now stands (it may have been reopened on another file).
  void restart();

 private:
  // Lines are handed over a block at a time, so the threads meet once per block, not per line.
  // The reading thread may run up to 768 lines ahead: the line loop works in bursts (a game's
  // end builds its pages), and a shallow queue left the reading thread idle through them and
  // the loop waiting after them (3 blocks of 128 lines: 1.15 s for 100 MB, 12 of 64: 0.95 s;
  // each line costs about 6 KB).
  static constexpr int kBlockLines = 64;
  static constexpr int kBlocks = 12;
  // Each side that finds nothing to do sleeps until there is a batch of work: the reading thread
  // until half the ring is free, the line loop until this many blocks are ready (or the log
  // ended). When one side is the slower, the other is then woken once per several blocks.
  static constexpr int kWakeBlocks = kBlocks / 2;
  static_assert(kWakeBlocks <= kBlocks, "the line loop must not wait for more than the ring holds");
  struct Block {
    LineRecord lines[kBlockLines];
    int count = 0;
    bool last = false;  // the reader had nothing more after these lines
  };

  void start();
  // Starts the reading thread on an empty ring; false when no thread could be started.
  bool startThread();
  void produce();
  // The line loop is done with the blocks before `blocks` (called with the lock held).
  void release(long blocks);
  // The next line from the reading thread's blocks; nullptr at the end of the log, after a
  // stop, or once the thread has handed the reader back (then `threaded_` is false).
  LineRecord* nextReadAhead();
  // The next line read and prepared here, on the line loop's thread.
  LineRecord* readHere();
  // Reading ahead pays only on a processor to spare: judges, every so often, whether the
  // pipeline's threads wait for one, and hands the reading back to the line loop for a while
  // when they do.
  void judgeProcessors();
  Block& block(long sequence) { return blocks_[static_cast<std::size_t>(sequence % kBlocks)]; }

  LineReader& reader_;
  std::unique_ptr<Block[]> blocks_;  // only when reading ahead
  LineRecord unthreadedLine_;        // the line read on the line loop's thread
  bool readAhead_;
  bool threaded_ = false;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  long published_ = 0;  // blocks the reading thread has filled
  long released_ = 0;   // blocks the line loop is done with
  bool finished_ = false;  // the block holding the log's end is published
  bool stopping_ = false;
  // The line loop asked the reading thread to end after the block it fills (handingBack_), and
  // it did (handedBack_): the reader then stands right after the last line published.
  bool handingBack_ = false;
  bool handedBack_ = false;
  // Which side sleeps on `changed_`: the other wakes it only then, and the line loop only once
  // `published_` reaches `consumerWakeAt_`.
  bool producerWaiting_ = false;
  bool consumerWaiting_ = false;
  long consumerWakeAt_ = 0;
  std::atomic<bool> stopFlag_{false};  // stopping_ or handingBack_, read while a block fills
  // The line loop's place: the block it reads and the next line in it.
  long current_ = -1;
  int index_ = 0;

  // What judgeProcessors() goes by (times in nanoseconds of the steady clock).
  std::atomic<long> readerTid_{0};  // the reading thread's id for /proc, once it runs
  bool judging_ = true;             // false once the waits cannot be read
  long long judgedAt_ = 0;          // start of the span being judged
  long long timeAt_ = 0;            // the program's processor time then
  long long loopWaitAt_ = 0;        // the waits of both threads at its start
  long long readerWaitAt_ = 0;
  long long hereUntil_ = 0;         // lines are read here until then
  long long hereFor_ = 0;           // how long the last hand-back lasted
  int sinceClock_ = 0;              // lines read here since the clock was last read
};
