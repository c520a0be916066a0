#include "platform/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string_view>
#include <utility>

#include "platform/text.h"
#include "platform/wildcard.h"
#include "platform/windows_path.h"

namespace platform {
namespace {

constexpr uint32_t kFilteredAttributes = kHidden | kSystem | kVolume | kDirectory;

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

// Whether a canonical host path is `folder` (also canonical) or lies in it.
bool Within(std::string_view path, std::string_view folder) {
  if (folder == "/" || path == folder) return true;
  return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

// When the path is a symbolic link to a file, the file it leads to; else the
// path itself. Writing to a linked file keeps the link. A route asks
// LinkOutOf before it writes, so only links that stay inside it are followed
// for its files.
std::string FollowLink(const std::string& host) {
  struct stat st;
  if (lstat(host.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return host;
  return RealPath(host).value_or(host);
}

// ---------------------------------------------------------------------------
// Files

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int Release() { return std::exchange(fd_, -1); }
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

// Opens a regular file for reading, a host path or a name in the folder
// open as `folder`. The open does not wait, so that a FIFO or a device is
// refused rather than read forever (reading a regular file never waits
// anyway).
int OpenRegularAt(int folder, const char* path, struct stat& st) {
  Fd fd(openat(folder, path, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valid() || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return fd.Release();
}

int OpenRegular(const std::string& host, struct stat& st) {
  return OpenRegularAt(AT_FDCWD, host.c_str(), st);
}

// Reads the open regular file `in`, of status `st`, whole into `bytes`.
bool ReadOpened(int in, const struct stat& st, std::string& bytes) {
  if (st.st_size > kMaxReadBytes) return false;
  // Read straight into the string. The size is a hint: the file may have
  // grown, or a host file system may report none. One byte more than it
  // says leaves room to meet the end without growing the string.
  size_t size = 0;
  bytes.resize(static_cast<size_t>(std::max<off_t>(st.st_size, 0)) + 1);
  for (;;) {
    if (size == bytes.size()) bytes.resize(bytes.size() + (size_t{1} << 16));
    const ssize_t got = read(in, bytes.data() + size, bytes.size() - size);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) break;
    size += static_cast<size_t>(got);
    if (static_cast<int64_t>(size) > kMaxReadBytes) return false;
    // Short of the byte beyond its size: the end, without the read that
    // would say so (a system call per world file of a route).
    if (static_cast<off_t>(size) == st.st_size) break;
  }
  bytes.resize(size);
  return true;
}

// The first `limit` bytes of the open regular file `in`, of status `st`.
bool ReadOpenedStart(int in, const struct stat& st, size_t limit, std::string& bytes,
                     int64_t& length) {
  bytes.resize(limit);
  size_t size = 0;
  while (size < limit) {
    const ssize_t got = read(in, bytes.data() + size, limit - size);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) break;
    size += static_cast<size_t>(got);
  }
  bytes.resize(size);
  length = std::max<int64_t>(st.st_size, static_cast<int64_t>(size));
  return true;
}

// Reads in a folder opened once, by the folder's path as typed: the host
// walks one name per file instead of the whole path. A name the folder
// lacks as typed (another letter case) is read by its whole path, as
// ReadFileInto looks for it; so is one that is no single name.
class PosixFolderReader : public FolderReader {
 public:
  PosixFolderReader(const PosixFileSystem& files, std::string folder, int handle)
      : files_(files), folder_(std::move(folder)), handle_(handle) {}

  bool ReadFileInto(const std::string& name, std::string& bytes) override {
    if (!name.empty() && name != "." && name != ".." &&
        name.find_first_of(std::string_view("\\/\0", 3)) == std::string::npos) {
      struct stat st;
      Fd in(OpenRegularAt(handle_.get(), name.c_str(), st));
      if (in.valid()) return ReadOpened(in.get(), st, bytes);
      if (errno != ENOENT && errno != ENOTDIR) return false;
    }
    return files_.ReadFileInto(folder_ + name, bytes);
  }

  bool ReadFileStart(const std::string& name, size_t limit, std::string& bytes,
                     int64_t& length) override {
    if (!name.empty() && name != "." && name != ".." &&
        name.find_first_of(std::string_view("\\/\0", 3)) == std::string::npos) {
      struct stat st;
      Fd in(OpenRegularAt(handle_.get(), name.c_str(), st));
      if (in.valid()) return ReadOpenedStart(in.get(), st, limit, bytes, length);
      if (errno != ENOENT && errno != ENOTDIR) return false;
    }
    return files_.ReadFileStart(folder_ + name, limit, bytes, length);
  }

 private:
  const PosixFileSystem& files_;
  const std::string folder_;
  Fd handle_;
};

// A file that may be replaced or deleted: a regular file whose read-only
// attribute (the owner's write bit) is not set. Decided by the mode alone,
// so that root is held to it as well.
bool Replaceable(const struct stat& st) { return S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR); }

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
      if (line.rfind("Umask:", 0) == 0)
        return static_cast<mode_t>(strtoul(line.c_str() + 6, nullptr, 8));
    }
    return static_cast<mode_t>(022);
  }();
  return mask;
}

void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// ---------------------------------------------------------------------------
// Changes in folders, each kept in step with the folder listings

bool Unlink(DirectoryCache& listings, const std::string& host) {
  const std::string folder = ParentOf(host);
  listings.BeforeChange(folder);
  if (unlink(host.c_str()) != 0) return false;
  listings.AfterChange(folder, NameOf(host), {});
  return true;
}

// rename(); without `replace` it fails when the target exists.
bool Rename(DirectoryCache& listings, const std::string& from, const std::string& to,
            bool replace) {
  const std::string from_folder = ParentOf(from), to_folder = ParentOf(to);
  listings.BeforeChange(from_folder);
  if (to_folder != from_folder) listings.BeforeChange(to_folder);
  bool renamed = false;
  if (replace) {
    renamed = rename(from.c_str(), to.c_str()) == 0;
  } else {
#ifdef RENAME_NOREPLACE
    renamed = renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
    if (!renamed && errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
#endif
    // File systems without it: check, then rename (not proof against a race).
    if (!renamed) {
      struct stat st;
      if (lstat(to.c_str(), &st) == 0) return false;
      renamed = rename(from.c_str(), to.c_str()) == 0;
    }
  }
  if (!renamed) return false;
  if (to_folder == from_folder) {
    listings.AfterChange(from_folder, NameOf(from), NameOf(to));
  } else {
    listings.AfterChange(from_folder, NameOf(from), {});
    listings.AfterChange(to_folder, {}, NameOf(to));
  }
  return true;
}

// The hidden name of a target's temporary file. One fixed name per target:
// a run cut short leaves at most one, and the next write takes it over.
std::string TempName(const std::string& name) {
  constexpr std::string_view kSuffix = ".rastolin-tmp";
  std::string temp = ".";
  if (name.size() + kSuffix.size() + 1 <= NAME_MAX) {
    temp += name;
  } else {
    // Too long to extend: a hash of the name stands for it (FNV-1a).
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    char text[17];
    snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    temp += text;
  }
  return temp += kSuffix;
}

// Opens the empty temporary file of a target in `folder` and locks it; its
// path goes to `temp`. Whatever lies at that name is taken over, unless
// another run holds the lock (it is writing the same target): then this
// write fails rather than mixing the two.
int OpenTemp(DirectoryCache& listings, const std::string& folder, const std::string& name,
             std::string& temp) {
  temp = folder;
  JoinInPlace(temp, TempName(name));
  for (int attempt = 0; attempt < 3; ++attempt) {
    // A link, a FIFO or a file with other names at the temporary name is
    // removed, never written through.
    struct stat st;
    if (lstat(temp.c_str(), &st) == 0 && (!S_ISREG(st.st_mode) || st.st_nlink > 1) &&
        !Unlink(listings, temp)) {
      return -1;
    }
    listings.BeforeChange(folder);
    Fd fd(open(temp.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.valid()) {
      // One left by another user, or a link that appeared meanwhile.
      if ((errno == EACCES || errno == EPERM || errno == ELOOP) && Unlink(listings, temp)) continue;
      return -1;
    }
    listings.AfterChange(folder, {}, NameOf(temp));
    struct stat opened;
    if (fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
        flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      return -1;
    }
    // Still the file of that name: another run may have renamed it over its
    // target before the lock was ours.
    if (lstat(temp.c_str(), &st) == 0 && st.st_dev == opened.st_dev && st.st_ino == opened.st_ino) {
      return ftruncate(fd.get(), 0) == 0 ? fd.Release() : -1;
    }
  }
  return -1;
}

// Writes the temporary file of `target` with `fill`, flushes it and renames
// it over the target (failing when one exists, unless `replace`). Nothing
// but the old target is left when it fails.
template <typename Fill>
bool WriteThroughTemp(DirectoryCache& listings, const std::string& target, bool replace,
                      Fill fill) {
  const std::string folder = ParentOf(target);
  std::string temp;
  Fd out(OpenTemp(listings, folder, NameOf(target), temp));
  if (!out.valid()) return false;
  bool ok = fill(out.get()) && fsync(out.get()) == 0;
  ok = out.Close() && ok;
  ok = ok && Rename(listings, temp, target, replace);
  if (!ok) {
    Unlink(listings, temp);
    return false;
  }
  SyncFolder(folder);
  return true;
}

// Held while the descriptor stays open: the system drops the lock with it,
// also when the program is killed.
class PosixFileLock : public FileLock {
 public:
  explicit PosixFileLock(int fd) : fd_(fd) {}

 private:
  Fd fd_;
};

// Where a route's writers lock its file: far beyond the end of any file.
constexpr off_t kLockedByte = off_t{1} << 40;

// A lock on kLockedByte of the open file, exclusive when it is open for
// writing. Open file description locks belong to the descriptor, so that
// no other open and close of the file in the program drops them; they and
// the process-owned locks another program (Wine's server among them) takes
// exclude each other.
bool LockByte(int fd, bool exclusive) {
  struct flock lock {};
  lock.l_type = exclusive ? F_WRLCK : F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = kLockedByte;
  lock.l_len = 1;
#ifdef F_OFD_SETLK
  if (fcntl(fd, F_OFD_SETLK, &lock) == 0) return true;
  if (errno != EINVAL) return false;
#endif
  return fcntl(fd, F_SETLK, &lock) == 0;
}

class PosixAppendFile : public AppendFile {
 public:
  explicit PosixAppendFile(int fd) : fd_(fd) {}
  bool Append(std::string_view bytes) override {
    return WriteAll(fd_.get(), bytes.data(), bytes.size());
  }
  bool Flush() override { return fsync(fd_.get()) == 0; }

 private:
  Fd fd_;
};

uint32_t AttributesOf(std::string_view name, const struct stat& st) {
  uint32_t attributes = S_ISDIR(st.st_mode) ? kDirectory : kArchive;
  if (!(st.st_mode & S_IWUSR)) attributes |= kReadOnly;
  if (!name.empty() && name[0] == '.' && name != "." && name != "..") attributes |= kHidden;
  return attributes;
}

bool PassesMask(uint32_t attributes, uint32_t mask) {
  return (attributes & kFilteredAttributes & ~mask) == 0;
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

PosixFileSystem::Resolved PosixFileSystem::Joined(const std::string& root,
                                                  const WindowsPath& path) {
  Resolved out;
  out.host = root;
  out.is_root = path.components.empty();
  if (!path.components.empty()) out.typed_name = path.components.back();
  for (const auto& component : path.components) JoinInPlace(out.host, component);
  return out;
}

std::optional<PosixFileSystem::Resolved> PosixFileSystem::AsTyped(std::string_view text) const {
  auto path = ParseWindowsPath(text, current_folder_);
  if (!path) return std::nullopt;
  auto root = drives_.HostRoot(path->drive);
  if (!root) return std::nullopt;
  return Joined(*root, *path);
}

// Maps a Windows path onto the host: each component is taken as it is when
// the host has that name, else as the name that equals it without regard to
// case (the first in byte order, so the choice does not depend on the order
// the folder happens to list them in); from the first component that
// matches nothing on, the components are taken as typed.
std::optional<PosixFileSystem::Resolved> PosixFileSystem::Resolve(std::string_view text) const {
  auto path = ParseWindowsPath(text, current_folder_);
  if (!path) return std::nullopt;
  auto root = drives_.HostRoot(path->drive);
  if (!root) return std::nullopt;
  Resolved out = Joined(*root, *path);
  // The usual case, every component named as on disk, costs one look
  // instead of one per component.
  struct stat whole;
  if (out.is_root || lstat(out.host.c_str(), &whole) == 0) return out;
  out.host = *root;
  bool missing = false;
  for (const auto& component : path->components) {
    const size_t folder_length = out.host.size();
    JoinInPlace(out.host, component);
    if (missing) continue;
    struct stat st;
    if (lstat(out.host.c_str(), &st) == 0) continue;  // the usual case: exact name
    if (errno != ENOENT) {
      missing = true;  // not a folder, or not searchable: nothing to look in
      continue;
    }
    out.host.resize(folder_length);
    if (auto found = listings_.Match(out.host, component)) {
      JoinInPlace(out.host, *found);
    } else {
      JoinInPlace(out.host, component);
      missing = true;
    }
  }
  return out;
}

bool PosixFileSystem::FileExists(const std::string& path) const {
  auto resolved = Resolve(path);
  struct stat st;
  return resolved && stat(resolved->host.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PosixFileSystem::FolderExists(const std::string& path) const {
  auto resolved = Resolve(path);
  struct stat st;
  return resolved && stat(resolved->host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixFileSystem::IsSpecialFile(const std::string& path) const {
  auto resolved = Resolve(path);
  struct stat st;
  return resolved && stat(resolved->host.c_str(), &st) == 0 && !S_ISREG(st.st_mode) &&
         !S_ISDIR(st.st_mode);
}

EntryKind PosixFileSystem::KindAt(const std::string& path) const {
  auto resolved = Resolve(path);
  struct stat st;
  if (!resolved || lstat(resolved->host.c_str(), &st) != 0) return EntryKind::kNone;
  if (S_ISLNK(st.st_mode)) return EntryKind::kLink;
  if (S_ISDIR(st.st_mode)) return EntryKind::kFolder;
  return S_ISREG(st.st_mode) ? EntryKind::kFile : EntryKind::kOther;
}

std::optional<FileStamp> PosixFileSystem::Stamp(const std::string& path) const {
  auto resolved = Resolve(path);
  struct stat st;
  if (!resolved || stat(resolved->host.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    return std::nullopt;
  }
  FileStamp stamp;
  stamp.identity = (static_cast<uint64_t>(st.st_dev) << 40) ^ static_cast<uint64_t>(st.st_ino);
  stamp.size = st.st_size;
  stamp.modified_ns = st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec;
  stamp.changed_ns = st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec;
  stamp.links = static_cast<uint32_t>(st.st_nlink);
  return stamp;
}

bool PosixFileSystem::CopyFile(const std::string& from, const std::string& to,
                               bool fail_if_exists) {
  auto source = Resolve(from);
  auto target = Resolve(to);
  if (!source || !target || target->is_root) return false;
  struct stat source_stat;
  Fd in(OpenRegular(source->host, source_stat));
  if (!in.valid()) return false;
  const std::string target_host = FollowLink(target->host);
  struct stat target_stat;
  if (stat(target_host.c_str(), &target_stat) == 0) {
    if (target_stat.st_dev == source_stat.st_dev && target_stat.st_ino == source_stat.st_ino) {
      return false;  // onto itself
    }
    if (fail_if_exists || !Replaceable(target_stat)) return false;
  } else if (fail_if_exists && lstat(target_host.c_str(), &target_stat) == 0) {
    return false;  // a broken link still holds the name
  }
  return WriteThroughTemp(listings_, target_host, !fail_if_exists, [&](int out) {
    const timespec times[2] = {source_stat.st_atim, source_stat.st_mtim};
    if (!CopyContent(in.get(), out) || fchmod(out, source_stat.st_mode & 07777) != 0) return false;
    futimens(out, times);  // best effort
    return true;
  });
}

bool PosixFileSystem::MoveFile(const std::string& from, const std::string& to) {
  auto source = Resolve(from);
  auto target = Resolve(to);
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
    return Rename(listings_, source->host, target_host, true);
  }
  if (Rename(listings_, source->host, target_host, false)) return true;
  if (errno != EXDEV || !S_ISREG(source_stat.st_mode)) return false;
  // Another device: copy the file, then delete the original.
  struct stat opened;
  Fd in(OpenRegular(source->host, opened));
  if (!in.valid()) return false;
  const bool copied = WriteThroughTemp(listings_, target_host, false, [&](int out) {
    const timespec times[2] = {opened.st_atim, opened.st_mtim};
    if (!CopyContent(in.get(), out) || fchmod(out, opened.st_mode & 07777) != 0) return false;
    futimens(out, times);  // best effort
    return true;
  });
  if (!copied) return false;
  if (!Unlink(listings_, source->host)) {
    Unlink(listings_, target_host);
    return false;
  }
  return true;
}

bool PosixFileSystem::DeleteFile(const std::string& path) {
  auto resolved = Resolve(path);
  if (!resolved || resolved->is_root) return false;
  // A link that leads nowhere is deleted as itself.
  struct stat st;
  if (stat(resolved->host.c_str(), &st) == 0 && !Replaceable(st)) return false;
  return Unlink(listings_, resolved->host);
}

bool PosixFileSystem::CreateFolder(const std::string& path) {
  auto resolved = Resolve(path);
  if (!resolved || resolved->is_root) return false;
  const std::string folder = ParentOf(resolved->host);
  listings_.BeforeChange(folder);
  if (mkdir(resolved->host.c_str(), 0777) != 0) return false;
  listings_.AfterChange(folder, {}, NameOf(resolved->host));
  return true;
}

bool PosixFileSystem::ReadFileInto(const std::string& path, std::string& bytes) const {
  // Opened as typed first: a route's thousands of world files are read by
  // the names their folder lists, and a look before the open would walk
  // the path twice. Only a name the host lacks is looked for in another
  // letter case.
  auto resolved = AsTyped(path);
  if (!resolved) return false;
  struct stat st;
  int opened = OpenRegular(resolved->host, st);
  if (opened < 0 && (errno == ENOENT || errno == ENOTDIR)) {
    resolved = Resolve(path);
    if (!resolved) return false;
    opened = OpenRegular(resolved->host, st);
  }
  Fd in(opened);
  return in.valid() && ReadOpened(in.get(), st, bytes);
}

bool PosixFileSystem::ReadFileStart(const std::string& path, size_t limit, std::string& bytes,
                                    int64_t& length) const {
  auto resolved = Resolve(path);
  if (!resolved) return false;
  struct stat st;
  Fd in(OpenRegular(resolved->host, st));
  return in.valid() && ReadOpenedStart(in.get(), st, limit, bytes, length);
}

std::unique_ptr<FolderReader> PosixFileSystem::ReadFolder(const std::string& folder) const {
  const std::optional<Resolved> typed = AsTyped(folder);
  const int handle = typed ? open(typed->host.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1;
  if (handle < 0) return FileSystem::ReadFolder(folder);
  return std::make_unique<PosixFolderReader>(*this, folder, handle);
}

bool PosixFileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  auto resolved = Resolve(path);
  if (!resolved || resolved->is_root) return false;
  const std::string target = FollowLink(resolved->host);
  struct stat old_stat;
  const bool replacing = stat(target.c_str(), &old_stat) == 0;
  if (replacing && !Replaceable(old_stat)) return false;
  return WriteThroughTemp(listings_, target, true, [&](int out) {
    if (!WriteAll(out, bytes.data(), bytes.size())) return false;
    if (!replacing) return fchmod(out, 0666 & ~CurrentUmask()) == 0;
    if (old_stat.st_uid != geteuid() || old_stat.st_gid != getegid()) {
      // Keeps the owner where we may (as root); a failure changes nothing.
      (void)!fchown(out, old_stat.st_uid, old_stat.st_gid);
    }
    return fchmod(out, old_stat.st_mode & 07777) == 0;
  });
}

bool PosixFileSystem::CanReplace(const std::string& path) {
  auto resolved = Resolve(path);
  if (!resolved || resolved->is_root) return false;
  const std::string target = FollowLink(resolved->host);
  struct stat st;
  if (stat(target.c_str(), &st) == 0 && !Replaceable(st)) return false;
  std::string temp;
  Fd probe(OpenTemp(listings_, ParentOf(target), NameOf(target), temp));
  if (!probe.valid()) return false;
  probe.Close();
  Unlink(listings_, temp);
  return true;
}

std::unique_ptr<AppendFile> PosixFileSystem::OpenAppend(const std::string& path) {
  auto resolved = Resolve(path);
  if (!resolved || resolved->is_root) return nullptr;
  const std::string folder = ParentOf(resolved->host);
  listings_.BeforeChange(folder);
  // Never through a link; a FIFO without a reader fails instead of waiting,
  // and one with a reader is no regular file.
  Fd fd(open(resolved->host.c_str(),
             O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
  listings_.AfterChange(folder, {}, fd.valid() ? NameOf(resolved->host) : std::string());
  struct stat st;
  if (!fd.valid() || fstat(fd.get(), &st) != 0 || !Replaceable(st) || st.st_nlink > 1) {
    return nullptr;
  }
  return std::make_unique<PosixAppendFile>(fd.Release());
}

void PosixFileSystem::RemoveLeftover(const std::string& path) {
  auto resolved = Resolve(path);
  if (!resolved || resolved->is_root) return;
  const std::string target = FollowLink(resolved->host);
  std::string temp = ParentOf(target);
  JoinInPlace(temp, TempName(NameOf(target)));
  struct stat st;
  if (lstat(temp.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  // A write of the target holds its temporary file locked.
  Fd fd(open(temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (fd.valid() && flock(fd.get(), LOCK_EX | LOCK_NB) == 0) Unlink(listings_, temp);
}

std::unique_ptr<FileLock> PosixFileSystem::LockFile(const std::string& path,
                                                   bool& held_elsewhere) {
  held_elsewhere = false;
  auto resolved = Resolve(path);
  if (!resolved || resolved->is_root) return nullptr;
  const std::string host = FollowLink(resolved->host);
  for (int attempt = 0; attempt < 3; ++attempt) {
    bool exclusive = true;
    int handle = open(host.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
      exclusive = false;
      handle = open(host.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    }
    Fd fd(handle);
    struct stat opened, named;
    if (!fd.valid() || fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) return nullptr;
    if (!LockByte(fd.get(), exclusive)) {
      held_elsewhere = errno == EAGAIN || errno == EACCES;
      return nullptr;
    }
    // Still the file of that name: another program may have replaced it
    // before the lock was ours.
    if (stat(host.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
        named.st_ino == opened.st_ino) {
      return std::make_unique<PosixFileLock>(fd.Release());
    }
  }
  return nullptr;
}

std::optional<std::vector<FindEntry>> PosixFileSystem::FindListed(const std::string& pattern,
                                                                  uint32_t mask) const {
  std::vector<FindEntry> out;
  // The folder part keeps its last separator ("C:\" stays the root);
  // "X:*.s" searches X's current folder, "*.s" the current folder.
  const FolderAndName parts = SplitLastName(pattern);
  const std::string name_pattern(parts.name);
  if (name_pattern.empty()) return out;
  auto folder = Resolve(parts.folder.empty() ? std::string_view(".") : parts.folder);
  if (!folder) return std::nullopt;

  const bool has_wildcards = name_pattern.find_first_of("*?") != std::string::npos;
  if (!has_wildcards && name_pattern != "." && name_pattern != "..") {
    // One name: the exact one when it exists, saving a look at the folder.
    std::string host = folder->host;
    JoinInPlace(host, name_pattern);
    struct stat st;
    if (stat(host.c_str(), &st) == 0) {
      uint32_t attributes = AttributesOf(name_pattern, st);
      if ((S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) && PassesMask(attributes, mask)) {
        out.push_back({name_pattern, attributes});
      }
      return out;
    }
    // Else the names that equal it without regard to case, looked up in
    // the folder's listing rather than matched against each of its names.
    const std::optional<std::vector<std::string>> same =
        listings_.Matches(folder->host, name_pattern);
    if (!same) return std::nullopt;
    for (const std::string& name : *same) {
      if (name[0] == '.' && !(mask & kHidden)) continue;
      host = folder->host;
      JoinInPlace(host, name);
      if (stat(host.c_str(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))) continue;
      const uint32_t attributes = AttributesOf(name, st);
      if (PassesMask(attributes, mask)) out.push_back({name, attributes});
    }
    std::stable_sort(out.begin(), out.end(), [](const FindEntry& a, const FindEntry& b) {
      return LessIgnoreCase(a.name, b.name);
    });
    return out;
  }

  Fd dir(open(folder->host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!dir.valid()) return std::nullopt;
  // Windows lists "." and ".." in every folder but a drive's root.
  if (!folder->is_root && PassesMask(kDirectory, mask)) {
    for (const char* dot : {".", ".."}) {
      if (MatchesWildcard(name_pattern, dot)) out.push_back({dot, kDirectory});
    }
  }
  const bool listed = listings_.ForEach(folder->host, [&](const std::string& name) {
    if (!MatchesWildcard(name_pattern, name)) return;
    if (name[0] == '.' && !(mask & kHidden)) return;  // hidden, before the stat
    struct stat st;
    if (fstatat(dir.get(), name.c_str(), &st, 0) != 0) return;  // a broken link
    if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) return;   // not a file to the program
    const uint32_t attributes = AttributesOf(name, st);
    if (PassesMask(attributes, mask)) out.push_back({name, attributes});
  });
  if (!listed) return std::nullopt;
  return out;
}

std::optional<std::vector<std::string>> PosixFileSystem::FileNames(
    const std::string& folder) const {
  auto resolved = Resolve(folder);
  if (!resolved) return std::nullopt;
  Fd fd(open(resolved->host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.valid()) return std::nullopt;
  DIR* dir = fdopendir(fd.get());
  if (!dir) return std::nullopt;
  fd.Release();
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    bool file = entry->d_type == DT_REG;
    // A link, or a host that does not say: the file it leads to decides,
    // and a broken link is no file.
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat st;
      file = fstatat(dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
    }
    if (file && name != "." && name != "..") names.emplace_back(name);
  }
  closedir(dir);
  return names;
}

std::optional<std::string> PosixFileSystem::LinkOutOf(const std::string& folder,
                                                      const std::string& path) const {
  auto base = ParseWindowsPath(folder, current_folder_);
  auto target = ParseWindowsPath(path, current_folder_);
  if (!base || !target || !LiesInside(path, folder, current_folder_)) return std::nullopt;
  auto base_host = Resolve(folder);
  auto target_host = Resolve(path);
  if (!base_host || !target_host) return std::nullopt;
  const std::optional<std::string> real_folder = RealPath(base_host->host);
  if (!real_folder) return std::nullopt;  // no folder: nothing can be written there
  const std::string& host = target_host->host;
  WindowsPath walked{target->drive, base->components};
  // The host path holds one name per component, so each step down is the
  // next "/" of it.
  size_t end = base_host->host.size();
  if (!host.starts_with(base_host->host)) return target->Text();
  for (size_t i = base->components.size();
       i < target->components.size() && end != std::string::npos; ++i) {
    walked.components.push_back(target->components[i]);
    end = host.find('/', end + 1);
    const std::string step = host.substr(0, end);
    struct stat st;
    if (lstat(step.c_str(), &st) != 0) return std::nullopt;  // nothing further exists
    if (!S_ISLNK(st.st_mode)) continue;
    const std::optional<std::string> leads_to = RealPath(step);
    if (!leads_to || !Within(*leads_to, *real_folder)) return walked.Text();
  }
  return std::nullopt;
}

std::optional<std::string> PosixFileSystem::FinalPath(const std::string& path) const {
  auto resolved = Resolve(path);
  if (!resolved) return std::nullopt;
  if (resolved->is_root) {
    const std::optional<std::string> real = RealPath(resolved->host);
    return real ? drives_.ToWindows(*real) : std::nullopt;
  }
  std::string host = resolved->host;
  // The last component is followed link by link, so that one leading to a
  // file yet to be made still tells where that file would be.
  for (int hops = 0;; ++hops) {
    struct stat st;
    if (lstat(host.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    if (hops == 40) return std::nullopt;
    std::string target(PATH_MAX, '\0');
    const ssize_t size = readlink(host.c_str(), target.data(), target.size());
    if (size <= 0) return std::nullopt;
    target.resize(static_cast<size_t>(size));
    if (target[0] == '/') {
      host = target;
    } else {
      host = ParentOf(host);
      JoinInPlace(host, target);
    }
  }
  std::optional<std::string> final = RealPath(ParentOf(host));
  if (!final) return std::nullopt;
  const std::string name = NameOf(host);
  if (name != "." && name != "..") {
    JoinInPlace(*final, name);
  } else if (!(final = RealPath(host))) {
    return std::nullopt;
  }
  return drives_.ToWindows(*final);
}

std::string PosixFileSystem::CurrentFolder() const { return current_folder_; }

std::string PosixFileSystem::FromUserPath(const std::string& text) const {
  if (text.empty() || text[0] != '/') return text;
  auto windows = drives_.ToWindows(text);
  return windows ? *windows : text;
}

std::optional<std::string> PosixFileSystem::ToHostPath(const std::string& path) const {
  auto resolved = Resolve(path);
  if (!resolved) return std::nullopt;
  return resolved->host;
}

std::optional<FolderId> PosixFileSystem::FolderIdentity(const std::string& path) const {
  auto resolved = Resolve(path);
  struct stat st;
  if (!resolved || stat(resolved->host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return std::nullopt;
  }
  return FolderId{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

}  // namespace platform
