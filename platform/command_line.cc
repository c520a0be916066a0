#include "platform/command_line.h"

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitArguments(std::string_view command_line) {
  std::vector<std::string> args;
  size_t i = 0;
  const size_t n = command_line.size();

  // The program name knows no escapes: it runs to the closing quote, or to
  // the first blank when it is not quoted.
  std::string program;
  if (i < n && command_line[i] == '"') {
    ++i;
    while (i < n && command_line[i] != '"') program += command_line[i++];
    if (i < n) ++i;
  } else {
    while (i < n && !IsBlank(command_line[i])) program += command_line[i++];
  }
  args.push_back(std::move(program));

  std::string arg;
  bool in_arg = false;
  bool quoted = false;
  while (i < n) {
    char c = command_line[i];
    if (IsBlank(c) && !quoted) {
      if (in_arg) args.push_back(std::move(arg));
      arg.clear();
      in_arg = false;
      ++i;
      continue;
    }
    in_arg = true;
    if (c == '\\') {
      size_t backslashes = 0;
      while (i < n && command_line[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < n && command_line[i] == '"') {
        arg.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          arg += '"';
          ++i;
        }
        // An even run leaves the quote to be read as a quote below.
      } else {
        arg.append(backslashes, '\\');
      }
      continue;
    }
    if (c == '"') {
      // Since msvcrt 2008, "" inside a quoted run is a literal quote and the
      // run goes on.
      if (quoted && i + 1 < n && command_line[i + 1] == '"') {
        arg += '"';
        i += 2;
      } else {
        quoted = !quoted;
        ++i;
      }
      continue;
    }
    arg += c;
    ++i;
  }
  if (in_arg) args.push_back(std::move(arg));
  return args;
}

std::vector<ProgramCandidate> ProgramCandidates(std::string_view command_line) {
  size_t start = 0;
  while (start < command_line.size() && IsBlank(command_line[start])) ++start;
  std::string_view line = command_line.substr(start);

  std::vector<ProgramCandidate> candidates;
  if (line.empty()) return candidates;

  if (line.front() == '"') {
    size_t close = line.find('"', 1);
    if (close == std::string_view::npos) {
      candidates.push_back({std::string(line.substr(1)), std::string()});
    } else {
      candidates.push_back({std::string(line.substr(1, close - 1)),
                            std::string(line.substr(close + 1))});
    }
    return candidates;
  }

  for (size_t i = 0; i < line.size(); ++i) {
    if (IsBlank(line[i])) {
      candidates.push_back(
          {std::string(line.substr(0, i)), std::string(line.substr(i))});
    }
  }
  candidates.push_back({std::string(line), std::string()});
  return candidates;
}

std::string_view TextAfterProgram(std::string_view command_line) {
  size_t i = 0;
  if (!command_line.empty() && command_line[0] == '"') {
    i = command_line.find('"', 1);
    i = i == std::string_view::npos ? command_line.size() : i + 1;
  } else {
    while (i < command_line.size() && !IsBlank(command_line[i])) ++i;
  }
  while (i < command_line.size() && IsBlank(command_line[i])) ++i;
  return command_line.substr(i);
}

}  // namespace platform
