#include "ops/read_ahead.h"

#include <algorithm>

namespace ops {

ReadAhead::ReadAhead(const platform::FileSystem& files, std::vector<std::string> paths,
                     size_t bytes_ahead)
    : files_(files), paths_(std::move(paths)), bytes_ahead_(bytes_ahead) {
  for (int n = 0; n < kThreads; ++n) threads_.emplace_back([this] { Run(); });
}

ReadAhead::~ReadAhead() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  readers_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

bool ReadAhead::ReadyForTaker() const {
  // Readers stopped by the bytes in hand wait for the taker.
  if (bytes_ >= bytes_ahead_) return ready_[taken_ % kAhead].has_value();
  const size_t wanted = std::min(kAhead / 2, paths_.size() - taken_);
  for (size_t i = taken_; i < taken_ + wanted; ++i) {
    if (!ready_[i % kAhead]) return false;
  }
  return true;
}

ReadAhead::Read ReadAhead::Take() {
  std::unique_lock lock(mutex_);
  std::optional<Read>& slot = ready_[taken_ % kAhead];
  if (!slot) {
    waiting_ = true;
    taker_.wait(lock, [&] { return ReadyForTaker(); });
    waiting_ = false;
  }
  Read read = std::move(*slot);
  slot.reset();
  ++taken_;
  const bool was_full = bytes_ >= bytes_ahead_;
  bytes_ -= read.bytes ? read.bytes->size() : 0;
  if (next_ - taken_ == kAhead / 2 || (was_full && bytes_ < bytes_ahead_)) readers_.notify_all();
  return read;
}

ReadAhead::Hold::Hold(ReadAhead& ahead) : ahead_(ahead) {
  std::unique_lock lock(ahead_.mutex_);
  ahead_.held_ = true;
  ahead_.taker_.wait(lock, [this] { return ahead_.reading_ == 0; });
}

ReadAhead::Hold::~Hold() {
  {
    std::lock_guard lock(ahead_.mutex_);
    ahead_.held_ = false;
  }
  ahead_.readers_.notify_all();
}

void ReadAhead::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    // A reader that found the window full waits till half of it is taken
    // (Take wakes it then).
    readers_.wait(lock, [this] {
      return stopping_ || next_ == paths_.size() ||
             (!held_ && next_ <= taken_ + kAhead / 2 && HasRoom());
    });
    if (stopping_ || next_ == paths_.size()) return;
    while (!stopping_ && !held_ && next_ < paths_.size() && HasRoom()) {
      const size_t n = next_++;
      ++reading_;
      lock.unlock();
      Read read{files_.ReadFile(paths_[n])};
      if (!read.bytes) read.too_large = platform::TooLargeToRead(files_, paths_[n]);
      lock.lock();
      --reading_;
      bytes_ += read.bytes ? read.bytes->size() : 0;
      ready_[n % kAhead] = std::move(read);
      if ((waiting_ && ReadyForTaker()) || (held_ && reading_ == 0)) taker_.notify_one();
    }
  }
}

}  // namespace ops
