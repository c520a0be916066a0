#include "core/log.h"

namespace core {

void Log::Add(const std::string& line) {
  lines_.push_back(line);
  for (const Observer& observer : observers_) observer(line);
}

void Log::AddText(std::string_view block) {
  size_t start = 0;
  while (start < block.size()) {
    size_t end = block.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      Add(std::string(block.substr(start)));
      return;
    }
    Add(std::string(block.substr(start, end - start)));
    start = end + 1;
    if (block[end] == '\r' && start < block.size() && block[start] == '\n') ++start;
  }
}

void Log::Clear() { lines_.clear(); }

}  // namespace core
