#include "core/log.h"

#include "core/strings.h"

namespace core {

void Log::Add(const std::string& line) {
  lines_.push_back(line);
  for (const auto& entry : observers_) entry.second(line);
}

void Log::AddFailure(const std::string& line) {
  ++failures_;
  Add(line);
}

int Log::Observe(Observer observer) {
  observers_.emplace_back(next_observer_, std::move(observer));
  return next_observer_++;
}

void Log::StopObserving(int observer) {
  std::erase_if(observers_, [observer](const auto& entry) { return entry.first == observer; });
}

void Log::AddText(std::string_view block) {
  for (const std::string& line : SplitLines(block)) Add(line);
}

void Log::Clear() { lines_.clear(); }

}  // namespace core
