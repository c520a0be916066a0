#include "console/command_line.h"

#include "core/strings.h"
#include "platform/text.h"

namespace console {

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
  parsed.DirOption = GetOption("-dir", parsed.OptionText);
  return parsed;
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

std::vector<std::string> Options(std::string_view option_text) {
  std::vector<std::string> options;
  for (const std::string& piece : core::SplitText(option_text, ';')) {
    std::string option = core::Trim(piece);
    if (!option.empty()) options.push_back(std::move(option));
  }
  return options;
}

std::string OptionKey(std::string_view option) {
  return core::Trim(option.substr(0, option.find('=')));
}

bool HasWholeOption(std::string_view key, std::string_view option_text) {
  for (const std::string& option : Options(option_text)) {
    if (option == key) return true;
  }
  return false;
}

std::optional<std::string> OptionValue(std::string_view key, std::string_view option_text) {
  for (const std::string& option : Options(option_text)) {
    if (OptionKey(option) != key) continue;
    const size_t equals = option.find('=');
    if (equals == std::string::npos) return "";
    return core::Trim(std::string_view(option).substr(equals + 1));
  }
  return std::nullopt;
}

}  // namespace console
