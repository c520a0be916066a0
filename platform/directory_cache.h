// Folder listings kept between look-ups, so that a name in another letter
// case, or one that does not exist yet, is found without reading the whole
// folder again. A listing is checked against the folder at each use (inode,
// change and modification times to the nanosecond) and read again when the
// folder changed; the program's own changes are applied to it instead.
//
// A timestamp does not move within one tick of the file system's clock, so
// a change made in the same tick as the last one that the listing saw is
// invisible to that check. Such a listing is "unsettled": it is read again
// once a tick (or, for a large folder, a small multiple of the time a read
// takes) has passed, so a change is seen at worst that much later.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

class DirectoryCache {
 public:
  DirectoryCache() = default;
  // Moved with the file system that owns it, before any thread uses it:
  // the listings go along, the lock is a new one.
  DirectoryCache(DirectoryCache&& other) noexcept : listings_(std::move(other.listings_)) {}

  // The entry of a host folder whose name equals `name` without regard to
  // case: the first in byte order when several do. Nothing when none does
  // or the folder cannot be read.
  std::optional<std::string> Match(const std::string& folder, std::string_view name);
  // Every entry whose name equals `name` without regard to case, in byte
  // order; nothing when the folder cannot be read.
  std::optional<std::vector<std::string>> Matches(const std::string& folder, std::string_view name);
  // Visits the folder's entries ("." and ".." left out) in the order NTFS
  // lists them; false when the folder cannot be read. `visit` must not use
  // the cache.
  bool ForEach(const std::string& folder, const std::function<void(const std::string&)>& visit);

  // Bracket every change the program makes in a folder: a listing that was
  // in step with the folder just before the change stays in step after it,
  // with `removed` and `added` (names, either may be empty) applied; any
  // other listing of the folder is dropped.
  void BeforeChange(const std::string& folder);
  void AfterChange(const std::string& folder, std::string_view removed, std::string_view added);

 private:
  struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    int64_t modified_ns = 0;
    int64_t changed_ns = 0;
    friend bool operator==(const Stamp&, const Stamp&) = default;
  };
  struct Entry {
    std::string upper;  // the sort key: the name's upper-case form
    std::string name;
    // By upper-case form, then bytes: LessIgnoreCase, without working out
    // the upper-case forms at each comparison.
    friend bool operator<(const Entry& a, const Entry& b) {
      return a.upper != b.upper ? a.upper < b.upper : a.name < b.name;
    }
  };
  struct Listing {
    Stamp stamp;
    std::set<Entry> entries;
    std::unordered_map<std::string, std::vector<std::string>> by_folded;  // names in byte order
    int64_t unsettled_since = -1;  // clock time; -1 when settled
    int64_t read_ns = 0;           // what the last read took
    bool in_step = false;          // set by BeforeChange
  };

  static std::optional<Stamp> StampOf(const std::string& folder);
  static std::optional<Stamp> StampOf(const struct stat& st);
  // The folder's listing, checked against the disk and read again when
  // needed; nullptr when the folder cannot be read.
  Listing* Current(const std::string& folder);
  Listing* Read(const std::string& folder);
  static void Insert(Listing& listing, const std::string& name);
  static void Remove(Listing& listing, const std::string& name);

  // Files are read on more than one thread at once.
  std::mutex mutex_;
  std::unordered_map<std::string, Listing> listings_;
};

}  // namespace platform
