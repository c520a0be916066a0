#include "platform/windows_path.h"

#include "platform/text.h"

namespace platform {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char UpperLetter(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Adds the components of text ("a\b/../c") to a path, never above its root.
void AppendComponents(std::vector<std::string>& out, std::string_view text) {
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = pos;
    while (end < text.size() && !IsPathSeparator(text[end])) ++end;
    std::string_view part = text.substr(pos, end - pos);
    if (part == "..") {
      if (!out.empty()) out.pop_back();
    } else if (!part.empty() && part != ".") {
      out.emplace_back(part);
    }
    pos = end + 1;
  }
}

}  // namespace

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDriveLetter(std::string_view text) {
  return text.size() >= 2 && text[1] == ':' && IsLetter(text[0]);
}

std::string_view PathRoot(std::string_view path) {
  if (HasDriveLetter(path)) return path.substr(0, 2);
  if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) {
    const size_t server_end = path.find_first_of("\\/", 2);
    if (server_end == std::string_view::npos) return path;
    return path.substr(0, path.find_first_of("\\/", server_end + 1));
  }
  return {};
}

std::string JoinPath(std::string_view folder, std::string_view path) {
  const std::string_view root = PathRoot(path);
  if (!root.empty()) {
    if (path.size() > root.size() || root[1] != ':') return std::string(path);
    const bool same_drive = HasDriveLetter(folder) && UpperLetter(folder[0]) == UpperLetter(root[0]);
    return same_drive ? std::string(folder) : std::string(root) + "\\";
  }
  if (folder.empty()) return std::string(path);
  if (!path.empty() && IsPathSeparator(path[0])) return std::string(PathRoot(folder)) + std::string(path);
  std::string joined(folder);
  if (!IsPathSeparator(joined.back())) joined += '\\';
  return joined += path;
}

FolderAndName SplitLastName(std::string_view path) {
  size_t cut = path.find_last_of("\\/");
  if (cut == std::string_view::npos && HasDriveLetter(path)) cut = 1;
  if (cut == std::string_view::npos) return {{}, path};
  return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

std::string WindowsPath::Text() const {
  std::string text{drive, ':'};
  if (components.empty()) return text + "\\";
  for (const std::string& component : components) text += "\\" + component;
  return text;
}

std::optional<WindowsPath> ParseAbsolutePath(std::string_view text) {
  if (!HasDriveLetter(text)) return std::nullopt;
  WindowsPath path;
  path.drive = UpperLetter(text[0]);
  AppendComponents(path.components, text.substr(2));
  return path;
}

std::optional<WindowsPath> ParseWindowsPath(std::string_view text, std::string_view current) {
  if (text.empty() || text.find('\0') != std::string_view::npos) return std::nullopt;
  if (text.size() >= 2 && IsPathSeparator(text[0]) && IsPathSeparator(text[1])) return std::nullopt;
  WindowsPath path;
  std::string_view rest = text;
  const auto current_path = ParseAbsolutePath(current);
  if (HasDriveLetter(text)) {
    path.drive = UpperLetter(text[0]);
    rest = text.substr(2);
    // "X:rel" is taken from the current folder when that lies on X, else
    // from X's root.
    if ((rest.empty() || !IsPathSeparator(rest[0])) && current_path &&
        current_path->drive == path.drive) {
      path.components = current_path->components;
    }
  } else {
    if (!current_path) return std::nullopt;
    path.drive = current_path->drive;
    if (!IsPathSeparator(rest[0])) path.components = current_path->components;
  }
  AppendComponents(path.components, rest);
  return path;
}

bool IsWindowsFileName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 32) return false;
    switch (c) {
      case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
        return false;
      default:
        break;
    }
  }
  return true;
}

bool LiesInside(std::string_view path, std::string_view folder, std::string_view current) {
  const auto inner = ParseWindowsPath(path, current);
  const auto outer = ParseWindowsPath(folder, current);
  if (!inner || !outer || inner->drive != outer->drive) return false;
  if (inner->components.size() < outer->components.size()) return false;
  for (size_t i = 0; i < outer->components.size(); ++i) {
    if (!EqualsIgnoreCase(inner->components[i], outer->components[i])) return false;
  }
  return true;
}

}  // namespace platform
