// FileSystem over the host file system, through the drives of a Wine prefix.
// Files are regular files only. A file is written to a temporary file
// beside it (".<name>.rastolin-tmp", one per target), flushed and renamed
// over it, so that a run cut short leaves the old file and at most that one
// temporary file, which the next write of the target takes over.
#pragma once

#include "platform/directory_cache.h"
#include "platform/drive_map.h"
#include "platform/file_system.h"
#include "platform/windows_path.h"

namespace platform {

class PosixFileSystem : public FileSystem {
 public:
  // current_folder is a Windows path.
  PosixFileSystem(DriveMap drives, std::string current_folder);
  // Drives from the environment; the current folder is the host's working
  // folder in Windows form. Nothing when no drive holds the working folder.
  static std::optional<PosixFileSystem> FromEnvironment();

  bool FileExists(const std::string& path) const override;
  bool FolderExists(const std::string& path) const override;
  bool IsSpecialFile(const std::string& path) const override;
  std::optional<FileStamp> Stamp(const std::string& path) const override;
  EntryKind KindAt(const std::string& path) const override;
  bool CopyFile(const std::string& from, const std::string& to, bool fail_if_exists) override;
  bool MoveFile(const std::string& from, const std::string& to) override;
  bool DeleteFile(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool ReadFileInto(const std::string& path, std::string& bytes) const override;
  bool ReadFileStart(const std::string& path, size_t limit, std::string& bytes,
                     int64_t& length) const override;
  std::unique_ptr<FolderReader> ReadFolder(const std::string& folder) const override;
  bool ReplaceFile(const std::string& path, std::string_view bytes) override;
  bool CanReplace(const std::string& path) override;
  std::unique_ptr<AppendFile> OpenAppend(const std::string& path) override;
  void RemoveLeftover(const std::string& path) override;
  std::unique_ptr<FileLock> LockFile(const std::string& path, bool& held_elsewhere) override;
  std::optional<std::vector<FindEntry>> FindListed(const std::string& pattern,
                                                   uint32_t mask) const override;
  // Takes a file's kind from the folder listing where the host gives it.
  std::optional<std::vector<std::string>> FileNames(const std::string& folder) const override;
  std::optional<std::string> LinkOutOf(const std::string& folder,
                                       const std::string& path) const override;
  std::optional<std::string> FinalPath(const std::string& path) const override;
  std::string CurrentFolder() const override;
  std::string FromUserPath(const std::string& text) const override;
  std::optional<std::string> ToHostPath(const std::string& path) const override;
  std::optional<FolderId> FolderIdentity(const std::string& path) const override;

  const DriveMap& drives() const { return drives_; }

 private:
  struct Resolved {
    std::string host;        // the host path
    bool is_root = false;    // the root of its drive
    std::string typed_name;  // the last component as the caller wrote it
  };
  std::optional<Resolved> Resolve(std::string_view path) const;
  // The path with every component as typed, which Resolve gives when the
  // host has them all so; nothing looked at.
  std::optional<Resolved> AsTyped(std::string_view path) const;
  // AsTyped of a parsed path on its drive's host root.
  static Resolved Joined(const std::string& root, const WindowsPath& path);

  DriveMap drives_;
  std::string current_folder_;
  mutable DirectoryCache listings_;
};

}  // namespace platform
