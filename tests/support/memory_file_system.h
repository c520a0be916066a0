// An in-memory FileSystem for unit tests: Windows paths, names compared
// without regard to case, and failures on demand.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace test_support {

class MemoryFileSystem : public platform::FileSystem {
 public:
  explicit MemoryFileSystem(std::string current_folder = "C:\\work");

  // Adds a file, making its folders.
  void Add(const std::string& path, const std::string& bytes);
  void AddFolder(const std::string& path);
  // The content of a file, or "<missing>".
  std::string Content(const std::string& path) const;
  // Every later write to this path fails.
  void FailWritesTo(const std::string& path);

  bool FileExists(const std::string& path) const override;
  bool FolderExists(const std::string& path) const override;
  std::optional<platform::FileStamp> Stamp(const std::string& path) const override;
  bool CopyFile(const std::string& from, const std::string& to, bool fail_if_exists) override;
  bool MoveFile(const std::string& from, const std::string& to) override;
  bool DeleteFile(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& path) const override;
  bool ReplaceFile(const std::string& path, std::string_view bytes) override;
  std::vector<platform::FindEntry> Find(const std::string& pattern, uint32_t mask) const override;
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
  // Drive letter and folded components, e.g. "C:\WORK\A.TGA".
  std::string Key(const std::string& path) const;
  std::string ParentKey(const std::string& key) const;

  std::string current_;
  std::map<std::string, File> files_;
  std::map<std::string, std::string> folders_;  // key -> name as created
  std::map<std::string, uint64_t> folder_ids_;  // key -> a number of its own
  std::set<std::string> failing_;
  uint64_t writes_ = 0;
};

}  // namespace test_support
