#pragma once

#include "platform/terminal.h"

namespace platform {

// Standard input and output; the title is set only on a real terminal.
class PosixTerminal : public Terminal {
 public:
  void Write(std::string_view text) override;
  void WriteError(std::string_view text) override;
  bool ErrorIsTerminal() const override;
  std::optional<std::string> ReadLine(size_t max_bytes) override;
  void SetTitle(const std::string& title) override;
};

}  // namespace platform
