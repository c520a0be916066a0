#include "platform/drive_map.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform {
namespace {

char UpperLetter(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string JoinHost(const std::vector<std::string>& parts, size_t count) {
  std::string out;
  for (size_t i = 0; i < count; ++i) out += "/" + parts[i];
  return out.empty() ? "/" : out;
}

// The canonical form of an absolute host path: the longest existing prefix
// through realpath, the missing rest appended as typed ("." dropped, ".."
// taken lexically).
std::string Canonical(const std::string& host_path) {
  std::vector<std::string> parts;
  size_t pos = 0;
  while (pos <= host_path.size()) {
    size_t end = host_path.find('/', pos);
    if (end == std::string::npos) end = host_path.size();
    std::string part = host_path.substr(pos, end - pos);
    if (!part.empty() && part != ".") parts.push_back(std::move(part));
    pos = end + 1;
  }
  std::string base = "/";
  size_t existing = 0;
  for (size_t n = parts.size();; --n) {
    if (auto real = RealPath(JoinHost(parts, n))) {
      base = *real;
      existing = n;
      break;
    }
    if (n == 0) break;
  }
  std::vector<std::string> tail;
  for (size_t i = existing; i < parts.size(); ++i) {
    if (parts[i] != "..") {
      tail.push_back(parts[i]);
    } else if (!tail.empty()) {
      tail.pop_back();
    } else if (base != "/") {
      size_t cut = base.rfind('/');
      base.resize(cut == 0 ? 1 : cut);
    }
  }
  for (const auto& part : tail) {
    if (base.back() != '/') base += '/';
    base += part;
  }
  return base;
}

}  // namespace

std::optional<std::string> RealPath(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return std::nullopt;
  std::string out(resolved);
  free(resolved);
  return out;
}

DriveMap::DriveMap(const std::string& prefix) {
  std::string devices = prefix;
  if (devices.empty() || devices.back() != '/') devices += '/';
  devices += "dosdevices";
  if (!IsFolder(devices)) {
    drives_['Z'] = "/";
    return;
  }
  DIR* dir = opendir(devices.c_str());
  if (!dir) return;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    // "c:" only: "c::" is a raw device, "com1" a serial port.
    if (name.size() != 2 || name[1] != ':' || !IsLetter(name[0])) continue;
    auto host = RealPath(devices + "/" + name);
    if (!host || !IsFolder(*host)) continue;
    const char letter = UpperLetter(name[0]);
    // Wine names its drives in lower case; that entry wins over an upper-case one.
    const bool lower = name[0] != letter;
    if (lower || !drives_.count(letter)) drives_[letter] = *host;
  }
  closedir(dir);
}

std::string WinePrefixFolder() {
  const char* prefix = getenv("WINEPREFIX");
  if (prefix && *prefix) return prefix;
  std::string home;
  if (const char* env_home = getenv("HOME"); env_home && *env_home) {
    home = env_home;
  } else if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) {
    home = user->pw_dir;
  }
  return home + "/.wine";
}

DriveMap DriveMap::FromEnvironment() { return DriveMap(WinePrefixFolder()); }

std::optional<std::string> DriveMap::HostRoot(char letter) const {
  auto it = drives_.find(UpperLetter(letter));
  if (it == drives_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> DriveMap::ToWindows(const std::string& host_path) const {
  if (host_path.empty() || host_path[0] != '/') return std::nullopt;
  const std::string path = Canonical(host_path);
  char best = 0;
  size_t best_length = 0;
  std::string rest;
  for (const auto& [letter, root] : drives_) {
    std::string_view below;
    if (root == "/") {
      below = std::string_view(path).substr(1);
    } else if (path == root) {
      below = {};
    } else if (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
               path[root.size()] == '/') {
      below = std::string_view(path).substr(root.size() + 1);
    } else {
      continue;
    }
    // The longest root wins; among equal ones the first letter.
    if (best == 0 || root.size() > best_length) {
      best = letter;
      best_length = root.size();
      rest = below;
    }
  }
  if (best == 0) return std::nullopt;
  std::string out{best, ':', '\\'};
  for (char c : rest) out += c == '/' ? '\\' : c;
  return out;
}

}  // namespace platform
