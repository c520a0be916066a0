#include "core/ui.h"

namespace core {

void Ui::KeepAlive() {
  constexpr auto kInterval = std::chrono::milliseconds(100);
  const auto now = std::chrono::steady_clock::now();
  if (now - last_events_ < kInterval) return;
  last_events_ = now;
  ProcessEvents();
}

}  // namespace core
