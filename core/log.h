// The log: the lines every operation reports. The window shows them; the
// console prints and clears them after each command.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

class Log {
 public:
  using Observer = std::function<void(const std::string& line)>;

  void Add(const std::string& line);
  // Adds a block of text (a tool's output) as lines split at its line breaks.
  void AddText(std::string_view block);
  void Clear();

  const std::vector<std::string>& lines() const { return lines_; }
  // Called for every line added from now on.
  void Observe(Observer observer) { observers_.push_back(std::move(observer)); }

 private:
  std::vector<std::string> lines_;
  std::vector<Observer> observers_;
};

}  // namespace core
