// An in-memory FileSystem for unit tests: Windows paths, names compared
// without regard to case, links and failures on demand.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace test_support {

// What CrashAfter throws: the program killed at that point.
struct Killed {};

class MemoryFileSystem : public platform::FileSystem {
 public:
  explicit MemoryFileSystem(std::string current_folder = "C:\\work");

  // Adds a file, making its folders.
  void Add(const std::string& path, const std::string& bytes);
  void AddFolder(const std::string& path);
  // Plants a symbolic link: paths through `path` lead to `target`, a full
  // path of a folder or a file.
  void AddLink(const std::string& path, const std::string& target);
  // Plants something that is neither a file nor a folder (a FIFO, a device).
  void AddSpecial(const std::string& path);
  // The content of a file, or "<missing>".
  std::string Content(const std::string& path) const;
  // Every later write to this path fails, and so does moving or deleting
  // what lies there.
  void FailWritesTo(const std::string& path);
  // The program is killed after this many more changes (a file written,
  // appended to, copied, moved or deleted, a folder made): the next change
  // is not made and throws Killed, and every change after it fails, as
  // nothing runs any more. -1 lets every change be made again.
  void CrashAfter(int changes) {
    changes_left_ = changes;
    killed_ = false;
  }
  // The change after this many more fails, as a full disk or a file held
  // open makes it fail, and the changes after it are made again. -1: none
  // fails.
  void FailAfter(int changes) { fail_in_ = changes; }

  bool FileExists(const std::string& path) const override;
  bool FolderExists(const std::string& path) const override;
  bool IsSpecialFile(const std::string& path) const override;
  std::optional<platform::FileStamp> Stamp(const std::string& path) const override;
  platform::EntryKind KindAt(const std::string& path) const override;
  bool CopyFile(const std::string& from, const std::string& to, bool fail_if_exists) override;
  bool MoveFile(const std::string& from, const std::string& to) override;
  bool DeleteFile(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool ReadFileInto(const std::string& path, std::string& bytes) const override;
  bool ReplaceFile(const std::string& path, std::string_view bytes) override;
  bool CanReplace(const std::string& path) override;
  std::unique_ptr<platform::AppendFile> OpenAppend(const std::string& path) override;
  void RemoveLeftover(const std::string& path) override;
  std::unique_ptr<platform::FileLock> LockFile(const std::string& path,
                                               bool& held_elsewhere) override;
  std::optional<std::vector<platform::FindEntry>> FindListed(const std::string& pattern,
                                                             uint32_t mask) const override;
  std::optional<std::string> LinkOutOf(const std::string& folder,
                                       const std::string& path) const override;
  std::optional<std::string> FinalPath(const std::string& path) const override;
  std::string CurrentFolder() const override { return current_; }
  std::string FromUserPath(const std::string& text) const override { return text; }
  std::optional<std::string> ToHostPath(const std::string& path) const override;
  std::optional<platform::FolderId> FolderIdentity(const std::string& path) const override;

 private:
  struct File {
    std::string name;  // as first written
    std::string bytes;
    uint64_t version = 0;  // a new one for every write
  };
  // Drive letter and folded components through every link, e.g.
  // "c:\work\a.tga"; empty for a path that names nothing (a UNC path).
  std::string Key(const std::string& path) const;
  // The same, but a link as the last component stays itself.
  std::string EntryKey(const std::string& path) const;
  std::string KeyOf(const std::vector<std::string>& components, char drive, size_t follow) const;
  // Whether a new file may be written at the key.
  bool Writable(const std::string& key) const;
  // Whether the next change may be made (see CrashAfter).
  bool Change();

  std::string current_;
  std::map<std::string, File> files_;
  std::map<std::string, std::string> folders_;  // key -> name as created
  std::map<std::string, std::string> links_;    // key of the link -> target
  std::set<std::string> specials_;
  std::set<std::string> failing_;
  std::set<std::string> locked_;
  uint64_t writes_ = 0;
  int changes_left_ = -1;  // none counted
  int fail_in_ = -1;
  bool killed_ = false;
};

}  // namespace test_support
