#include "platform/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utf8proc.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string_view>

#include "platform/text.h"
#include "platform/wildcard.h"
#include "platform/windows_path.h"

namespace platform {
namespace {

constexpr uint32_t kFilteredAttributes = kHidden | kSystem | kVolume | kDirectory;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool HasDrive(std::string_view text) {
  return text.size() >= 2 && text[1] == ':' && IsLetter(text[0]);
}

// ---------------------------------------------------------------------------
// Host paths

void JoinInPlace(std::string& host, std::string_view name) {
  if (host.empty() || host.back() != '/') host += '/';
  host += name;
}

std::string ParentOf(const std::string& host) {
  size_t cut = host.rfind('/');
  if (cut == std::string::npos) return ".";
  return cut == 0 ? "/" : host.substr(0, cut);
}

std::string NameOf(const std::string& host) {
  size_t cut = host.rfind('/');
  return cut == std::string::npos ? host : host.substr(cut + 1);
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Whether a name folds to `folded` (a FoldCase result). An ASCII name folds
// to its ASCII lower case, which saves the conversion for most names.
bool FoldsTo(std::string_view name, const std::string& folded) {
  if (IsAscii(name)) {
    if (name.size() != folded.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
      char c = name[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != folded[i]) return false;
    }
    return true;
  }
  return FoldCase(name) == folded;
}

// The entry of a folder whose name equals `name` without regard to case. When
// several do (a case-sensitive host), the first in byte order, so the choice
// does not depend on the order readdir happens to give.
std::optional<std::string> FindNameIgnoringCase(const std::string& folder, std::string_view name) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return std::nullopt;
  const std::string folded = FoldCase(name);
  std::optional<std::string> found;
  while (dirent* entry = readdir(dir)) {
    std::string_view candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    if (FoldsTo(candidate, folded) && (!found || candidate < *found)) found = std::string(candidate);
  }
  closedir(dir);
  return found;
}

struct Resolved {
  std::string host;        // the host path
  bool is_root = false;    // the root of its drive
  std::string typed_name;  // the last component as the caller wrote it
};

// Maps a Windows path onto the host: each component is taken as it is when
// the host has that name, else as the name that equals it without regard to
// case; from the first component that matches nothing on, the components are
// taken as typed.
std::optional<Resolved> Resolve(const DriveMap& drives, std::string_view current,
                                std::string_view text) {
  auto path = ParseWindowsPath(text, current);
  if (!path) return std::nullopt;
  auto root = drives.HostRoot(path->drive);
  if (!root) return std::nullopt;
  Resolved out;
  out.host = *root;
  out.is_root = path->components.empty();
  bool missing = false;
  for (const auto& component : path->components) {
    const size_t folder_length = out.host.size();
    JoinInPlace(out.host, component);
    if (missing) continue;
    struct stat st;
    if (lstat(out.host.c_str(), &st) == 0) continue;  // the usual case: exact name
    if (errno != ENOENT) {
      missing = true;  // not a folder, or not searchable: nothing to scan
      continue;
    }
    const std::string folder = out.host.substr(0, folder_length);
    if (auto found = FindNameIgnoringCase(folder, component)) {
      out.host.resize(folder_length);
      JoinInPlace(out.host, *found);
    } else {
      missing = true;
    }
  }
  if (!path->components.empty()) out.typed_name = path->components.back();
  return out;
}

// ---------------------------------------------------------------------------
// File helpers

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now; false when close reports an error (a write that failed late).
  bool Close() {
    if (fd_ < 0) return true;
    int result = close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool CopyContent(int from, int to) {
  char buffer[1 << 16];
  for (;;) {
    ssize_t got = read(from, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    if (!WriteAll(to, buffer, static_cast<size_t>(got))) return false;
  }
}

// The process's file-creation mask, read without changing it (umask() would
// change it for every thread for a moment).
mode_t CurrentUmask() {
  static const mode_t mask = [] {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(strtoul(line.c_str() + 6, nullptr, 8));
    }
    return static_cast<mode_t>(022);
  }();
  return mask;
}

// A new empty file in a folder with a hidden unique name; its path goes to
// `path`.
int MakeTempFile(const std::string& folder, std::string& path) {
  path = folder;
  JoinInPlace(path, ".rastolin-XXXXXX");
  return mkostemp(path.data(), O_CLOEXEC);
}

// rename() that fails when the target exists.
bool RenameNoReplace(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
#endif
  // File systems without it: check, then rename (not proof against a race).
  struct stat st;
  if (lstat(to.c_str(), &st) == 0) return false;
  return rename(from.c_str(), to.c_str()) == 0;
}

// When the path is a symbolic link to a file, the file it leads to; else the
// path itself. Replacing a linked file keeps the link.
std::string FollowLink(const std::string& host) {
  struct stat st;
  if (lstat(host.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return host;
  char* real = realpath(host.c_str(), nullptr);
  if (!real) return host;
  std::string out(real);
  free(real);
  return out;
}

void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Copies an open file into a new temporary file in `folder`, with the
// source's permission bits and modification time. The temporary path goes to
// `temp`; empty when the copy failed (nothing is left behind then).
bool CopyToTemp(int source, const struct stat& source_stat, const std::string& folder,
                std::string& temp) {
  Fd out(MakeTempFile(folder, temp));
  if (!out.valid()) {
    temp.clear();
    return false;
  }
  const timespec times[2] = {source_stat.st_atim, source_stat.st_mtim};
  bool ok = CopyContent(source, out.get()) && fchmod(out.get(), source_stat.st_mode & 07777) == 0;
  if (ok) futimens(out.get(), times);  // best effort
  ok = out.Close() && ok;
  if (!ok) {
    unlink(temp.c_str());
    temp.clear();
  }
  return ok;
}

uint32_t AttributesOf(std::string_view name, const struct stat& st) {
  uint32_t attributes = S_ISDIR(st.st_mode) ? kDirectory : kArchive;
  if (!(st.st_mode & S_IWUSR)) attributes |= kReadOnly;
  if (!name.empty() && name[0] == '.' && name != "." && name != "..") attributes |= kHidden;
  return attributes;
}

bool PassesMask(uint32_t attributes, uint32_t mask) {
  return (attributes & kFilteredAttributes & ~mask) == 0;
}

// The upper-case form of a name, code point by code point; bytes that are
// not UTF-8 stay as they are.
std::string UpperKey(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(name.data());
  const auto size = static_cast<utf8proc_ssize_t>(name.size());
  utf8proc_ssize_t pos = 0;
  while (pos < size) {
    if (bytes[pos] < 0x80) {
      const char c = static_cast<char>(bytes[pos++]);
      out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
      continue;
    }
    utf8proc_int32_t c;
    utf8proc_ssize_t len = utf8proc_iterate(bytes + pos, size - pos, &c);
    if (len <= 0) {
      out += static_cast<char>(bytes[pos++]);
      continue;
    }
    utf8proc_uint8_t encoded[4];
    utf8proc_ssize_t encoded_length = utf8proc_encode_char(utf8proc_toupper(c), encoded);
    out.append(reinterpret_cast<const char*>(encoded), static_cast<size_t>(encoded_length));
    pos += len;
  }
  return out;
}

// Sorts entries by LessIgnoreCase. That compares upper-case forms, which are
// worked out here once per name instead of twice per comparison; a final
// pass checks the order with LessIgnoreCase itself and sorts again by it
// should the two ever disagree.
void SortByName(std::vector<FindEntry>& entries) {
  std::vector<std::pair<std::string, size_t>> keys;
  keys.reserve(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) keys.emplace_back(UpperKey(entries[i].name), i);
  std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return entries[a.second].name < entries[b.second].name;
  });
  std::vector<FindEntry> sorted;
  sorted.reserve(entries.size());
  for (const auto& key : keys) sorted.push_back(std::move(entries[key.second]));
  entries = std::move(sorted);
  auto less = [](const FindEntry& a, const FindEntry& b) { return LessIgnoreCase(a.name, b.name); };
  if (!std::is_sorted(entries.begin(), entries.end(), less)) {
    std::sort(entries.begin(), entries.end(), less);
  }
}

}  // namespace

// ---------------------------------------------------------------------------

PosixFileSystem::PosixFileSystem(DriveMap drives, std::string current_folder)
    : drives_(std::move(drives)), current_folder_(std::move(current_folder)) {}

std::optional<PosixFileSystem> PosixFileSystem::FromEnvironment() {
  DriveMap drives = DriveMap::FromEnvironment();
  std::string cwd;
  if (char* host = getcwd(nullptr, 0)) {
    cwd = host;
    free(host);
  } else {
    return std::nullopt;
  }
  auto current = drives.ToWindows(cwd);
  if (!current) return std::nullopt;
  return PosixFileSystem(std::move(drives), *current);
}

bool PosixFileSystem::FileExists(const std::string& path) const {
  auto resolved = Resolve(drives_, current_folder_, path);
  struct stat st;
  return resolved && stat(resolved->host.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool PosixFileSystem::FolderExists(const std::string& path) const {
  auto resolved = Resolve(drives_, current_folder_, path);
  struct stat st;
  return resolved && stat(resolved->host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<FileStamp> PosixFileSystem::Stamp(const std::string& path) const {
  auto resolved = Resolve(drives_, current_folder_, path);
  struct stat st;
  if (!resolved || stat(resolved->host.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
    return std::nullopt;
  }
  FileStamp stamp;
  stamp.identity = (static_cast<uint64_t>(st.st_dev) << 40) ^ static_cast<uint64_t>(st.st_ino);
  stamp.size = st.st_size;
  stamp.modified_ns = st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec;
  stamp.changed_ns = st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec;
  return stamp;
}

bool PosixFileSystem::CopyFile(const std::string& from, const std::string& to,
                               bool fail_if_exists) {
  auto source = Resolve(drives_, current_folder_, from);
  auto target = Resolve(drives_, current_folder_, to);
  if (!source || !target || target->is_root) return false;
  Fd in(open(source->host.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat source_stat;
  if (!in.valid() || fstat(in.get(), &source_stat) != 0 || S_ISDIR(source_stat.st_mode)) {
    return false;
  }
  const std::string target_host = FollowLink(target->host);
  struct stat target_stat;
  if (stat(target_host.c_str(), &target_stat) == 0) {
    if (target_stat.st_dev == source_stat.st_dev && target_stat.st_ino == source_stat.st_ino) {
      return false;  // onto itself
    }
    if (fail_if_exists || S_ISDIR(target_stat.st_mode)) return false;
  } else if (fail_if_exists && lstat(target_host.c_str(), &target_stat) == 0) {
    return false;  // a broken link still holds the name
  }
  std::string temp;
  if (!CopyToTemp(in.get(), source_stat, ParentOf(target_host), temp)) return false;
  const bool moved = fail_if_exists ? RenameNoReplace(temp, target_host)
                                    : rename(temp.c_str(), target_host.c_str()) == 0;
  if (!moved) unlink(temp.c_str());
  return moved;
}

bool PosixFileSystem::MoveFile(const std::string& from, const std::string& to) {
  auto source = Resolve(drives_, current_folder_, from);
  auto target = Resolve(drives_, current_folder_, to);
  if (!source || !target || source->is_root || target->is_root) return false;
  struct stat source_stat;
  if (lstat(source->host.c_str(), &source_stat) != 0) return false;
  std::string target_host = target->host;
  struct stat target_stat;
  if (lstat(target_host.c_str(), &target_stat) == 0) {
    // The target names the source itself in other letter case: Windows
    // renames it to the new case.
    if (target_host != source->host || target->typed_name == NameOf(source->host)) return false;
    target_host = ParentOf(target_host);
    JoinInPlace(target_host, target->typed_name);
    return rename(source->host.c_str(), target_host.c_str()) == 0;
  }
  if (RenameNoReplace(source->host, target_host)) return true;
  if (errno != EXDEV || !S_ISREG(source_stat.st_mode)) return false;
  // Another device: copy the file, then delete the original.
  Fd in(open(source->host.c_str(), O_RDONLY | O_CLOEXEC));
  if (!in.valid()) return false;
  std::string temp;
  if (!CopyToTemp(in.get(), source_stat, ParentOf(target_host), temp)) return false;
  if (!RenameNoReplace(temp, target_host)) {
    unlink(temp.c_str());
    return false;
  }
  if (unlink(source->host.c_str()) != 0) {
    unlink(target_host.c_str());
    return false;
  }
  return true;
}

bool PosixFileSystem::DeleteFile(const std::string& path) {
  auto resolved = Resolve(drives_, current_folder_, path);
  if (!resolved || resolved->is_root) return false;
  struct stat st;
  if (stat(resolved->host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
  return unlink(resolved->host.c_str()) == 0;
}

bool PosixFileSystem::CreateFolder(const std::string& path) {
  auto resolved = Resolve(drives_, current_folder_, path);
  if (!resolved || resolved->is_root) return false;
  return mkdir(resolved->host.c_str(), 0777) == 0;
}

std::optional<std::string> PosixFileSystem::ReadFile(const std::string& path) const {
  auto resolved = Resolve(drives_, current_folder_, path);
  if (!resolved) return std::nullopt;
  Fd in(open(resolved->host.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat st;
  if (!in.valid() || fstat(in.get(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
  std::string bytes;
  if (S_ISREG(st.st_mode)) bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    ssize_t got = read(in.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) return bytes;
    bytes.append(buffer, static_cast<size_t>(got));
  }
}

bool PosixFileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  auto resolved = Resolve(drives_, current_folder_, path);
  if (!resolved || resolved->is_root) return false;
  const std::string target = FollowLink(resolved->host);
  struct stat old_stat;
  const bool replacing = stat(target.c_str(), &old_stat) == 0;
  if (replacing && S_ISDIR(old_stat.st_mode)) return false;
  const std::string folder = ParentOf(target);
  std::string temp;
  Fd out(MakeTempFile(folder, temp));
  if (!out.valid()) return false;
  bool ok = WriteAll(out.get(), bytes.data(), bytes.size());
  if (ok) {
    if (replacing) {
      if (old_stat.st_uid != geteuid() || old_stat.st_gid != getegid()) {
        // Keeps the owner where we may (as root); a failure changes nothing.
        (void)!fchown(out.get(), old_stat.st_uid, old_stat.st_gid);
      }
      ok = fchmod(out.get(), old_stat.st_mode & 07777) == 0;
    } else {
      ok = fchmod(out.get(), 0666 & ~CurrentUmask()) == 0;
    }
  }
  ok = ok && fsync(out.get()) == 0;
  ok = out.Close() && ok;
  ok = ok && rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    unlink(temp.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

std::vector<FindEntry> PosixFileSystem::Find(const std::string& pattern, uint32_t mask) const {
  std::vector<FindEntry> out;
  // The folder part keeps its last separator ("C:\" stays the root);
  // "X:*.s" searches X's current folder, "*.s" the current folder.
  std::string folder_path, name_pattern;
  const size_t cut = pattern.find_last_of("\\/");
  if (cut != std::string::npos) {
    folder_path = pattern.substr(0, cut + 1);
    name_pattern = pattern.substr(cut + 1);
  } else if (HasDrive(pattern)) {
    folder_path = pattern.substr(0, 2);
    name_pattern = pattern.substr(2);
  } else {
    folder_path = ".";
    name_pattern = pattern;
  }
  if (name_pattern.empty()) return out;
  auto folder = Resolve(drives_, current_folder_, folder_path);
  if (!folder) return out;

  const bool has_wildcards = name_pattern.find_first_of("*?") != std::string::npos;
  if (!has_wildcards && name_pattern != "." && name_pattern != "..") {
    // One name: the exact one when it exists, saving a scan of the folder.
    std::string host = folder->host;
    JoinInPlace(host, name_pattern);
    struct stat st;
    if (stat(host.c_str(), &st) == 0) {
      uint32_t attributes = AttributesOf(name_pattern, st);
      if (PassesMask(attributes, mask)) out.push_back({name_pattern, attributes});
      return out;
    }
  }

  DIR* dir = opendir(folder->host.c_str());
  if (!dir) return out;
  const int dir_fd = dirfd(dir);
  std::vector<FindEntry> entries;
  while (dirent* entry = readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (!MatchesWildcard(name_pattern, name)) continue;
    if (name[0] == '.' && !(mask & kHidden)) continue;  // hidden, before the stat
    struct stat st;
    if (fstatat(dir_fd, entry->d_name, &st, 0) != 0) continue;  // a broken link
    const uint32_t attributes = AttributesOf(name, st);
    if (PassesMask(attributes, mask)) entries.push_back({std::string(name), attributes});
  }
  closedir(dir);

  // Windows lists "." and ".." in every folder but a drive's root.
  if (!folder->is_root && PassesMask(kDirectory, mask)) {
    for (const char* dot : {".", ".."}) {
      if (MatchesWildcard(name_pattern, dot)) out.push_back({dot, kDirectory});
    }
  }
  SortByName(entries);
  out.insert(out.end(), std::make_move_iterator(entries.begin()),
             std::make_move_iterator(entries.end()));
  return out;
}

std::string PosixFileSystem::CurrentFolder() const { return current_folder_; }

std::string PosixFileSystem::FromUserPath(const std::string& text) const {
  if (text.empty() || text[0] != '/') return text;
  auto windows = drives_.ToWindows(text);
  return windows ? *windows : text;
}

std::optional<std::string> PosixFileSystem::ToHostPath(const std::string& path) const {
  auto resolved = Resolve(drives_, current_folder_, path);
  if (!resolved) return std::nullopt;
  return resolved->host;
}

std::optional<FolderId> PosixFileSystem::FolderIdentity(const std::string& path) const {
  auto resolved = Resolve(drives_, current_folder_, path);
  struct stat st;
  if (!resolved || stat(resolved->host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return std::nullopt;
  }
  return FolderId{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

}  // namespace platform
