#include "platform/win32_file_system.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "platform/text.h"
#include "platform/wildcard.h"
#include "platform/win32_api.h"
#include "platform/win32_handle.h"
#include "platform/win32_wide.h"
#include "platform/windows_path.h"

namespace platform {
namespace {

constexpr uint32_t kFilteredAttributes = kHidden | kSystem | kVolume | kDirectory;
// What a copy takes over from its source, as CopyFileW does.
constexpr DWORD kCopiedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                    FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool HasDrive(std::string_view text) {
  return text.size() >= 2 && text[1] == ':' && IsLetter(text[0]);
}

// The folder part of a path as written, with its last separator: "C:\a\"
// for "C:\a\b", "C:" for "C:b", empty for a bare name.
std::string FolderOf(const std::string& path) {
  size_t cut = path.find_last_of("\\/");
  if (cut != std::string::npos) return path.substr(0, cut + 1);
  if (HasDrive(path)) return path.substr(0, 2);
  return "";
}

std::string NameOf(const std::string& path) { return path.substr(FolderOf(path).size()); }

// The path as the API takes it. A long one goes through "\\?\" so that
// MAX_PATH does not cut it short.
std::wstring ApiPath(const std::string& path) {
  std::wstring wide = Wide(path);
  if (wide.size() < MAX_PATH - 12) return wide;
  DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return wide;
  std::wstring full(size, L'\0');
  size = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  full.resize(size);
  if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) return full;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(ApiPath(path).c_str()); }

bool Exists(DWORD attributes) { return attributes != INVALID_FILE_ATTRIBUTES; }
bool IsFolder(DWORD attributes) {
  return Exists(attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether Windows takes a name for a device in any folder: NUL, CON, COM1
// and their like, with or without an extension.
bool LooksLikeDevice(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && (base.back() == ' ' || base.back() == ':')) base.pop_back();
  for (char& c : base) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
      base == "CONOUT$") {
    return true;
  }
  if (!base.starts_with("COM") && !base.starts_with("LPT")) return false;
  std::string_view number = std::string_view(base).substr(3);
  return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "\xC2\xB9" ||
         number == "\xC2\xB2" || number == "\xC2\xB3";
}

// Whether a path leads to a device rather than to a file or folder.
bool NamesDevice(const std::string& path) {
  if (!LooksLikeDevice(NameOf(path))) return false;
  Handle handle(CreateFileW(ApiPath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return !handle.valid() || GetFileType(handle.get()) != FILE_TYPE_DISK;
}

// Where a path really leads, links (reparse points) followed: "C:\a\b",
// or "\\server\share\b" for a network path. Nothing when it leads nowhere.
std::optional<std::string> RealPath(const std::string& path) {
  Handle handle(CreateFileW(ApiPath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle.valid()) return std::nullopt;
  std::wstring real(MAX_PATH, L'\0');
  for (;;) {
    DWORD size =
        GetFinalPathNameByHandleW(handle.get(), real.data(), static_cast<DWORD>(real.size()), 0);
    if (size == 0) return std::nullopt;
    if (size < real.size()) {
      real.resize(size);
      break;
    }
    real.resize(size);
  }
  std::wstring_view text = real;
  if (text.starts_with(L"\\\\?\\UNC\\")) return "\\\\" + Narrow(text.substr(8));
  if (text.starts_with(L"\\\\?\\")) text.remove_prefix(4);
  return Narrow(text);
}

bool Within(const std::string& path, const std::string& folder) {
  return EqualsIgnoreCase(path, folder) ||
         (path.size() > folder.size() && path[folder.size()] == '\\' &&
          EqualsIgnoreCase(std::string_view(path).substr(0, folder.size()), folder));
}

// A name that no ordinary path can reach: Win32 drops a trailing dot or
// blank from a path and reads a device name as the device, so such a path
// would name another file.
bool Unreachable(std::string_view name) {
  return name.empty() || name.back() == '.' || name.back() == ' ' || LooksLikeDevice(name);
}

// An existing file's path with its name as the folder holds it (letter
// case, long name), so that replacing it keeps that name.
std::string AsStored(const std::string& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(ApiPath(path).c_str(), FindExInfoBasic, &data,
                                 FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return path;
  FindClose(find);
  return FolderOf(path) + Narrow(data.cFileName);
}

std::optional<BY_HANDLE_FILE_INFORMATION> InformationOf(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return info;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const std::string& path) {
  Handle other(
      CreateFileW(ApiPath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!other.valid()) return false;
  std::optional<BY_HANDLE_FILE_INFORMATION> b = InformationOf(other.get());
  return b && a.dwVolumeSerialNumber == b->dwVolumeSerialNumber &&
         a.nFileIndexHigh == b->nFileIndexHigh && a.nFileIndexLow == b->nFileIndexLow;
}

int64_t Nanoseconds(int64_t ticks) { return ticks * 100; }
int64_t Ticks(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) |
                              time.dwLowDateTime);
}

bool WriteAll(HANDLE out, const char* data, size_t size) {
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(out, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool CopyContent(HANDLE in, HANDLE out) {
  std::string buffer(1 << 16, '\0');
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(in, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
      return false;
    }
    if (got == 0) return true;
    if (!WriteAll(out, buffer.data(), got)) return false;
  }
}

// The temporary file a write of `target` goes through, beside it. A name
// too long to extend is stood for by a hash of it (FNV-1a).
std::string TempPathFor(const std::string& target) {
  constexpr std::string_view kSuffix = ".rastolin-tmp";
  const std::string name = NameOf(target);
  if (Wide(name).size() + kSuffix.size() + 1 <= 255) {
    return FolderOf(target) + "." + name + std::string(kSuffix);
  }
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
  char text[17];
  snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return FolderOf(target) + "." + text + std::string(kSuffix);
}

void Discard(const std::wstring& path) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path.c_str());
}

// Fills the temporary file of `target` (fill(handle) writes it), flushes
// it, gives it `attributes` and moves it over the target, which must not
// exist unless `replace`; `before_move` runs right before the move. Nothing
// is left behind on failure.
template <typename Fill>
bool WriteThroughTemp(const std::string& target, bool replace, DWORD attributes, Fill fill,
                      const std::function<void()>& before_move = nullptr) {
  const std::wstring temp = ApiPath(TempPathFor(target));
  // One left by a run cut short goes, read-only or not, so that a hard link
  // at its name is never written through; one another write holds stays,
  // and the open below fails.
  if (Exists(GetFileAttributesW(temp.c_str()))) Discard(temp);
  Handle out(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out.valid()) return false;
  bool ok = fill(out.get()) && FlushFileBuffers(out.get());
  ok = out.Close() && ok;
  if (ok && attributes != 0 && attributes != FILE_ATTRIBUTE_ARCHIVE) {
    ok = SetFileAttributesW(temp.c_str(), attributes) != 0;
  }
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (ok && before_move) before_move();
  ok = ok && MoveFileExW(temp.c_str(), ApiPath(target).c_str(), flags);
  if (!ok) Discard(temp);
  return ok;
}

class Win32AppendFile : public AppendFile {
 public:
  explicit Win32AppendFile(HANDLE handle) : handle_(handle) {}
  // A file on a disk, itself no link, folder or read-only file.
  bool Usable() const {
    if (!handle_.valid() || GetFileType(handle_.get()) != FILE_TYPE_DISK) return false;
    std::optional<BY_HANDLE_FILE_INFORMATION> info = InformationOf(handle_.get());
    return info && info->nNumberOfLinks <= 1 &&
           !(info->dwFileAttributes &
             (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY));
  }
  bool Append(std::string_view bytes) override {
    return WriteAll(handle_.get(), bytes.data(), bytes.size());
  }
  bool Flush() override { return FlushFileBuffers(handle_.get()) != 0; }

 private:
  Handle handle_;
};

// The file at the path opened and locked on the byte the Linux build locks,
// far beyond the end: under Wine the two meet, and the file's content stays
// free to read and write. Nothing when it cannot be had.
HANDLE OpenLocked(const std::string& path, bool& held_elsewhere) {
  held_elsewhere = false;
  // Opened for writing where it may be, as the Linux build opens it (under
  // Wine the access decides the kind of lock the host gets), else for
  // reading, which an exclusive lock needs no more than. Every sharing is
  // allowed, so that others can still read and write it.
  const std::wstring api_path = ApiPath(path);
  Handle file(CreateFileW(api_path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    file.Reset(CreateFileW(api_path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK) return nullptr;
  const std::optional<BY_HANDLE_FILE_INFORMATION> info = InformationOf(file.get());
  if (!info || (info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
  OVERLAPPED at = {};
  at.OffsetHigh = 1 << 8;
  if (!LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
    held_elsewhere = GetLastError() == ERROR_LOCK_VIOLATION;
    return nullptr;
  }
  return file.Release();
}

bool PassesMask(uint32_t attributes, uint32_t mask) {
  return (attributes & kFilteredAttributes & ~mask) == 0;
}

struct Found {
  std::wstring name;
  uint32_t attributes;
};

// NTFS order: names compared by their upper-case forms, UTF-16 unit by unit.
bool Before(const Found& a, const Found& b) {
  int order = CompareStringOrdinal(a.name.data(), static_cast<int>(a.name.size()), b.name.data(),
                                   static_cast<int>(b.name.size()), TRUE);
  return order != CSTR_EQUAL ? order == CSTR_LESS_THAN : a.name < b.name;
}

}  // namespace

// Held while its handle stays open: the system drops the lock with it, also
// when the program is killed. Windows replaces no file that is open, so
// that a replacement by this program lets go of the lock for the move.
class Win32FileLock : public FileLock {
 public:
  Win32FileLock(HANDLE handle, std::string path, std::vector<Win32FileLock*>& held)
      : handle_(handle), path_(std::move(path)), held_(held) {
    held_.push_back(this);
  }
  ~Win32FileLock() override { std::erase(held_, this); }

  // Lets go when the lock is on the file at `target`; true when it did.
  bool LetGoFor(const std::string& target) {
    if (!handle_.valid()) return false;
    const std::optional<BY_HANDLE_FILE_INFORMATION> info = InformationOf(handle_.get());
    if (!info || !SameFile(*info, target)) return false;
    handle_.Close();
    return true;
  }
  // Locks the file at its path again, where it can.
  void TakeAgain() {
    bool held_elsewhere = false;
    handle_.Reset(OpenLocked(path_, held_elsewhere));
  }

 private:
  Handle handle_;
  const std::string path_;
  std::vector<Win32FileLock*>& held_;
};

Win32FileSystem::Win32FileSystem() {
  DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring folder(size, L'\0');
  size = GetCurrentDirectoryW(size, folder.data());
  folder.resize(size);
  current_folder_ = Narrow(folder);
}

bool Win32FileSystem::FileExists(const std::string& path) const {
  const DWORD attributes = AttributesOf(path);
  return Exists(attributes) && !IsFolder(attributes) && !NamesDevice(path);
}

bool Win32FileSystem::FolderExists(const std::string& path) const {
  return IsFolder(AttributesOf(path));
}

bool Win32FileSystem::IsSpecialFile(const std::string& path) const {
  return Exists(AttributesOf(path)) && NamesDevice(path);
}

EntryKind Win32FileSystem::KindAt(const std::string& path) const {
  const DWORD attributes = AttributesOf(path);
  if (!Exists(attributes)) return EntryKind::kNone;
  // Attributes are the link's own: a link is reported whether or not its
  // target exists.
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::kLink;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::kFolder;
  return NamesDevice(path) ? EntryKind::kOther : EntryKind::kFile;
}

std::optional<FileStamp> Win32FileSystem::Stamp(const std::string& path) const {
  if (NamesDevice(path)) return std::nullopt;
  Handle file(CreateFileW(ApiPath(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                          OPEN_EXISTING, 0, nullptr));
  if (!file.valid()) return std::nullopt;
  std::optional<BY_HANDLE_FILE_INFORMATION> info = InformationOf(file.get());
  if (!info || (info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  FileStamp stamp;
  stamp.identity = ((static_cast<uint64_t>(info->nFileIndexHigh) << 32) | info->nFileIndexLow) ^
                   (static_cast<uint64_t>(info->dwVolumeSerialNumber) << 40);
  stamp.size =
      static_cast<int64_t>((static_cast<uint64_t>(info->nFileSizeHigh) << 32) | info->nFileSizeLow);
  stamp.modified_ns = Nanoseconds(Ticks(info->ftLastWriteTime));
  stamp.links = info->nNumberOfLinks;
  FILE_BASIC_INFO basic;
  if (GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic)) {
    stamp.changed_ns = Nanoseconds(basic.ChangeTime.QuadPart);
  }
  return stamp;
}

bool Win32FileSystem::CopyFile(const std::string& from, const std::string& to,
                               bool fail_if_exists) {
  if (NamesDevice(from) || LooksLikeDevice(NameOf(to))) return false;
  Handle in(CreateFileW(ApiPath(from).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!in.valid()) return false;
  std::optional<BY_HANDLE_FILE_INFORMATION> source = InformationOf(in.get());
  if (!source || (source->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  std::string target = to;
  const DWORD existing = AttributesOf(to);
  if (Exists(existing)) {
    if (fail_if_exists || (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) ||
        SameFile(*source, to)) {
      return false;
    }
    target = AsStored(to);
  }
  return WriteThroughTemp(target, !fail_if_exists, source->dwFileAttributes & kCopiedAttributes,
                          [&](HANDLE out) {
                            if (!CopyContent(in.get(), out)) return false;
                            SetFileTime(out, nullptr, nullptr, &source->ftLastWriteTime);
                            return true;
                          });
}

bool Win32FileSystem::MoveFile(const std::string& from, const std::string& to) {
  if (LooksLikeDevice(NameOf(from)) || LooksLikeDevice(NameOf(to))) return false;
  return MoveFileExW(ApiPath(from).c_str(), ApiPath(to).c_str(), MOVEFILE_COPY_ALLOWED) != 0;
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
  if (LooksLikeDevice(NameOf(path))) return false;
  return DeleteFileW(ApiPath(path).c_str()) != 0;
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
  if (LooksLikeDevice(NameOf(path))) return false;
  return CreateDirectoryW(ApiPath(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::ReadFileInto(const std::string& path, std::string& bytes) const {
  if (NamesDevice(path)) return false;
  Handle in(CreateFileW(ApiPath(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!in.valid() || GetFileType(in.get()) != FILE_TYPE_DISK) return false;
  // Read straight into the string. The size is a hint: the file may grow
  // while it is read. One byte more than it says leaves room to meet the
  // end without growing the string.
  LARGE_INTEGER size;
  size.QuadPart = 0;
  if (GetFileSizeEx(in.get(), &size) && size.QuadPart > kMaxReadBytes) return false;
  bytes.resize(static_cast<size_t>(std::max<LONGLONG>(size.QuadPart, 0)) + 1);
  size_t read = 0;
  for (;;) {
    if (read == bytes.size()) bytes.resize(bytes.size() + (size_t{1} << 16));
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size() - read, size_t{1} << 30));
    DWORD got = 0;
    if (!::ReadFile(in.get(), bytes.data() + read, wanted, &got, nullptr)) return false;
    if (got == 0) break;
    read += got;
    if (static_cast<int64_t>(read) > kMaxReadBytes) return false;
    // Short of the byte beyond its size: the end, without the read that
    // would say so (a system call per world file of a route).
    if (static_cast<LONGLONG>(read) == size.QuadPart) break;
  }
  bytes.resize(read);
  return true;
}

bool Win32FileSystem::ReadFileStart(const std::string& path, size_t limit, std::string& bytes,
                                    int64_t& length) const {
  if (NamesDevice(path)) return false;
  Handle in(CreateFileW(ApiPath(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size;
  if (!in.valid() || GetFileType(in.get()) != FILE_TYPE_DISK || !GetFileSizeEx(in.get(), &size)) {
    return false;
  }
  bytes.resize(limit);
  size_t read = 0;
  while (read < limit) {
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(limit - read, size_t{1} << 30));
    if (!::ReadFile(in.get(), bytes.data() + read, wanted, &got, nullptr)) return false;
    if (got == 0) break;
    read += got;
  }
  bytes.resize(read);
  length = std::max<int64_t>(size.QuadPart, static_cast<int64_t>(read));
  return true;
}

bool Win32FileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  if (LooksLikeDevice(NameOf(path))) return false;
  std::string target = path;
  DWORD attributes = 0;
  const DWORD existing = AttributesOf(path);
  if (Exists(existing)) {
    if (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
    target = AsStored(path);
    attributes =
        existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  }
  // A lock of this program's on the file goes for the move, and comes back
  // should the move fail; after it, the new file is for the holder to lock.
  std::vector<Win32FileLock*> let_go;
  const bool written = WriteThroughTemp(
      target, true, attributes,
      [&](HANDLE out) { return WriteAll(out, bytes.data(), bytes.size()); },
      [&] {
        for (Win32FileLock* lock : locks_) {
          if (lock->LetGoFor(target)) let_go.push_back(lock);
        }
      });
  if (!written) {
    for (Win32FileLock* lock : let_go) lock->TakeAgain();
  }
  return written;
}

bool Win32FileSystem::CanReplace(const std::string& path) {
  if (LooksLikeDevice(NameOf(path))) return false;
  std::string target = path;
  const DWORD existing = AttributesOf(path);
  if (Exists(existing)) {
    if (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
    target = AsStored(path);
  }
  const std::wstring temp = ApiPath(TempPathFor(target));
  const DWORD leftover = GetFileAttributesW(temp.c_str());
  if (Exists(leftover) && (leftover & ~FILE_ATTRIBUTE_ARCHIVE)) {
    SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  // Made as the write makes it, and gone again when the handle closes.
  Handle probe(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return probe.valid();
}

std::unique_ptr<AppendFile> Win32FileSystem::OpenAppend(const std::string& path) {
  if (LooksLikeDevice(NameOf(path))) return nullptr;
  // With FILE_APPEND_DATA alone every write goes to the end; a link is
  // opened as itself, and refused.
  auto file = std::make_unique<Win32AppendFile>(
      CreateFileW(ApiPath(path).c_str(), FILE_APPEND_DATA, kShareAll, nullptr, OPEN_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file->Usable()) return nullptr;
  return file;
}

void Win32FileSystem::RemoveLeftover(const std::string& path) {
  if (LooksLikeDevice(NameOf(path))) return;
  const std::wstring temp = ApiPath(TempPathFor(AsStored(path)));
  const DWORD attributes = GetFileAttributesW(temp.c_str());
  // A write of the target holds its temporary file open, unshared, so that
  // the delete fails.
  if (Exists(attributes) &&
      !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
    Discard(temp);
  }
}

std::unique_ptr<FileLock> Win32FileSystem::LockFile(const std::string& path,
                                                    bool& held_elsewhere) {
  held_elsewhere = false;
  if (LooksLikeDevice(NameOf(path))) return nullptr;
  HANDLE locked = OpenLocked(path, held_elsewhere);
  if (!locked) return nullptr;
  return std::make_unique<Win32FileLock>(locked, path, locks_);
}

std::optional<std::vector<FindEntry>> Win32FileSystem::FindListed(const std::string& pattern,
                                                                  uint32_t mask) const {
  std::vector<FindEntry> out;
  const std::string folder = FolderOf(pattern);
  const std::string name_pattern = pattern.substr(folder.size());
  if (name_pattern.empty()) return out;
  // The folder is listed whole and matched here: the system would match the
  // pattern against 8.3 short names too, so that "*.tga" found "a.tgax"
  // through "A~1.TGA". One plain name is looked up by itself.
  const bool one_name = name_pattern.find_first_of("*?") == std::string::npos &&
                        name_pattern != "." && name_pattern != "..";
  WIN32_FIND_DATAW data;
  HANDLE find =
      FindFirstFileExW(ApiPath(one_name ? pattern : folder + "*").c_str(), FindExInfoBasic, &data,
                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    // A folder without a match (only a drive's root can be quite empty).
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return out;
    return std::nullopt;
  }
  std::vector<Found> dots, entries;
  do {
    const std::wstring_view name = data.cFileName;
    const uint32_t attributes = data.dwFileAttributes & kAnyAttributes;
    if (!PassesMask(attributes, mask)) continue;
    const std::string narrow = Narrow(name);
    if (!MatchesWildcard(name_pattern, narrow)) continue;
    if (name == L"." || name == L"..") {
      dots.push_back({std::wstring(name), attributes});
    } else if (!Unreachable(narrow)) {
      entries.push_back({std::wstring(name), attributes});
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);

  std::sort(dots.begin(), dots.end(),
            [](const Found& a, const Found& b) { return a.name < b.name; });
  std::sort(entries.begin(), entries.end(), Before);
  out.reserve(dots.size() + entries.size());
  for (const std::vector<Found>* list : {&dots, &entries}) {
    for (const Found& entry : *list) out.push_back({Narrow(entry.name), entry.attributes});
  }
  return out;
}

std::optional<std::string> Win32FileSystem::LinkOutOf(const std::string& folder,
                                                      const std::string& path) const {
  auto base = ParseWindowsPath(folder, current_folder_);
  auto target = ParseWindowsPath(path, current_folder_);
  if (!base || !target || !LiesInside(path, folder, current_folder_)) return std::nullopt;
  const std::optional<std::string> real_folder = RealPath(folder);
  if (!real_folder) return std::nullopt;  // no folder: nothing can be written there
  WindowsPath walked = *base;
  for (size_t i = base->components.size(); i < target->components.size(); ++i) {
    walked.components.push_back(target->components[i]);
    const DWORD attributes = AttributesOf(walked.Text());
    if (!Exists(attributes)) return std::nullopt;  // nothing further exists
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    const std::optional<std::string> leads_to = RealPath(walked.Text());
    if (!leads_to || !Within(*leads_to, *real_folder)) return walked.Text();
  }
  return std::nullopt;
}

std::optional<std::string> Win32FileSystem::FinalPath(const std::string& path) const {
  if (std::optional<std::string> real = RealPath(path)) return real;
  // Nothing there yet: where its folder leads, and the name. A link that
  // leads nowhere leads nowhere a drive holds.
  const std::string folder = FolderOf(path);
  if (KindAt(path) != EntryKind::kNone || NameOf(path).empty()) return std::nullopt;
  std::optional<std::string> real = RealPath(folder.empty() ? current_folder_ : folder);
  if (!real) return std::nullopt;
  if (!real->ends_with('\\')) *real += '\\';
  return *real + NameOf(path);
}

std::string Win32FileSystem::CurrentFolder() const { return current_folder_; }

std::string Win32FileSystem::FromUserPath(const std::string& text) const { return text; }

std::optional<std::string> Win32FileSystem::ToHostPath(const std::string& path) const {
  return path;
}

std::optional<FolderId> Win32FileSystem::FolderIdentity(const std::string& path) const {
  Handle folder(CreateFileW(ApiPath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!folder.valid()) return std::nullopt;
  std::optional<BY_HANDLE_FILE_INFORMATION> info = InformationOf(folder.get());
  if (!info || !(info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return FolderId{info->dwVolumeSerialNumber,
                  (static_cast<uint64_t>(info->nFileIndexHigh) << 32) | info->nFileIndexLow};
}

}  // namespace platform
