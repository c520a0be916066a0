#include "core/settings.h"

#include <optional>
#include <vector>

#include "core/error.h"
#include "core/strings.h"
#include "platform/text.h"

namespace core {
namespace {

// The section name of a "[name]" line.
std::optional<std::string> SectionOf(const std::string& line) {
  std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] != '[') return std::nullopt;
  size_t close = trimmed.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(trimmed.substr(1, close - 1));
}

// The key of a "key=value" line.
std::optional<std::string> KeyOf(const std::string& line) {
  size_t equals = line.find('=');
  if (equals == std::string::npos) return std::nullopt;
  return Trim(line.substr(0, equals));
}

std::string ValueOf(const std::string& line) {
  std::string value = Trim(line.substr(line.find('=') + 1));
  // The profile functions drop one pair of enclosing quotes.
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

struct Position {
  int section_line = -1;    // the [section] line
  int key_line = -1;        // the key's line within it
  int section_end = -1;     // one past the last non-blank line of the section
};

Position Locate(const std::vector<std::string>& lines, const std::string& section,
                const std::string& key) {
  Position pos;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    if (auto name = SectionOf(lines[i])) {
      if (pos.section_line >= 0) break;
      if (platform::EqualsIgnoreCase(*name, section)) {
        pos.section_line = i;
        pos.section_end = i + 1;
      }
      continue;
    }
    if (pos.section_line < 0) continue;
    if (!Trim(lines[i]).empty()) pos.section_end = i + 1;
    auto line_key = KeyOf(lines[i]);
    if (pos.key_line < 0 && line_key && platform::EqualsIgnoreCase(*line_key, key)) {
      pos.key_line = i;
    }
  }
  return pos;
}

}  // namespace

Settings::Settings(platform::FileSystem& files, std::string path)
    : files_(files), path_(std::move(path)) {}

std::string Settings::ReadString(const std::string& section, const std::string& key,
                                 const std::string& default_value) const {
  std::optional<std::string> content = files_.ReadFile(path_);
  if (!content) return default_value;
  std::vector<std::string> lines = SplitLines(*content);
  Position pos = Locate(lines, section, key);
  if (pos.key_line < 0) return default_value;
  std::string value = ValueOf(lines[pos.key_line]);
  if (value.size() > kMaxValue) value.resize(kMaxValue);
  return value;
}

int Settings::ReadInteger(const std::string& section, const std::string& key,
                          int default_value) const {
  int value = 0;
  if (!ParseWholeNumber(ReadString(section, key, ""), value)) return default_value;
  return value;
}

void Settings::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  std::vector<std::string> lines;
  if (std::optional<std::string> content = files_.ReadFile(path_)) {
    lines = SplitLines(*content);
  } else if (files_.FileExists(path_)) {
    // Rewriting a file we cannot read would lose every other key in it.
    throw Error("Unable to write to " + path_);
  }
  Position pos = Locate(lines, section, key);
  if (pos.key_line >= 0) {
    std::string stored_key = *KeyOf(lines[pos.key_line]);
    lines[pos.key_line] = stored_key + "=" + value;
  } else if (pos.section_line >= 0) {
    lines.insert(lines.begin() + pos.section_end, key + "=" + value);
  } else {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back("");
    lines.push_back("[" + section + "]");
    lines.push_back(key + "=" + value);
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  if (!files_.ReplaceFile(path_, text)) throw Error("Unable to write to " + path_);
}

void Settings::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

}  // namespace core
