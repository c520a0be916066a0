#include "console/command_line.h"

#include "core/strings.h"
#include "platform/text.h"

namespace console {
namespace {

// The pieces between ";", trimmed, empty ones left out.
std::vector<std::string> Pieces(std::string_view option_text) {
  std::vector<std::string> pieces;
  for (const std::string& piece : core::SplitText(option_text, ';')) {
    std::string option = core::Trim(piece);
    if (!option.empty()) pieces.push_back(std::move(option));
  }
  return pieces;
}

// An option's key: the option up to its "=", trimmed.
std::string KeyOf(std::string_view option) {
  return core::Trim(option.substr(0, option.find('=')));
}

// The value after "=" of the first whole option with that key, trimmed
// (empty when it has no "="); nothing when no option has that key.
std::optional<std::string> WholeValue(std::string_view key,
                                      const std::vector<std::string>& pieces) {
  for (const std::string& option : pieces) {
    if (KeyOf(option) != key) continue;
    const size_t equals = option.find('=');
    if (equals == std::string::npos) return "";
    return core::Trim(std::string_view(option).substr(equals + 1));
  }
  return std::nullopt;
}

}  // namespace

ParsedLine ParseLine(std::string_view line) {
  ParsedLine parsed;
  const std::string lowered = core::TrimLeft(platform::LowerCase(line));

  const size_t close = lowered.find(')');
  const std::string head = close == std::string::npos ? "" : lowered.substr(0, close + 1);
  const std::string rest = close == std::string::npos ? lowered : lowered.substr(close + 1);

  const size_t open = head.find('(');
  if (open != std::string::npos) {
    parsed.OptionText = head.substr(open + 1, head.find(')') - open - 1);
    parsed.CommandName = core::Trim(std::string_view(head).substr(0, open));
  } else if (!head.empty()) {
    parsed.OptionText = head.substr(0, head.size() - 1);
  }
  parsed.ArgumentText = core::Trim(rest);
  parsed.FileList = core::SplitText(parsed.ArgumentText, ';');
  return parsed;
}

Options::Options(std::span<const OptionRule> rules, std::string_view option_text) {
  const std::vector<std::string> pieces = Pieces(option_text);
  for (const OptionRule& rule : rules) {
    const bool anywhere = rule.match == OptionRule::kAnywhere;
    if (rule.kind == OptionRule::kFlag) {
      bool on = anywhere && core::Contains(option_text, rule.name);
      for (const std::string& piece : pieces) on = on || piece == rule.name;
      flags_[rule.name] = on;
    } else if (anywhere && core::Contains(option_text, rule.name)) {
      values_[rule.name] = GetOption(rule.name, option_text);
    } else if (!anywhere) {
      values_[rule.name] = WholeValue(rule.name, pieces);
    }
    if (rule.kind == OptionRule::kValue && !rule.alias.empty() && !values_[rule.name]) {
      values_[rule.name] = WholeValue(rule.alias, pieces);
    }
  }
}

bool Options::Has(std::string_view name) const {
  const auto found = flags_.find(name);
  return found != flags_.end() && found->second;
}

std::string Options::Value(std::string_view name) const { return Given(name).value_or(""); }

const std::optional<std::string>& Options::Given(std::string_view name) const {
  static const std::optional<std::string> kAbsent;
  const auto found = values_.find(name);
  return found == values_.end() ? kAbsent : found->second;
}

std::vector<std::string> UnknownOptions(std::span<const OptionRule> rules,
                                        std::string_view option_text) {
  std::vector<std::string> unknown;
  for (const std::string& option : Pieces(option_text)) {
    std::string key = KeyOf(option);
    bool known = false;
    for (const OptionRule& rule : rules) known = known || rule.Names(key);
    if (!known) unknown.push_back(std::move(key));
  }
  return unknown;
}

std::vector<std::string> RepeatedOptions(std::span<const OptionRule> rules,
                                         std::string_view option_text) {
  const std::vector<std::string> pieces = Pieces(option_text);
  std::vector<std::string> repeated;
  for (const OptionRule& rule : rules) {
    if (rule.kind != OptionRule::kValue) continue;
    size_t given = 0;
    for (const std::string& option : pieces) given += rule.Names(KeyOf(option)) ? 1 : 0;
    if (given > 1) repeated.emplace_back(rule.name);
  }
  return repeated;
}

std::string GetOption(std::string_view key, std::string_view option_text) {
  const size_t at = option_text.find(key);
  if (at == std::string_view::npos) return "";
  // The "=" is looked for up to, not including, the last character.
  size_t start = at;
  if (option_text.size() > 1) {
    const size_t equals = option_text.substr(0, option_text.size() - 1).find('=', at);
    if (equals != std::string_view::npos) start = equals + 1;
  }
  const size_t end = option_text.find(';', start);
  return core::Trim(option_text.substr(start, end == std::string_view::npos ? end : end - start));
}

}  // namespace console
