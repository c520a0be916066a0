// The console's terminal with one progress line on standard error. The
// line is taken away before anything else is written or read, and when the
// work ends, so that no output stands glued to it and none is left behind.
#pragma once

#include <string>
#include <string_view>

#include "platform/terminal.h"

namespace console {

class ProgressLine : public platform::Terminal {
 public:
  explicit ProgressLine(platform::Terminal& terminal) : terminal_(terminal) {}

  // Shows the line in place of the one shown before.
  void Show(const std::string& line) {
    // "\r" and the erase-line sequence rewrite the one line.
    terminal_.WriteError("\r\033[K" + line);
    shown_ = true;
  }
  // Takes the line away, leaving the cursor where it began.
  void Clear() {
    if (!shown_) return;
    shown_ = false;
    terminal_.WriteError("\r\033[K");
  }

  void Write(std::string_view text) override {
    Clear();
    terminal_.Write(text);
  }
  void WriteError(std::string_view text) override {
    Clear();
    terminal_.WriteError(text);
  }
  bool ErrorIsTerminal() const override { return terminal_.ErrorIsTerminal(); }
  std::optional<std::string> ReadLine(size_t max_bytes) override {
    Clear();
    return terminal_.ReadLine(max_bytes);
  }
  void SetTitle(const std::string& title) override { terminal_.SetTitle(title); }

 private:
  platform::Terminal& terminal_;
  bool shown_ = false;
};

}  // namespace console
