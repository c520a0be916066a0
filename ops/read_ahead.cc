#include "ops/read_ahead.h"

namespace ops {

ReadAhead::ReadAhead(const platform::FileSystem& files, std::vector<std::string> paths)
    : files_(files), paths_(std::move(paths)), thread_([this] { Run(); }) {}

ReadAhead::~ReadAhead() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

ReadAhead::Read ReadAhead::Take() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !done_.empty(); });
  Read read = std::move(done_.front());
  done_.pop_front();
  // The reading goes on once half the files in hand are taken, not at
  // each one: a wake-up costs more than reading a small file.
  if (full_ && done_.size() <= kAhead / 2) {
    full_ = false;
    changed_.notify_all();
  }
  return read;
}

ReadAhead::Hold::Hold(ReadAhead& ahead) : ahead_(ahead) {
  std::unique_lock lock(ahead_.mutex_);
  ahead_.held_ = true;
  ahead_.changed_.wait(lock, [this] { return !ahead_.reading_; });
}

ReadAhead::Hold::~Hold() {
  {
    std::lock_guard lock(ahead_.mutex_);
    ahead_.held_ = false;
  }
  ahead_.changed_.notify_all();
}

void ReadAhead::Run() {
  std::unique_lock lock(mutex_);
  for (const std::string& path : paths_) {
    changed_.wait(lock, [this] { return stopping_ || (!held_ && !full_); });
    if (stopping_) return;
    reading_ = true;
    lock.unlock();
    Read read{files_.ReadFile(path)};
    if (!read.bytes) read.too_large = platform::TooLargeToRead(files_, path);
    lock.lock();
    reading_ = false;
    done_.push_back(std::move(read));
    full_ = done_.size() >= kAhead;
    changed_.notify_all();
  }
}

}  // namespace ops
