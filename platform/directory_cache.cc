#include "platform/directory_cache.h"

#include <dirent.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>
#include <utf8proc.h>

#include <algorithm>

#include "platform/text.h"

namespace platform {
namespace {

// More folders than this and the listings start again from none, which
// bounds the memory a walk over a whole installation takes.
constexpr size_t kMostListings = 1024;
// An unsettled listing waits at least this many times the duration of its
// last read before it is read again, so re-reading a large folder that the
// program keeps writing to costs a few percent of the time at most.
constexpr int64_t kReadCostShare = 50;

// The upper-case form of a name, code point by code point, as
// LessIgnoreCase compares it; bytes that are not UTF-8 stay as they are.
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

int64_t Nanoseconds(const timespec& time) { return time.tv_sec * 1'000'000'000LL + time.tv_nsec; }

int64_t Now() {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return Nanoseconds(now);
}

// How long a folder's timestamps may stand still while it changes: two
// ticks of the clock the kernel stamps files with (one for the tick, one
// for that clock lagging behind ours), or two seconds where the stamps
// have no fraction (FAT keeps even seconds).
int64_t TickMargin(int64_t modified_ns, int64_t changed_ns) {
  static const int64_t coarse_tick = [] {
    timespec resolution;
    if (clock_getres(CLOCK_REALTIME_COARSE, &resolution) != 0) return int64_t{10'000'000};
    return std::max<int64_t>(Nanoseconds(resolution), 1'000'000);
  }();
  constexpr int64_t kSecond = 1'000'000'000;
  if (modified_ns % kSecond == 0 && changed_ns % kSecond == 0) return 2 * kSecond;
  return 2 * coarse_tick;
}

}  // namespace

std::optional<DirectoryCache::Stamp> DirectoryCache::StampOf(const struct stat& st) {
  if (!S_ISDIR(st.st_mode)) return std::nullopt;
  return Stamp{st.st_dev, st.st_ino, Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim)};
}

std::optional<DirectoryCache::Stamp> DirectoryCache::StampOf(const std::string& folder) {
  struct stat st;
  if (stat(folder.c_str(), &st) != 0) return std::nullopt;
  return StampOf(st);
}

DirectoryCache::Listing* DirectoryCache::Current(const std::string& folder) {
  auto it = listings_.find(folder);
  if (it == listings_.end()) return Read(folder);
  Listing& listing = it->second;
  if (StampOf(folder) != listing.stamp) return Read(folder);
  if (listing.unsettled_since >= 0 &&
      Now() - listing.unsettled_since >=
          std::max(TickMargin(listing.stamp.modified_ns, listing.stamp.changed_ns),
                   kReadCostShare * listing.read_ns)) {
    return Read(folder);
  }
  return &listing;
}

DirectoryCache::Listing* DirectoryCache::Read(const std::string& folder) {
  listings_.erase(folder);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  const int64_t started = Now();
  struct stat st;
  std::optional<Stamp> stamp = fstat(fd, &st) == 0 ? StampOf(st) : std::nullopt;
  DIR* dir = stamp ? fdopendir(fd) : nullptr;
  if (!dir) {
    close(fd);
    return nullptr;
  }
  Listing listing;
  listing.stamp = *stamp;
  while (dirent* entry = readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    listing.entries.insert({UpperKey(name), std::string(name)});
    listing.by_folded[FoldCase(name)].emplace_back(name);
  }
  closedir(dir);
  for (auto& [folded, names] : listing.by_folded) std::sort(names.begin(), names.end());
  const int64_t finished = Now();
  listing.read_ns = finished - started;
  // A change later in the tick of the folder's last change would leave the
  // stamp as it is.
  const int64_t last_change = std::max(listing.stamp.modified_ns, listing.stamp.changed_ns);
  if (started - last_change < TickMargin(listing.stamp.modified_ns, listing.stamp.changed_ns)) {
    listing.unsettled_since = finished;
  }
  if (listings_.size() >= kMostListings) listings_.clear();
  return &listings_.insert_or_assign(folder, std::move(listing)).first->second;
}

std::optional<std::string> DirectoryCache::Match(const std::string& folder, std::string_view name) {
  const std::lock_guard lock(mutex_);
  const Listing* listing = Current(folder);
  if (!listing) return std::nullopt;
  auto found = listing->by_folded.find(FoldCase(name));
  if (found == listing->by_folded.end()) return std::nullopt;
  return found->second.front();
}

std::optional<std::vector<std::string>> DirectoryCache::Matches(const std::string& folder,
                                                                std::string_view name) {
  const std::lock_guard lock(mutex_);
  const Listing* listing = Current(folder);
  if (!listing) return std::nullopt;
  auto found = listing->by_folded.find(FoldCase(name));
  if (found == listing->by_folded.end()) return std::vector<std::string>{};
  return found->second;
}

bool DirectoryCache::ForEach(const std::string& folder,
                             const std::function<void(const std::string&)>& visit) {
  const std::lock_guard lock(mutex_);
  const Listing* listing = Current(folder);
  if (!listing) return false;
  for (const Entry& entry : listing->entries) visit(entry.name);
  return true;
}

void DirectoryCache::BeforeChange(const std::string& folder) {
  const std::lock_guard lock(mutex_);
  auto it = listings_.find(folder);
  if (it != listings_.end()) it->second.in_step = StampOf(folder) == it->second.stamp;
}

void DirectoryCache::AfterChange(const std::string& folder, std::string_view removed,
                                 std::string_view added) {
  const std::lock_guard lock(mutex_);
  auto it = listings_.find(folder);
  if (it == listings_.end()) return;
  Listing& listing = it->second;
  std::optional<Stamp> stamp = listing.in_step ? StampOf(folder) : std::nullopt;
  if (!stamp) {
    listings_.erase(it);
    return;
  }
  if (!removed.empty()) Remove(listing, std::string(removed));
  if (!added.empty()) Insert(listing, std::string(added));
  listing.stamp = *stamp;
  listing.in_step = false;
  // Another program's change in the same tick as this one would not show.
  if (listing.unsettled_since < 0) listing.unsettled_since = Now();
}

void DirectoryCache::Insert(Listing& listing, const std::string& name) {
  if (!listing.entries.insert({UpperKey(name), name}).second) return;
  std::vector<std::string>& same = listing.by_folded[FoldCase(name)];
  same.insert(std::lower_bound(same.begin(), same.end(), name), name);
}

void DirectoryCache::Remove(Listing& listing, const std::string& name) {
  if (listing.entries.erase({UpperKey(name), name}) == 0) return;
  auto folded = listing.by_folded.find(FoldCase(name));
  std::vector<std::string>& same = folded->second;
  same.erase(std::find(same.begin(), same.end(), name));
  if (same.empty()) listing.by_folded.erase(folded);
}

}  // namespace platform
