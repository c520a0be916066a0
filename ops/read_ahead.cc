#include "ops/read_ahead.h"

#include <algorithm>
#include <utility>

namespace ops {

ReadAhead::ReadAhead(const platform::FileSystem& files, std::vector<std::string> paths,
                     Digester digester, ReadWindow window)
    : files_(files),
      paths_(std::move(paths)),
      digester_(std::move(digester)),
      // No more room than the list needs: each file's room is made ready
      // before the readers start.
      window_{std::clamp<size_t>(paths_.size(), 1, std::max<size_t>(window.files, 1)),
              window.bytes},
      ready_(window_.files) {
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
  if (bytes_ >= window_.bytes) return ready_[taken_ % window_.files].has_value();
  const size_t wanted =
      std::min({kBatch, std::max<size_t>(window_.files / 2, 1), paths_.size() - taken_});
  for (size_t i = taken_; i < taken_ + wanted; ++i) {
    if (!ready_[i % window_.files]) return false;
  }
  return true;
}

ReadAhead::Read ReadAhead::Take() {
  std::unique_lock lock(mutex_);
  std::optional<Read>& slot = ready_[taken_ % window_.files];
  if (!slot) {
    waiting_ = true;
    taker_.wait(lock, [&] { return ReadyForTaker(); });
    waiting_ = false;
  }
  Read read = std::move(*slot);
  slot.reset();
  ++taken_;
  const bool was_full = bytes_ >= window_.bytes;
  bytes_ -= SizeOf(read);
  if (next_ - taken_ == Refill() || (was_full && bytes_ < window_.bytes)) readers_.notify_all();
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
  std::string buffer;
  // Its own copy, which may keep what it learns from one file for the next.
  Digester digester = digester_;
  // The folder of the files last read, looked up once for all of them.
  std::string folder;
  std::unique_ptr<platform::FolderReader> in_folder;
  std::unique_lock lock(mutex_);
  for (;;) {
    // A reader that found the window full waits till a batch of it is
    // taken (Take wakes it then).
    readers_.wait(lock, [this] {
      return stopping_ || next_ == paths_.size() ||
             (!held_ && next_ <= taken_ + Refill() && HasRoom());
    });
    if (stopping_ || next_ == paths_.size()) return;
    while (!stopping_ && !held_ && next_ < paths_.size() && HasRoom()) {
      const size_t n = next_++;
      ++reading_;
      lock.unlock();
      Read read;
      const std::string& path = paths_[n];
      const size_t name = path.find_last_of("\\/") + 1;
      if (!in_folder || path.compare(0, name, folder) != 0) {
        folder = path.substr(0, name);
        in_folder = files_.ReadFolder(folder);
      }
      if (in_folder->ReadFileInto(path.substr(name), buffer)) {
        if (digester) read.digest = digester(buffer);
        if (!read.digest || read.digest->NeedsBytes()) {
          read.bytes = std::exchange(buffer, std::string());
        } else {
          read.bytes.emplace();
        }
      }
      if (!read.bytes) read.too_large = platform::TooLargeToRead(files_, paths_[n]);
      lock.lock();
      --reading_;
      bytes_ += SizeOf(read);
      ready_[n % window_.files] = std::move(read);
      if ((waiting_ && ReadyForTaker()) || (held_ && reading_ == 0)) taker_.notify_one();
    }
  }
}

}  // namespace ops
