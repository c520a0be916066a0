#include "tests/support/memory_file_system.h"

#include <algorithm>

#include "platform/text.h"
#include "platform/wildcard.h"
#include "platform/windows_path.h"

namespace test_support {
namespace {

using platform::FoldCase;

std::string ParentKey(const std::string& key) {
  const size_t slash = key.rfind('\\');
  if (slash == std::string::npos) return "";
  return slash <= 2 ? key.substr(0, 3) : key.substr(0, slash);
}

void AppendKey(std::string& key, const std::string& component) {
  if (key.back() != '\\') key += '\\';
  key += FoldCase(component);
}

// Whether a key names `base` or lies beneath it.
bool Beneath(const std::string& key, const std::string& base) {
  const std::string prefix = base.back() == '\\' ? base : base + "\\";
  return key == base || key.compare(0, prefix.size(), prefix) == 0;
}

std::string LastName(const std::string& path) {
  return std::string(platform::SplitLastName(path).name);
}

}  // namespace

MemoryFileSystem::MemoryFileSystem(std::string current_folder)
    : current_(std::move(current_folder)) {
  AddFolder(current_);
}

std::string MemoryFileSystem::KeyOf(const std::vector<std::string>& components, char drive,
                                    size_t follow) const {
  std::string key = FoldCase(std::string{drive, ':', '\\'});
  for (size_t i = 0; i < components.size(); ++i) {
    AppendKey(key, components[i]);
    if (i >= follow) continue;
    auto link = links_.find(key);
    if (link != links_.end()) key = Key(link->second);
    if (key.empty()) return key;
  }
  return key;
}

std::string MemoryFileSystem::Key(const std::string& path) const {
  auto parsed = platform::ParseWindowsPath(path, current_);
  if (!parsed) return "";
  return KeyOf(parsed->components, parsed->drive, parsed->components.size());
}

std::string MemoryFileSystem::EntryKey(const std::string& path) const {
  auto parsed = platform::ParseWindowsPath(path, current_);
  if (!parsed) return "";
  const size_t count = parsed->components.size();
  return KeyOf(parsed->components, parsed->drive, count == 0 ? 0 : count - 1);
}

bool MemoryFileSystem::Writable(const std::string& key) const {
  if (key.empty() || failing_.count(key) || folders_.count(key) || specials_.count(key)) {
    return false;
  }
  return folders_.count(ParentKey(key)) > 0;
}

void MemoryFileSystem::AddFolder(const std::string& path) {
  // Walks down from the drive root, naming each level as the path spells it.
  auto parsed = platform::ParseWindowsPath(path, current_);
  if (!parsed) return;
  folders_.emplace(KeyOf({}, parsed->drive, 0), "");
  std::vector<std::string> walked;
  for (const std::string& component : parsed->components) {
    walked.push_back(component);
    folders_.emplace(KeyOf(walked, parsed->drive, walked.size()), component);
  }
}

void MemoryFileSystem::Add(const std::string& path, const std::string& bytes) {
  AddFolder(std::string(platform::SplitLastName(path).folder));
  files_[Key(path)] = File{LastName(path), bytes, ++writes_};
}

void MemoryFileSystem::AddLink(const std::string& path, const std::string& target) {
  AddFolder(std::string(platform::SplitLastName(path).folder));
  links_[EntryKey(path)] = target;
}

void MemoryFileSystem::AddSpecial(const std::string& path) {
  AddFolder(std::string(platform::SplitLastName(path).folder));
  specials_.insert(Key(path));
}

std::string MemoryFileSystem::Content(const std::string& path) const {
  auto it = files_.find(Key(path));
  return it == files_.end() ? "<missing>" : it->second.bytes;
}

void MemoryFileSystem::FailWritesTo(const std::string& path) { failing_.insert(Key(path)); }

bool MemoryFileSystem::Change() {
  if (killed_) return false;
  if (fail_in_ >= 0 && fail_in_-- == 0) return false;
  if (changes_left_ >= 0 && changes_left_-- == 0) {
    killed_ = true;
    throw Killed{};
  }
  return true;
}

bool MemoryFileSystem::FileExists(const std::string& path) const {
  return files_.count(Key(path)) > 0;
}

bool MemoryFileSystem::FolderExists(const std::string& path) const {
  return folders_.count(Key(path)) > 0;
}

bool MemoryFileSystem::IsSpecialFile(const std::string& path) const {
  return specials_.count(Key(path)) > 0;
}

std::optional<platform::FileStamp> MemoryFileSystem::Stamp(const std::string& path) const {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  platform::FileStamp stamp;
  stamp.identity = it->second.version;
  stamp.size = static_cast<int64_t>(it->second.bytes.size());
  return stamp;
}

platform::EntryKind MemoryFileSystem::KindAt(const std::string& path) const {
  const std::string key = EntryKey(path);
  if (links_.count(key)) return platform::EntryKind::kLink;
  if (files_.count(key)) return platform::EntryKind::kFile;
  if (folders_.count(key)) return platform::EntryKind::kFolder;
  return specials_.count(key) ? platform::EntryKind::kOther : platform::EntryKind::kNone;
}

bool MemoryFileSystem::CopyFile(const std::string& from, const std::string& to,
                                bool fail_if_exists) {
  const std::string source = Key(from), target = Key(to);
  auto it = files_.find(source);
  if (it == files_.end() || source == target || !Writable(target)) return false;
  auto existing = files_.find(target);
  if ((fail_if_exists && existing != files_.end()) || !Change()) return false;
  const std::string name = existing != files_.end() ? existing->second.name : LastName(to);
  files_[target] = File{name, it->second.bytes, ++writes_};
  return true;
}

bool MemoryFileSystem::MoveFile(const std::string& from, const std::string& to) {
  const std::string source = Key(from), target = Key(to);
  auto it = files_.find(source);
  if (it == files_.end() || failing_.count(source) || files_.count(target) || !Writable(target) ||
      !Change()) {
    return false;
  }
  files_[target] = File{LastName(to), it->second.bytes, it->second.version};
  files_.erase(source);
  return true;
}

bool MemoryFileSystem::DeleteFile(const std::string& path) {
  auto it = files_.find(Key(path));
  if (it == files_.end() || failing_.count(it->first) || !Change()) return false;
  files_.erase(it);
  return true;
}

bool MemoryFileSystem::CreateFolder(const std::string& path) {
  const std::string key = Key(path);
  if (key.empty() || folders_.count(key) || files_.count(key) || specials_.count(key) ||
      !folders_.count(ParentKey(key)) || !Change()) {
    return false;
  }
  folders_[key] = LastName(path);
  return true;
}

bool MemoryFileSystem::ReadFileInto(const std::string& path, std::string& bytes) const {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return false;
  bytes = it->second.bytes;
  return true;
}

bool MemoryFileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  const std::string key = Key(path);
  if (!Writable(key) || !Change()) return false;
  auto existing = files_.find(key);
  const std::string name = existing != files_.end() ? existing->second.name : LastName(path);
  files_[key] = File{name, std::string(bytes), ++writes_};
  return true;
}

