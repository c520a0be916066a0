// The file system as the program sees it: every path is a Windows path
// (C:\MSTS\ROUTES\X\, relative names, \ or / as separators). The POSIX
// implementation maps them onto the host the way Wine does.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// File attributes as Windows reports them.
enum Attribute : uint32_t {
  kReadOnly = 1,
  kHidden = 2,
  kSystem = 4,
  kVolume = 8,
  kDirectory = 16,
  kArchive = 32,
};
// The search mask that admits entries of every kind.
constexpr uint32_t kAnyAttributes = 63;

struct FindEntry {
  std::string name;  // the name alone, without its folder
  uint32_t attributes = 0;
};

// What lies at a path itself, a link as its last component not followed.
enum class EntryKind {
  kNone,
  kFile,
  kFolder,
  kLink,   // a symbolic link or other reparse point, leading anywhere or nowhere
  kOther,  // a FIFO, a device, a socket
};

// The largest file the program reads whole. No MSTS file comes near it; a
// larger one (a sparse file, a device's image) is refused, never allocated.
constexpr int64_t kMaxReadBytes = int64_t{512} << 20;

// What tells one version of a file from the next: a tool that rewrote a
// file changes at least one of these.
struct FileStamp {
  uint64_t identity = 0;  // the file itself (device and inode, or file index)
  int64_t size = 0;
  int64_t modified_ns = 0;
  int64_t changed_ns = 0;  // last change of content or metadata, where the host keeps one
  uint32_t links = 1;      // the names the file has: more than one for a hard-linked file

  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// What tells one folder from another, whichever path (a link, another
// letter case) leads to it.
struct FolderId {
  uint64_t device = 0;
  uint64_t node = 0;

  friend bool operator==(const FolderId&, const FolderId&) = default;
};

// A file open for adding to its end. Each Append is one write to the
// system, nothing held back in the program, so that what was appended
// survives the program being killed; Flush puts it on the disk.
class AppendFile {
 public:
  virtual ~AppendFile() = default;
  virtual bool Append(std::string_view bytes) = 0;
  virtual bool Flush() = 0;
};

// A lock on a file that the system holds for the program until it is
// destroyed or the program ends, however it ends: a kill leaves nothing
// locked behind.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

// Reads the files of one folder, which is looked up once rather than with
// each file: a route's thousands of world files share a folder.
class FolderReader {
 public:
  virtual ~FolderReader() = default;
  // As FileSystem::ReadFileInto of the folder's path and `name`.
  virtual bool ReadFileInto(const std::string& name, std::string& bytes) = 0;
  // As FileSystem::ReadFileStart of the folder's path and `name`.
  virtual bool ReadFileStart(const std::string& name, size_t limit, std::string& bytes,
                             int64_t& length) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when a file lies at the path. Only a regular file is a file: a
  // FIFO or a device is neither read, nor written, nor listed.
  virtual bool FileExists(const std::string& path) const = 0;
  virtual bool FolderExists(const std::string& path) const = 0;
  // True when something that is neither a file nor a folder (a FIFO, a
  // device, a socket) lies at the path; on Windows, a device name such as
  // NUL or CON in any folder.
  virtual bool IsSpecialFile(const std::string& path) const = 0;
  // The stamp of a file (not a folder), or nothing when there is none.
  virtual std::optional<FileStamp> Stamp(const std::string& path) const = 0;
  // What lies at the path, without following a link there: a name is free
  // only when this is kNone.
  virtual EntryKind KindAt(const std::string& path) const = 0;

  // Copies a file. With fail_if_exists an existing target makes it fail;
  // without, the target is replaced unless it is read-only. Copying a file
  // onto itself fails.
  virtual bool CopyFile(const std::string& from, const std::string& to, bool fail_if_exists) = 0;
  // Moves a file or folder; fails when the target exists.
  virtual bool MoveFile(const std::string& from, const std::string& to) = 0;
  // Fails for a read-only file, as on Windows.
  virtual bool DeleteFile(const std::string& path) = 0;
  // Creates one folder level; the parent must exist.
  virtual bool CreateFolder(const std::string& path) = 0;

  // The whole file, read in pieces; nothing when it cannot be read or holds
  // more than kMaxReadBytes (TooLargeToRead tells which). The const members
  // may be called from several threads at once while nothing is changed.
  std::optional<std::string> ReadFile(const std::string& path) const {
    std::string bytes;
    if (!ReadFileInto(path, bytes)) return std::nullopt;
    return bytes;
  }
  // The same into `bytes`, whose memory is used again where it can be: a
  // thread reading many files allocates once. False, `bytes` left in any
  // state, where ReadFile gives nothing.
  virtual bool ReadFileInto(const std::string& path, std::string& bytes) const = 0;
  // The first `limit` bytes of a file (all of it when shorter) into
  // `bytes`, and the file's length into `length`: a look at a header
  // without reading the rest. False when the file cannot be opened or read.
  virtual bool ReadFileStart(const std::string& path, size_t limit, std::string& bytes,
                             int64_t& length) const {
    if (!ReadFileInto(path, bytes)) return false;
    length = static_cast<int64_t>(bytes.size());
    if (bytes.size() > limit) bytes.resize(limit);
    return true;
  }
  // A reader of the files of `folder` (a path ending in a separator), for
  // one thread; as ReadFileInto, several threads may each use one at once.
  virtual std::unique_ptr<FolderReader> ReadFolder(const std::string& folder) const {
    return std::make_unique<JoiningReader>(*this, folder);
  }
  // Replaces the file's content as a whole: the bytes go to a temporary file
  // in the same folder, which is then renamed over the target. A name that
  // exists under another letter case names that file. A read-only file is
  // not replaced. On failure the old file is left as it was.
  virtual bool ReplaceFile(const std::string& path, std::string_view bytes) = 0;
  // Whether ReplaceFile would succeed, as far as can be told without
  // touching the file: the target is no read-only file, folder or device,
  // and its temporary file can be made (it is made and removed again).
  virtual bool CanReplace(const std::string& path) = 0;
  // Opens a file to append to, making it when missing (its folder must
  // exist). Nothing for a link, a folder, a device, a read-only file, one
  // with other names (a hard link: what was appended would change a file
  // elsewhere too) or one that cannot be written.
  virtual std::unique_ptr<AppendFile> OpenAppend(const std::string& path) = 0;
  // Removes what a ReplaceFile of `path` cut short by a kill left beside it
  // (its temporary file), unless a write of the same target is using it.
  virtual void RemoveLeftover(const std::string& path) = 0;

