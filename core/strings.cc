#include "core/strings.h"

#include <charconv>

namespace core {
namespace {

bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

std::string Trim(std::string_view text) {
  size_t first = 0;
  while (first < text.size() && IsControlOrBlank(text[first])) ++first;
  size_t last = text.size();
  while (last > first && IsControlOrBlank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

std::string TrimLeft(std::string_view text) {
  size_t first = 0;
  while (first < text.size() && IsControlOrBlank(text[first])) ++first;
  return std::string(text.substr(first));
}

std::vector<std::string> SplitText(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  size_t at;
  while ((at = text.find(separator)) != std::string_view::npos) {
    pieces.emplace_back(text.substr(0, at));
    text.remove_prefix(at + 1);
  }
  if (!Trim(text).empty()) pieces.emplace_back(text);
  return pieces;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\r' && text[at] != '\n') continue;
    lines.emplace_back(text.substr(start, at - start));
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
    start = at + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

bool ParseWholeNumber(std::string_view text, int& value) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool IsWholeNumber(std::string_view text) {
  int value;
  return ParseWholeNumber(text, value);
}

}  // namespace core
