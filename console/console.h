// The text console: one command from the program's command line, or an
// interactive prompt with "-console".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "console/command_line.h"
#include "console/operations.h"
#include "core/conv_main.h"
#include "platform/terminal.h"

namespace console {

// The program's exit code after the console: callers rely on 1 for a
// normal end; 2 tells that the command given on the command line failed.
constexpr int kExitNormal = 1;
constexpr int kExitFailed = 2;

class Console {
 public:
  // Longest line read at once; a longer one is read in pieces.
  static constexpr size_t kMaxLine = 4086;

  Console(core::ConvMain& main, platform::Terminal& terminal, Operations& operations);

  // Runs until "q", the end of input, the "main" command, or, for a command
  // given on the command line, one line of input after it. Log lines are
  // printed as they are added. An error that ends a command is printed and
  // the prompt goes on. Returns the exit code.
  int Run(const std::string& command_line);

 private:
  // False when the console must end at once.
  bool Execute(const std::string& text);
  void TransferTextureOptions(ParsedLine& line);
  // False when the command must be skipped.
  bool TransferShapeOptions(ParsedLine& line);
  void MakeAce(const ParsedLine& line);
  void MakeAceDir(const ParsedLine& line);
  void Shape(const ParsedLine& line);
  void ShapeDir(const ParsedLine& line);
  void BatchAdd(const ParsedLine& line);
  void ChangeLang(const ParsedLine& line);
  // The clearing commands and compare: the route they name, or nothing
  // after a hint.
  std::optional<std::string> RouteOption(const ParsedLine& line);
  void Clearing(const ParsedLine& line);
  void DelEntry(const ParsedLine& line, const std::string& route);
  void Compare(const ParsedLine& line);
  void Help();
  void RouteHelp();

  // One line on standard error about a mistake in the command; standard
  // output stays as it is.
  void Hint(const std::string& text);
  void HintUnknownOptions(const ParsedLine& line);
  void HintMissingFolder(const ParsedLine& line, const std::string& folder);

  core::ConvMain& main_;
  platform::Terminal& terminal_;
  Operations& operations_;
};

}  // namespace console
