#include "tests/support/memory_file_system.h"

#include <algorithm>

#include "platform/text.h"
#include "platform/wildcard.h"

namespace test_support {
namespace {

std::vector<std::string> Components(const std::string& text) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : text + "\\") {
    if (c == '\\' || c == '/') {
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      part.clear();
    } else {
      part += c;
    }
  }
  return parts;
}

std::string NameOf(const std::string& key) { return key.substr(key.rfind('\\') + 1); }

}  // namespace

MemoryFileSystem::MemoryFileSystem(std::string current_folder)
    : current_(std::move(current_folder)) {
  AddFolder(current_);
}

std::string MemoryFileSystem::Key(const std::string& path) const {
  std::string drive;
  std::string rest;
  if (path.size() >= 2 && path[1] == ':') {
    drive = path.substr(0, 2);
    rest = path.substr(2);
    if (rest.empty() || (rest[0] != '\\' && rest[0] != '/')) {
      if (platform::EqualsIgnoreCase(drive, current_.substr(0, 2))) rest = current_.substr(2) + "\\" + rest;
    }
  } else if (!path.empty() && (path[0] == '\\' || path[0] == '/')) {
    drive = current_.substr(0, 2);
    rest = path;
  } else {
    drive = current_.substr(0, 2);
    rest = current_.substr(2) + "\\" + path;
  }
  std::string key = platform::FoldCase(drive);
  for (const std::string& part : Components(rest)) key += "\\" + platform::FoldCase(part);
  if (key.size() == 2) key += "\\";
  return key;
}

std::string MemoryFileSystem::ParentKey(const std::string& key) const {
  size_t slash = key.rfind('\\');
  if (slash <= 2) return key.substr(0, 3);
  return key.substr(0, slash);
}

void MemoryFileSystem::AddFolder(const std::string& path) {
  // Walk down from the drive root, naming each level as the path spells it.
  std::string key = Key(path);
  std::vector<std::string> names = Components(path);
  folders_.emplace(key.substr(0, 3), key.substr(0, 3));
  folder_ids_.emplace(key.substr(0, 3), folder_ids_.size() + 1);
  for (std::string k = key; k.size() > 3; k = ParentKey(k)) {
    std::string name = NameOf(k);
    for (const std::string& given : names) {
      if (platform::FoldCase(given) == name) name = given;
    }
    folders_.emplace(k, name);
    folder_ids_.emplace(k, folder_ids_.size() + 1);
  }
}

void MemoryFileSystem::Add(const std::string& path, const std::string& bytes) {
  size_t slash = path.find_last_of("\\/");
  AddFolder(slash == std::string::npos ? current_ : path.substr(0, slash));
  files_[Key(path)] = File{Components(path).back(), bytes, ++writes_};
}

std::string MemoryFileSystem::Content(const std::string& path) const {
  auto it = files_.find(Key(path));
  return it == files_.end() ? "<missing>" : it->second.bytes;
}

void MemoryFileSystem::FailWritesTo(const std::string& path) { failing_.insert(Key(path)); }

bool MemoryFileSystem::FileExists(const std::string& path) const {
  return files_.count(Key(path)) > 0;
}

bool MemoryFileSystem::FolderExists(const std::string& path) const {
  return folders_.count(Key(path)) > 0;
}

std::optional<platform::FileStamp> MemoryFileSystem::Stamp(const std::string& path) const {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  platform::FileStamp stamp;
  stamp.identity = it->second.version;
  stamp.size = static_cast<int64_t>(it->second.bytes.size());
  return stamp;
}

bool MemoryFileSystem::CopyFile(const std::string& from, const std::string& to,
                                bool fail_if_exists) {
  std::string source = Key(from), target = Key(to);
  auto it = files_.find(source);
  if (it == files_.end() || source == target || failing_.count(target)) return false;
  if (!folders_.count(ParentKey(target))) return false;
  if (fail_if_exists && files_.count(target)) return false;
  auto existing = files_.find(target);
  std::string name = existing != files_.end() ? existing->second.name : Components(to).back();
  files_[target] = File{name, it->second.bytes, ++writes_};
  return true;
}

bool MemoryFileSystem::MoveFile(const std::string& from, const std::string& to) {
  std::string source = Key(from), target = Key(to);
  auto it = files_.find(source);
  if (it == files_.end() || files_.count(target) || failing_.count(target)) return false;
  if (!folders_.count(ParentKey(target))) return false;
  files_[target] = File{Components(to).back(), it->second.bytes, it->second.version};
  files_.erase(source);
  return true;
}

bool MemoryFileSystem::DeleteFile(const std::string& path) {
  return files_.erase(Key(path)) > 0;
}

bool MemoryFileSystem::CreateFolder(const std::string& path) {
  std::string key = Key(path);
  if (folders_.count(key) || files_.count(key) || !folders_.count(ParentKey(key))) return false;
  folders_[key] = Components(path).back();
  folder_ids_.emplace(key, folder_ids_.size() + 1);
  return true;
}

std::optional<std::string> MemoryFileSystem::ReadFile(const std::string& path) const {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second.bytes;
}

bool MemoryFileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  std::string key = Key(path);
  if (failing_.count(key) || !folders_.count(ParentKey(key)) || folders_.count(key)) return false;
  auto existing = files_.find(key);
  std::string name = existing != files_.end() ? existing->second.name : Components(path).back();
  files_[key] = File{name, std::string(bytes), ++writes_};
  return true;
}

std::vector<platform::FindEntry> MemoryFileSystem::Find(const std::string& pattern,
                                                        uint32_t mask) const {
  size_t slash = pattern.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? "" : pattern.substr(0, slash + 1);
  std::string wildcard = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  std::string folder_key = Key(folder.empty() ? current_ : folder);
  std::vector<platform::FindEntry> entries;
  if (!folders_.count(folder_key)) return entries;
  auto in_folder = [&](const std::string& key) {
    return key.size() > folder_key.size() && ParentKey(key) == folder_key;
  };
  for (const auto& [key, file] : files_) {
    if (in_folder(key) && platform::MatchesWildcard(wildcard, file.name)) {
      entries.push_back({file.name, platform::kArchive});
    }
  }
  if (mask & platform::kDirectory) {
    for (const auto& [key, name] : folders_) {
      if (in_folder(key) && platform::MatchesWildcard(wildcard, name)) {
        entries.push_back({name, platform::kDirectory});
      }
    }
  }
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return platform::LessIgnoreCase(a.name, b.name);
  });
  return entries;
}

std::optional<std::string> MemoryFileSystem::ToHostPath(const std::string& path) const {
  return Key(path);
}

std::optional<platform::FolderId> MemoryFileSystem::FolderIdentity(const std::string& path) const {
  auto it = folder_ids_.find(Key(path));
  if (it == folder_ids_.end()) return std::nullopt;
  return platform::FolderId{0, it->second};
}

}  // namespace test_support
