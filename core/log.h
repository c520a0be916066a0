// The log: the lines every operation reports. The window shows them; the
// console prints each as it is added and clears them after each command.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace core {

class Log {
 public:
  using Observer = std::function<void(const std::string& line)>;

  void Add(const std::string& line);
  // A line telling of work left undone: a file not moved, a conversion
  // without its output, a name skipped.
  void AddFailure(const std::string& line);
  // Adds a block of text (a tool's output) as lines split at its line breaks.
  void AddText(std::string_view block);
  void Clear();

  const std::vector<std::string>& lines() const { return lines_; }
  // How many failure lines were ever added; Clear does not reset it.
  size_t failures() const { return failures_; }
  // Called for every line added from now on, until StopObserving is given
  // the number this returns.
  int Observe(Observer observer);
  void StopObserving(int observer);

 private:
  std::vector<std::string> lines_;
  std::vector<std::pair<int, Observer>> observers_;
  int next_observer_ = 0;
  size_t failures_ = 0;
};

}  // namespace core
