// The console's command language: name(options) arguments, lowered as a
// whole before it is read.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace console {

struct ParsedLine {
  std::string CommandName;   // the word before "("
  std::string OptionText;    // between "(" and the first ")"
  std::string ArgumentText;  // after the first ")", trimmed
  std::vector<std::string> FileList;  // ArgumentText cut at ";"
  std::string DirOption;     // the value of -dir
};

ParsedLine ParseLine(std::string_view line);

// The value of a key such as "-dir" in an option text: from the first "="
// after the key to the next ";", trimmed; empty when the key is absent.
// Keys are found by plain substring search.
std::string GetOption(std::string_view key, std::string_view option_text);

// The options of an option text: the pieces between ";", trimmed, empty ones
// left out.
std::vector<std::string> Options(std::string_view option_text);
// An option's key: the option up to its "=", trimmed.
std::string OptionKey(std::string_view option);
// Whether the key is one whole option of the text, not just a part of one.
bool HasWholeOption(std::string_view key, std::string_view option_text);
// The value after "=" of the first option whose key is exactly `key`,
// trimmed (empty when the option has no "="); nothing when no option has
// that key.
std::optional<std::string> OptionValue(std::string_view key, std::string_view option_text);

}  // namespace console
