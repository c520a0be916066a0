// FileSystem over the Win32 API, where the program's Windows paths are the
// host's own. Files are written to a temporary file beside them
// (".<name>.rastolin-tmp"), flushed and moved over the target, so that a
// write cut short leaves the old file.
#pragma once

#include <vector>

#include "platform/file_system.h"

namespace platform {

class Win32FileLock;

class Win32FileSystem : public FileSystem {
 public:
  // The current folder is the process's at this moment; the program never
  // changes it.
  Win32FileSystem();

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
  bool ReplaceFile(const std::string& path, std::string_view bytes) override;
  bool CanReplace(const std::string& path) override;
  std::unique_ptr<AppendFile> OpenAppend(const std::string& path) override;
  void RemoveLeftover(const std::string& path) override;
  std::unique_ptr<FileLock> LockFile(const std::string& path, bool& held_elsewhere) override;
  std::optional<std::vector<FindEntry>> FindListed(const std::string& pattern,
                                                   uint32_t mask) const override;
  std::optional<std::string> LinkOutOf(const std::string& folder,
                                       const std::string& path) const override;
  std::optional<std::string> FinalPath(const std::string& path) const override;
  std::string CurrentFolder() const override;
  std::string FromUserPath(const std::string& text) const override;
  std::optional<std::string> ToHostPath(const std::string& path) const override;
  std::optional<FolderId> FolderIdentity(const std::string& path) const override;

 private:
  std::string current_folder_;
  // The locks this program holds, which a replacement of their file lets go.
  std::vector<Win32FileLock*> locks_;
};

}  // namespace platform