bool MemoryFileSystem::CanReplace(const std::string& path) { return Writable(Key(path)); }

std::unique_ptr<platform::AppendFile> MemoryFileSystem::OpenAppend(const std::string& path) {
  class Appended : public platform::AppendFile {
   public:
    Appended(MemoryFileSystem& files, std::string key) : files_(files), key_(std::move(key)) {}
    bool Append(std::string_view bytes) override {
      auto it = files_.files_.find(key_);
      if (it == files_.files_.end() || files_.failing_.count(key_) || !files_.Change())
        return false;
      it->second.bytes += bytes;
      it->second.version = ++files_.writes_;
      return true;
    }
    bool Flush() override { return files_.files_.count(key_) > 0; }

   private:
    MemoryFileSystem& files_;
    const std::string key_;
  };
  const std::string key = Key(path);
  if (links_.count(EntryKey(path)) || !Writable(key)) return nullptr;
  if (!files_.count(key)) {
    if (!Change()) return nullptr;
    files_[key] = File{LastName(path), "", ++writes_};
  }
  return std::make_unique<Appended>(*this, key);
}

void MemoryFileSystem::RemoveLeftover(const std::string& path) {
  const platform::FolderAndName parts = platform::SplitLastName(path);
  const std::string temp =
      std::string(parts.folder) + "." + std::string(parts.name) + ".rastolin-tmp";
  if (KindAt(temp) == platform::EntryKind::kFile) DeleteFile(temp);
}

