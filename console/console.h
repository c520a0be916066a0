// The text console: one command from the program's command line, or an
// interactive prompt with "-console".
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "console/command_line.h"
#include "console/console_ui.h"
#include "console/operations.h"
#include "core/conv_main.h"
#include "platform/terminal.h"

namespace console {

// The program's exit code after the console: callers rely on 1 for a
// normal end; 2 tells that the command given on the command line was
// answered with a hint or an error, or left something undone.
constexpr int kExitNormal = 1;
constexpr int kExitFailed = 2;

class Console {
 public:
  // Longest line read at once; a longer one is read in pieces.
  static constexpr size_t kMaxLine = 4086;

  // `ui` is the one the main object talks through.
  Console(core::ConvMain& main, ConsoleUi& ui, platform::Terminal& terminal,
          Operations& operations);

  // Runs until "q", the end of input, the "main" command, or, for a command
  // given on the command line, one line of input after it. Log lines are
  // printed as they are added. An error that ends a command is printed and
  // the prompt goes on. Returns the exit code.
  int Run(const std::string& command_line);

 private:
  // What a command's handler receives: the line's options, read once by
  // the command's rules, and its arguments.
  struct Command {
    const std::string& name;
    const Options& options;
    const std::string& option_text;
    const std::vector<std::string>& files;
  };
  using Handler = void (Console::*)(const Command&);
  struct CommandRow {
    std::string_view name;
    std::span<const OptionRule> options;
    // Where the command's arguments stand: after the options (makeace(...)
    // a.tga), in the parentheses instead of options (changelang(1)), or
    // nowhere.
    enum Arguments { kNone, kAfter, kInParentheses } arguments;
    Handler run;
  };
  static std::span<const CommandRow> Commands();

  // False when the console must end at once.
  bool Execute(const std::string& text);
  // Sets the texture fields; returns the -dir folder with its backslash.
  std::string TransferTextureOptions(const Command& command);
  // Sets the shape fields; nothing when the command must be skipped.
  std::optional<std::string> TransferShapeOptions(const Command& command);
  void MakeAce(const Command& command);
  void MakeAceDir(const Command& command);
  void Shape(const Command& command);
  void ShapeDir(const Command& command);
  void BatchAdd(const Command& command);
  // aceinfo and acetopng of the files given; acetopngdir of a folder's
  // textures.
  void AceFiles(const Command& command);
  void AceToPngDir(const Command& command);
  void ChangeLang(const Command& command);
  // The clearing commands and compare: the route they name, or nothing
  // after a hint.
  std::optional<std::string> RouteOption(const Command& command);
  void Clearing(const Command& command);
  void DelEntry(const Command& command, const std::string& route);
  void CheckRoute(const Command& command);
  void Restore(const Command& command);
  void Compare(const Command& command);
  // False when the window was started and the console must end.
  bool Main();

  // One line on standard error about a mistake in the command; standard
  // output stays as it is.
  void Hint(const std::string& text);
  // A text of the message table, in the language in force.
  template <typename... Values>
  std::string Text(core::Msg key, const Values&... values) const {
    return main_.language.Format(key, values...);
  }
  // For a line that is no command but opens with a command's name: how
  // that command is written; else empty.
  std::string FormHint(const std::string& command_name, const std::string& typed) const;
  // A folder or file as typed, a relative one taken from the current
  // folder: the tools run in the source's folder and would take a relative
  // output name from there.
  std::string FromCurrentFolder(const std::string& typed) const;
  // False, after a hint, when the folder is given but does not exist.
  bool FolderFound(const Command& command, const std::string& folder);

  core::ConvMain& main_;
  ConsoleUi& ui_;
  platform::Terminal& terminal_;
  Operations& operations_;
  bool hinted_ = false;
};

}  // namespace console
