// The text console: lines in, bytes out.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class Terminal {
 public:
  virtual ~Terminal() = default;
  virtual void Write(std::string_view text) = 0;
  // Standard error: hints and progress, kept out of the output that scripts
  // read.
  virtual void WriteError(std::string_view text) = 0;
  // Whether standard error is a terminal a person watches.
  virtual bool ErrorIsTerminal() const = 0;
  // Reads one line, its line break included, but at most max_bytes bytes;
  // the rest of a longer line is read by the next calls. Nothing at the end
  // of input.
  virtual std::optional<std::string> ReadLine(size_t max_bytes) = 0;
  virtual void SetTitle(const std::string& title) = 0;
};

}  // namespace platform
