#include "core/log.h"

#include "core/strings.h"

namespace core {

void Log::Add(const std::string& line) {
  lines_.push_back(line);
  for (const Observer& observer : observers_) observer(line);
}

void Log::AddText(std::string_view block) {
  for (const std::string& line : SplitLines(block)) Add(line);
}

void Log::Clear() { lines_.clear(); }

}  // namespace core
