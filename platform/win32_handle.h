// A Windows handle that is closed when it goes out of scope.
#pragma once

#include <utility>

#include "platform/win32_api.h"

namespace platform {

class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Release() { return std::exchange(handle_, nullptr); }
  void Reset(HANDLE handle) {
    Close();
    handle_ = handle;
  }
  // Closes now; false when closing reports an error (a write that failed late).
  bool Close() {
    bool ok = true;
    if (valid()) ok = CloseHandle(handle_) != 0;
    handle_ = nullptr;
    return ok;
  }

 private:
  HANDLE handle_;
};

}  // namespace platform
