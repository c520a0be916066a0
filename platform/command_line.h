// Windows command lines: how CreateProcess finds the program and how
// CommandLineToArgvW splits the arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The arguments of a command line as CommandLineToArgvW splits them
// (backslashes before quotes, "" inside quotes), program name included.
std::vector<std::string> SplitArguments(std::string_view command_line);

// The ways CreateProcess tries to read the program out of a command line, in
// the order it tries them: a quoted program is the text between the quotes;
// an unquoted one is tried up to each blank in turn ("C:\Program" then
// "C:\Program Files\x.exe" ...), then the whole line. Each candidate comes
// with the rest of the line after it.
struct ProgramCandidate {
  std::string program;
  std::string rest;
};
std::vector<ProgramCandidate> ProgramCandidates(std::string_view command_line);

// What follows the program name in the command line a process was started
// with (GetCommandLineW), blanks after the name left out: the text exactly
// as it was typed, quotes and all.
std::string_view TextAfterProgram(std::string_view command_line);

}  // namespace platform
