// Reading a list of files ahead of their use, in order, on a thread of its
// own, so that reading the next files and working on this one overlap on
// two cores.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_system.h"

namespace ops {

// Holds at most kAhead files that have not been taken: with several in
// hand neither thread waits for the other at every file, and the memory
// held does not grow with the number of files. The file system is used by one
// thread at a time: the reading thread, unless the user of the files holds
// it (Hold).
class ReadAhead {
 public:
  struct Read {
    std::optional<std::string> bytes;  // as FileSystem::ReadFile gives them
    bool too_large = false;            // why there are none: larger than can be read
  };

  ReadAhead(const platform::FileSystem& files, std::vector<std::string> paths);
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // The next file of the list, once read.
  Read Take();

  // The file system to the holder's thread alone while it lives: the
  // reading stops once the file in hand is read.
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
  static constexpr size_t kAhead = 16;

  void Run();

  const platform::FileSystem& files_;
  const std::vector<std::string> paths_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Read> done_;
  bool reading_ = false;
  bool full_ = false;  // kAhead files in hand, till half of them are taken
  bool held_ = false;
  bool stopping_ = false;
  std::thread thread_;  // last: it starts once the members it uses are made
};

}  // namespace ops
