// Reading a list of files ahead of their use, in order, on threads of their
// own, so that reading the next files and working on this one overlap, and
// small files, which cost more system calls than bytes, are read two at a
// time. A reading thread can also make something of a file it read (a
// Digest) before handing it over, so that that work is shared out as well.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_system.h"

namespace ops {

// How far ahead of the taker files are read.
struct ReadWindow {
  size_t files = 32;
  size_t bytes = size_t{64} << 20;
};

// At most `files` files, and no more bytes than `bytes` beyond one file,
// are read and not yet taken: the memory held grows neither with the
// number of files nor with their size. The threads wake each other a few
// files at a time, not at each file: a wake-up costs more than reading a
// small file. The file system is only read by the reading threads; a user
// of the files that changes it holds it first (Hold).
class ReadAhead {
 public:
  // What a reading thread made of a file, for the taker to cast back.
  class Digest {
   public:
    virtual ~Digest() = default;
    // The memory it holds, counted with the bytes read ahead.
    virtual size_t Bytes() const = 0;
    // Whether the taker needs the file's bytes too.
    virtual bool NeedsBytes() const { return false; }
  };
  // Run on a reading thread for each file read whole; it must not use the
  // file system. Nothing for a file the taker needs the bytes of instead.
  // The bytes a digest stands for are not kept: the window holds far more
  // files, and each reading thread reads into one buffer. Each reading
  // thread calls a copy of its own, which may keep state from file to file.
  using Digester = std::function<std::unique_ptr<Digest>(const std::string& bytes)>;

  struct Read {
    // As FileSystem::ReadFile gives them; empty where a digest stands for them.
    std::optional<std::string> bytes;
    bool too_large = false;          // why there are none: larger than can be read
    std::unique_ptr<Digest> digest;  // the Digester's, when there is one and bytes
  };

  ReadAhead(const platform::FileSystem& files, std::vector<std::string> paths,
            Digester digester = {}, ReadWindow window = {});
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
  static constexpr int kThreads = 2;
  // How many files a wake-up is worth: a sleeping thread woken costs the
  // reading of dozens of small files, the more so in a virtual machine,
  // and a batch of small files still takes a few milliseconds at most.
  static constexpr size_t kBatch = 64;

  void Run();
  // Whether the taker has files enough to be woken for.
  bool ReadyForTaker() const;
  // Whether what is read and not taken leaves room for another read.
  bool HasRoom() const {
    return next_ < taken_ + window_.files && (bytes_ < window_.bytes || next_ == taken_);
  }
  // Files read and not taken below which the readers are woken again.
  size_t Refill() const {
    return std::max<size_t>(1, window_.files - std::min(kBatch, window_.files / 2));
  }
  static size_t SizeOf(const Read& read) {
    return (read.bytes ? read.bytes->size() : 0) + (read.digest ? read.digest->Bytes() : 0);
  }

  const platform::FileSystem& files_;
  const std::vector<std::string> paths_;
  const Digester digester_;
  const ReadWindow window_;
  std::mutex mutex_;
  std::condition_variable taker_;    // the thread that takes the files
  std::condition_variable readers_;  // the reading threads
  // Path i, once read, at i % window_.files.
  std::vector<std::optional<Read>> ready_;
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
