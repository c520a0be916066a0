// The console's command language: name(options) arguments, lowered as a
// whole before it is read.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace console {

struct ParsedLine {
  std::string CommandName;   // the word before "("
  std::string OptionText;    // between "(" and the first ")"
  std::string ArgumentText;  // after the first ")", trimmed
  std::vector<std::string> FileList;  // ArgumentText cut at ";"
};

ParsedLine ParseLine(std::string_view line);

// One option a command takes.
struct OptionRule {
  enum Kind { kFlag, kValue };
  // Where it is looked for: anywhere in the option text by a plain
  // substring search, as the conversion commands always found theirs, or
  // only as a whole option of its own.
  enum Match { kAnywhere, kWhole };

  std::string_view name;  // "-dir"
  Kind kind;
  Match match;
  // Another key for the same option, as `help` shows it ("-mm" for "-mip"),
  // taken only as a whole option of its own.
  std::string_view alias = {};

  bool Names(std::string_view key) const { return key == name || (!alias.empty() && key == alias); }
};

// A command's options, read once from the option text by their rules.
class Options {
 public:
  Options(std::span<const OptionRule> rules, std::string_view option_text);

  // Whether a flag is on.
  bool Has(std::string_view name) const;
  // A value; empty when the option is absent or has none.
  std::string Value(std::string_view name) const;
  // A value, or nothing when the option is absent.
  const std::optional<std::string>& Given(std::string_view name) const;

 private:
  std::map<std::string_view, bool> flags_;
  std::map<std::string_view, std::optional<std::string>> values_;
};

// The keys of the option text that no rule names, in their order.
std::vector<std::string> UnknownOptions(std::span<const OptionRule> rules,
                                        std::string_view option_text);

// The keys of options taking a value that the option text gives more than
// once, each named once, in their order: only one of the values would count.
std::vector<std::string> RepeatedOptions(std::span<const OptionRule> rules,
                                         std::string_view option_text);

// The value of a key such as "-dir" in an option text: from the first "="
// after the key to the next ";", trimmed; empty when the key is absent.
// Keys are found by plain substring search.
std::string GetOption(std::string_view key, std::string_view option_text);

}  // namespace console
