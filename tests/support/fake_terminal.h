// A Terminal for tests: input from a prepared text, output collected.
#pragma once

#include <string>

#include "platform/terminal.h"

namespace test_support {

class FakeTerminal : public platform::Terminal {
 public:
  explicit FakeTerminal(std::string input = "") : input_(std::move(input)) {}

  std::string output;
  std::string errors;
  bool error_is_terminal = false;
  mutable int terminal_checks = 0;
  std::string title;
  int reads = 0;

  void Write(std::string_view text) override { output += text; }
  void WriteError(std::string_view text) override { errors += text; }
  bool ErrorIsTerminal() const override {
    ++terminal_checks;
    return error_is_terminal;
  }
  std::optional<std::string> ReadLine(size_t max_bytes) override {
    if (position_ >= input_.size()) return std::nullopt;
    ++reads;
    size_t end = input_.find('\n', position_);
    end = end == std::string::npos ? input_.size() : end + 1;
    end = std::min(end, position_ + max_bytes);
    std::string line = input_.substr(position_, end - position_);
    position_ = end;
    return line;
  }
  void SetTitle(const std::string& text) override { title = text; }

 private:
  std::string input_;
  size_t position_ = 0;
};

}  // namespace test_support
