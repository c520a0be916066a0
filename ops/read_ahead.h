// Reading a list of files ahead of their use, in order, on threads of their
// own, so that reading the next files and working on this one overlap, and
// small files, which cost more system calls than bytes, are read two at a
// time.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_system.h"

namespace ops {

// At most kAhead files, and no more bytes than `bytes_ahead` beyond one
// file, are read and not yet taken: the memory held grows neither with the
// number of files nor with their size. The threads wake each other once
// half of that many are ready or taken, not at each file: a wake-up costs
// more than reading a small file. The file system is used by the reading threads
// alone, unless the user of the files holds it (Hold).
class ReadAhead {
 public:
  struct Read {
    std::optional<std::string> bytes;  // as FileSystem::ReadFile gives them
    bool too_large = false;            // why there are none: larger than can be read
  };

  ReadAhead(const platform::FileSystem& files, std::vector<std::string> paths,
            size_t bytes_ahead = size_t{64} << 20);
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // The next file of the list, once read; one call per path.
  Read Take();

  // The file system to the holder's thread alone while it lives: no read
  // starts, and the ones under way end first.
  class Hold {
   public:
    explicit Hold(ReadAhead& ahead);
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    ReadAhead& ahead_;
  };

 private:
  static constexpr size_t kAhead = 32;
  static constexpr int kThreads = 2;

  void Run();
  // Whether the taker has files enough to be woken for.
  bool ReadyForTaker() const;
  // Whether what is read and not taken leaves room for another read.
  bool HasRoom() const {
    return next_ < taken_ + kAhead && (bytes_ < bytes_ahead_ || next_ == taken_);
  }

  const platform::FileSystem& files_;
  const std::vector<std::string> paths_;
  const size_t bytes_ahead_;
  std::mutex mutex_;
  std::condition_variable taker_;    // the thread that takes the files
  std::condition_variable readers_;  // the reading threads
  // Path i, once read, at i % kAhead.
  std::vector<std::optional<Read>> ready_ = std::vector<std::optional<Read>>(kAhead);
  size_t next_ = 0;       // the next path to read
  size_t taken_ = 0;      // the paths taken
  size_t bytes_ = 0;      // read and not taken
  int reading_ = 0;       // reads under way
  bool waiting_ = false;  // the taker waits
  bool held_ = false;
  bool stopping_ = false;
  std::vector<std::thread> threads_;  // last: they start once the members they use are made
};

}  // namespace ops