std::unique_ptr<platform::FileLock> MemoryFileSystem::LockFile(const std::string& path,
                                                               bool& held_elsewhere) {
  class Lock : public platform::FileLock {
   public:
    Lock(std::set<std::string>& locked, std::string key) : locked_(locked), key_(std::move(key)) {
      locked_.insert(key_);
    }
    ~Lock() override { locked_.erase(key_); }

   private:
    std::set<std::string>& locked_;
    const std::string key_;
  };
  held_elsewhere = false;
  auto file = files_.find(Key(path));
  if (file == files_.end()) return nullptr;
  // A lock is on the file, not on its name: one written anew is another.
  const std::string locked = file->first + "#" + std::to_string(file->second.version);
  if (locked_.count(locked)) {
    held_elsewhere = true;
    return nullptr;
  }
  return std::make_unique<Lock>(locked_, locked);
}

std::optional<std::string> MemoryFileSystem::FinalPath(const std::string& path) const {
  // A key is a path, folded.
  const std::string key = Key(path);
  if (key.empty() || !folders_.count(ParentKey(key))) return std::nullopt;
  return key;
}

std::optional<std::vector<platform::FindEntry>> MemoryFileSystem::FindListed(
    const std::string& pattern, uint32_t mask) const {
  const platform::FolderAndName parts = platform::SplitLastName(pattern);
  const std::string folder_key = Key(parts.folder.empty() ? current_ : std::string(parts.folder));
  if (!folders_.count(folder_key)) return std::nullopt;
  std::vector<platform::FindEntry> entries;
  auto in_folder = [&](const std::string& key) {
    return key.size() > folder_key.size() && ParentKey(key) == folder_key;
  };
  for (const auto& [key, file] : files_) {
    if (in_folder(key) && platform::MatchesWildcard(parts.name, file.name)) {
      entries.push_back({file.name, platform::kArchive});
    }
  }
  if (mask & platform::kDirectory) {
    for (const auto& [key, name] : folders_) {
      if (in_folder(key) && platform::MatchesWildcard(parts.name, name)) {
        entries.push_back({name, platform::kDirectory});
      }
    }
  }
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return platform::LessIgnoreCase(a.name, b.name); });
  return entries;
}

std::optional<std::string> MemoryFileSystem::LinkOutOf(const std::string& folder,
                                                       const std::string& path) const {
  auto base = platform::ParseWindowsPath(folder, current_);
  auto target = platform::ParseWindowsPath(path, current_);
  if (!base || !target || !platform::LiesInside(path, folder, current_)) return std::nullopt;
  const std::string real = Key(folder);
  platform::WindowsPath walked{target->drive, base->components};
  for (size_t i = base->components.size(); i < target->components.size(); ++i) {
    walked.components.push_back(target->components[i]);
    auto link = links_.find(KeyOf(walked.components, walked.drive, i));
    if (link != links_.end() && !Beneath(Key(link->second), real)) return walked.Text();
  }
  return std::nullopt;
}

std::optional<std::string> MemoryFileSystem::ToHostPath(const std::string& path) const {
  std::string key = Key(path);
  if (key.empty()) return std::nullopt;
  return key;
}

std::optional<platform::FolderId> MemoryFileSystem::FolderIdentity(const std::string& path) const {
  // A folder is its key, with links followed.
  const std::string key = Key(path);
  if (!folders_.count(key)) return std::nullopt;
  return platform::FolderId{0, std::hash<std::string>{}(key)};
}

}  // namespace test_support
