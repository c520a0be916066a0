// The text console: one command from the program's command line, or an
// interactive prompt with "-console".
#pragma once

#include <string>

#include "console/command_line.h"
#include "console/operations.h"
#include "core/conv_main.h"
#include "platform/terminal.h"

namespace console {

class Console {
 public:
  // Longest line read at once; a longer one is read in pieces.
  static constexpr size_t kMaxLine = 4086;

  Console(core::ConvMain& main, platform::Terminal& terminal, Operations& operations);

  // Runs until "q", the end of input, the "main" command, or, for a command
  // given on the command line, one line of input after it.
  void Run(const std::string& command_line);

 private:
  // False when the console must end at once.
  bool Execute(ParsedLine line);
  void TransferTextureOptions(ParsedLine& line);
  void TransferShapeOptions(ParsedLine& line);
  void MakeAce(const ParsedLine& line);
  void MakeAceDir(const ParsedLine& line);
  void MakeAceFrom(const std::string& folder, const std::string& pattern);
  void Shape(const ParsedLine& line);
  void ShapeDir(const ParsedLine& line);
  void BatchAdd(const ParsedLine& line);
  void ChangeLang(const ParsedLine& line);
  void Help();

  core::ConvMain& main_;
  platform::Terminal& terminal_;
  Operations& operations_;
};

}  // namespace console
