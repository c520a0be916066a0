#include "platform/wine_registry.h"

#include <fstream>
#include <iterator>

#include "platform/text.h"

namespace platform {
namespace {

// Appends one UTF-16 code unit as little-endian bytes.
void AppendUnit(std::string& units, unsigned unit) {
  units += static_cast<char>(unit & 0xFF);
  units += static_cast<char>((unit >> 8) & 0xFF);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text Wine wrote between `at` and the unescaped `end` character, as
// UTF-8; `at` is left after that character. Wine escapes the backslash,
// the closing character, control characters (\n, \t, octal) and every
// character above ASCII (\x and up to four hex digits of a UTF-16 unit).
// Nothing when the line ends first.
std::optional<std::string> Unescape(std::string_view line, size_t& at, char end) {
  static constexpr std::string_view kLetters = "abtnvfre";
  static constexpr char kControls[] = {'\a', '\b', '\t', '\n', '\v', '\f', '\r', '\x1b'};
  std::string units;
  while (at < line.size()) {
    const char c = line[at++];
    if (c == end) return Utf16LeToUtf8(units);
    if (c != '\\' || at == line.size()) {
      AppendUnit(units, static_cast<unsigned char>(c));
      continue;
    }
    const char escaped = line[at++];
    if (const size_t letter = kLetters.find(escaped); letter != std::string_view::npos) {
      AppendUnit(units, static_cast<unsigned char>(kControls[letter]));
    } else if (escaped == 'x') {
      unsigned unit = 0;
      for (int digits = 0; digits < 4 && at < line.size() && HexDigit(line[at]) >= 0; ++digits) {
        unit = unit * 16 + static_cast<unsigned>(HexDigit(line[at++]));
      }
      AppendUnit(units, unit);
    } else if (escaped >= '0' && escaped <= '7') {
      unsigned unit = static_cast<unsigned>(escaped - '0');
      for (int digits = 1; digits < 3 && at < line.size() && line[at] >= '0' && line[at] <= '7';
           ++digits) {
        unit = unit * 8 + static_cast<unsigned>(line[at++] - '0');
      }
      AppendUnit(units, unit);
    } else {
      AppendUnit(units, static_cast<unsigned char>(escaped));
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> WineRegistryText(std::string_view file, std::string_view key,
                                            std::string_view value) {
  const std::string wanted_key = FoldCase(key);
  const std::string wanted_value = FoldCase(value);
  bool in_key = false;
  size_t start = 0;
  while (start < file.size()) {
    size_t end = file.find('\n', start);
    if (end == std::string_view::npos) end = file.size();
    std::string_view line = file.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    size_t at = 1;
    if (line.front() == '[') {
      const std::optional<std::string> name = Unescape(line, at, ']');
      in_key = name && FoldCase(*name) == wanted_key;
      continue;
    }
    if (!in_key) continue;
    std::optional<std::string> name;
    if (line.front() == '@') {
      name.emplace();
    } else if (line.front() == '"') {
      name = Unescape(line, at, '"');
    }
    if (!name || FoldCase(*name) != wanted_value || line.substr(at, 1) != "=") continue;
    std::string_view text = line.substr(at + 1);
    // An expandable string is written as str(2):"...".
    if (text.starts_with("str(2):")) text.remove_prefix(7);
    if (!text.starts_with('"')) return std::nullopt;
    size_t from = 1;
    return Unescape(text, from, '"');
  }
  return std::nullopt;
}

WineRegistry::WineRegistry(std::string prefix) : prefix_(std::move(prefix)) {}

std::optional<std::string> WineRegistry::MachineText(const std::string& key,
                                                     const std::string& value) const {
  std::ifstream in(prefix_ + "/system.reg", std::ios::binary);
  if (!in) return std::nullopt;
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // The file names the keys below HKEY_LOCAL_MACHINE without it.
  std::string_view relative = key;
  if (relative.starts_with('\\')) relative.remove_prefix(1);
  const size_t first = relative.find('\\');
  if (first != std::string_view::npos) {
    const std::string wow = std::string(relative.substr(0, first)) + "\\Wow6432Node" +
                            std::string(relative.substr(first));
    if (std::optional<std::string> text = WineRegistryText(file, wow, value)) return text;
  }
  return WineRegistryText(file, relative, value);
}

}  // namespace platform