  // A lock on the file at the path, taken on a byte far beyond its end, so
  // that readers and writers of its content are not hindered where locks
  // bind them (Windows). The lock is on the file the path names when the
  // call returns: one replaced meanwhile is locked anew; replaced later, it
  // must be locked again. It is exclusive, or for a file this program may
  // not write, shared with others that may not either. Nothing when it
  // cannot be had (no file there, a link, a folder), and then
  // `held_elsewhere` tells whether another program holds it. Programs that
  // lock the same file exclude each other, whether they run on Linux or
  // under Wine, so long as the system maps the two onto one lock.
  virtual std::unique_ptr<FileLock> LockFile(const std::string& path, bool& held_elsewhere) = 0;

  // The entries matching a wildcard path (the last component holds * and ?),
  // sorted by name without regard to case, "." and ".." first where the
  // folder has them. The mask works as the Windows file search's: hidden,
  // system, volume and folder entries are left out unless the mask holds
  // their bit; plain files always pass. Nothing when the folder cannot be
  // listed (missing, not a folder, not readable), which an empty folder can.
  virtual std::optional<std::vector<FindEntry>> FindListed(const std::string& pattern,
                                                           uint32_t mask) const = 0;
  // FindListed, a folder that cannot be listed giving no entries.
  std::vector<FindEntry> Find(const std::string& pattern, uint32_t mask) const {
    return FindListed(pattern, mask).value_or(std::vector<FindEntry>{});
  }
  // FindListed of the files alone, every kind of file but no folder.
  std::optional<std::vector<FindEntry>> FindFiles(const std::string& pattern) const {
    std::optional<std::vector<FindEntry>> found = FindListed(pattern, kAnyAttributes);
    if (found) {
      std::erase_if(*found, [](const FindEntry& entry) { return entry.attributes & kDirectory; });
    }
    return found;
  }
  // The names of the files of a folder (a path ending in a separator), as
  // FindFiles(folder + "*") gives them but without their attributes and in
  // no particular order: a listing of tens of thousands of names for which
  // a look at each file would cost more than reading the folder.
  virtual std::optional<std::vector<std::string>> FileNames(const std::string& folder) const {
    std::optional<std::vector<FindEntry>> found = FindFiles(folder + "*");
    if (!found) return std::nullopt;
    std::vector<std::string> names;
    names.reserve(found->size());
    for (FindEntry& entry : *found) names.push_back(std::move(entry.name));
    return names;
  }

  // The first link on the way from `folder` down to `path` that leads out of
  // the folder's real location, as a Windows path; nothing when none does or
  // when `path` does not lie beneath `folder`. The folder itself may be
  // reached through links. A link that leads nowhere counts as leading out.
  virtual std::optional<std::string> LinkOutOf(const std::string& folder,
                                               const std::string& path) const = 0;

  // Where a path finally leads: every link on the way, its last component
  // too, replaced by where it leads, as a Windows path. A last component
  // that does not exist stays as it is. Nothing when the folder does not
  // exist or a link leads nowhere that a drive holds.
  virtual std::optional<std::string> FinalPath(const std::string& path) const = 0;

  // The program's current folder as a Windows path (C:\work). Relative paths
  // are taken from it.
  virtual std::string CurrentFolder() const = 0;

  // A path typed by the user or given by the host system: a host path
  // (/home/me/models) becomes its Windows form through the drive that holds
  // it; any other text is returned unchanged.
  virtual std::string FromUserPath(const std::string& text) const = 0;
  // The host path of a Windows path, or nothing when no drive holds it.
  virtual std::optional<std::string> ToHostPath(const std::string& path) const = 0;

  // The identity of the folder a path leads to, or nothing when it leads to
  // no folder.
  virtual std::optional<FolderId> FolderIdentity(const std::string& path) const = 0;

 protected:
  // Reads each file by its whole path.
  class JoiningReader : public FolderReader {
   public:
    JoiningReader(const FileSystem& files, std::string folder)
        : files_(files), folder_(std::move(folder)) {}
    bool ReadFileInto(const std::string& name, std::string& bytes) override {
      return files_.ReadFileInto(folder_ + name, bytes);
    }
    bool ReadFileStart(const std::string& name, size_t limit, std::string& bytes,
                       int64_t& length) override {
      return files_.ReadFileStart(folder_ + name, limit, bytes, length);
    }

   private:
    const FileSystem& files_;
    const std::string folder_;
  };
};

// Whether a file is refused by ReadFile for its size.
inline bool TooLargeToRead(const FileSystem& files, const std::string& path) {
  const std::optional<FileStamp> stamp = files.Stamp(path);
  return stamp && stamp->size > kMaxReadBytes;
}

}  // namespace platform
