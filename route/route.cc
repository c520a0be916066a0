#include "route/route.h"

#include <algorithm>

#include "core/error.h"
#include "formats/text.h"
#include "platform/windows_path.h"
#include "route/blocks.h"
#include "route/discovery.h"
#include "route/journal.h"
#include "route/ref_file.h"
#include "route/text_file.h"

namespace route {

namespace {

// Whether an entry may start right after this text, which follows an entry
// or the header's line break: after a blank, a ")" or a closed quote, which
// end the word before, and outside quotes.
bool EntryMayFollow(std::string_view before) {
  if (before.empty()) return true;
  const char last = before.back();
  return (static_cast<unsigned char>(last) <= 32 || last == ')' || last == '"') &&
         !formats::text::EndsInsideQuotes(before);
}

}  // namespace

Route::Route(const Services& services, const std::string& name, const std::string& msts_root)
    : Name(name), Root(msts_root), services_(services) {
  if (!IsRouteName(name)) throw core::Error(services_.language.Format(core::Msg::BadRouteName, name));
  Folder = msts_root + "\\ROUTES\\" + name + "\\";
  RefPath = Folder + name + ".ref";
  if (services_.files.FileExists(RefPath)) return;
  for (const platform::FindEntry& found : services_.files.Find(Folder + "*.ref", platform::kAnyAttributes)) {
    if (found.attributes & platform::kDirectory) continue;
    RefPath = Folder + found.name;
    return;
  }
}

void Route::ReadRef() {
  read_ = false;
  Entries.clear();
  if (services_.files.IsSpecialFile(RefPath)) {
    throw core::Error(services_.language.Format(core::Msg::NotRegularFile, RefPath));
  }
  if (platform::TooLargeToRead(services_.files, RefPath)) {
    throw core::Error(services_.language.Format(core::Msg::FileTooLarge, RefPath));
  }
  TextFile file = ReadTextFile(services_.files, RefPath);
  if (file.form == TextForm::kCompressed) {
    throw core::Error(services_.language.Format(core::Msg::FileCompressed, RefPath));
  }
  if (file.form == TextForm::kBinary) {
    throw core::Error(services_.language.Format(core::Msg::FileBinary, RefPath));
  }
  ParsedRef ref = ParseRef(std::move(file.text));
  if (ref.fault == RefFault::kNoHeader) {
    throw core::Error(services_.language.Format(core::Msg::NotRouteFile, RefPath));
  }
  if (ref.fault == RefFault::kUnclosedBlock) {
    throw core::Error(services_.language.Format(core::Msg::RouteFileCutShort, RefPath,
                                                std::to_string(ref.fault_line)));
  }
  Entries = std::move(ref.entries);
  header_ = std::move(ref.header);
  tail_ = std::move(ref.tail);
  read_ = true;
}

void Route::AddEntry(const Shape& shape) {
  Shape entry;
  for (const Props& prop : shape.PropList()) entry.SetValue(prop.PropName, prop.PropValue);
  if (record_) record_->Entries(true, {{EntryCount() + 1, entry.Text(), tail_.size()}});
  Place(Entries.size(), std::move(entry), tail_.size());
}

std::vector<RemovedEntry> Route::RemoveEntries(const std::vector<bool>& marked) {
  std::vector<RemovedEntry> removed;
  for (size_t i = 0; i < Entries.size() && i < marked.size(); ++i) {
    if (marked[i]) {
      removed.push_back({static_cast<int>(i + 1), Entries[i].Text(), Entries[i].before_.size()});
    }
  }
  // Recorded before anything changes: a journal that cannot take it stops
  // the job here.
  if (record_) record_->Entries(false, removed);
  // The text that stood before removed entries, for the next entry kept.
  std::string carried;
  size_t kept = 0;
  for (size_t i = 0; i < Entries.size(); ++i) {
    Shape& entry = Entries[i];
    if (i < marked.size() && marked[i]) {
      carried += entry.before_;
      continue;
    }
    if (!carried.empty()) {
      entry.before_.insert(0, carried);
      carried.clear();
    }
    if (kept != i) Entries[kept] = std::move(entry);
    ++kept;
  }
  tail_.insert(0, carried);
  Entries.resize(kept);
  return removed;
}

size_t Route::InsertEntries(std::vector<RemovedEntry> entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const RemovedEntry& a, const RemovedEntry& b) { return a.number < b.number; });
  std::vector<std::pair<Shape, RemovedEntry>> going;
  // Where each goes: as entry `number`, or after the last entry kept.
  size_t placed = 0, passed = 0;
  for (RemovedEntry& wanted : entries) {
    std::optional<Shape> entry = ParseEntry(wanted.text);
    if (!entry || wanted.number < 1) continue;
    const size_t index = static_cast<size_t>(wanted.number - 1);
    while (placed < index && passed < Entries.size()) {
      ++placed;
      ++passed;
    }
    wanted.number = static_cast<int>(++placed);
    going.emplace_back(std::move(*entry), std::move(wanted));
  }
  if (record_) {
    std::vector<RemovedEntry> recorded;
    recorded.reserve(going.size());
    for (const auto& [entry, wanted] : going) recorded.push_back(wanted);
    record_->Entries(true, recorded);
  }
  std::vector<Shape> merged;
  merged.reserve(Entries.size() + going.size());
  size_t next = 0;
  for (auto& [entry, wanted] : going) {
    const size_t index = static_cast<size_t>(wanted.number - 1);
    while (merged.size() < index) merged.push_back(std::move(Entries[next++]));
    TakeTextBefore(entry, next < Entries.size() ? Entries[next].before_ : tail_, wanted.offset,
                   index);
    merged.push_back(std::move(entry));
  }
  for (; next < Entries.size(); ++next) merged.push_back(std::move(Entries[next]));
  Entries = std::move(merged);
  return going.size();
}

void Route::ReplaceEntry(size_t index, Shape edited) {
  Shape& entry = Entries.at(index);
  if (edited == entry) return;
  for (Props& prop : edited.props_) {
    for (const Props& old : entry.props_) {
      if (!old.written_as.empty() && old.PropValue == prop.PropValue &&
          NamesMatch(old.PropName, prop.PropName)) {
        prop.written_as = old.written_as;
        break;
      }
    }
  }
  edited.Forget();
  edited.before_ = std::move(entry.before_);
  entry = std::move(edited);
}

void Route::Place(size_t index, Shape entry, size_t offset) {
  TakeTextBefore(entry, index < Entries.size() ? Entries[index].before_ : tail_, offset, index);
  Entries.insert(Entries.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
}

void Route::TakeTextBefore(Shape& entry, std::string& around, size_t offset, size_t index) {
  offset = std::min(offset, around.size());
  entry.before_.assign(around, 0, offset);
  around.erase(0, offset);
  // The header line always needs its line break.
  if ((index == 0 && entry.before_.empty()) || !EntryMayFollow(entry.before_)) {
    entry.before_ += "\r\n";
  }
}

std::string Route::FileText() const {
  size_t size = header_.size() + tail_.size();
  for (const Shape& entry : Entries) size += entry.before_.size() + entry.source_.size();
  std::string text;
  text.reserve(size);
  text.append(header_);
  for (const Shape& entry : Entries) {
    text.append(entry.before_);
    entry.AppendText(text);
  }
  text.append(tail_);
  return text;
}

void Route::RefuseIfUnreadable() const {
  if (Unreadable()) throw core::Error(services_.language.Format(core::Msg::RouteUnreadable, RefPath));
}

// The route folder itself may be reached through links; nothing beneath it
// is written through one that leads elsewhere.
void Route::RefuseIfLeavingRoute(const std::string& path) const {
  std::optional<std::string> leaving;
  if (!platform::LiesInside(path, Folder, services_.files.CurrentFolder())) {
    leaving = path;
  } else {
    leaving = services_.files.LinkOutOf(Folder, path);
  }
  if (leaving) throw core::Error(services_.language.Format(core::Msg::LeadsOutOfRoute, *leaving));
}

void Route::WriteRef(const std::string& path) {
  RefuseIfUnreadable();
  const std::string target = path.empty() ? RefPath : path;
  RefuseIfLeavingRoute(target);
  const std::string bytes = UnicodeFileBytes(FileText());
  // A job cut short between the write and its "applied" line is told by
  // the fingerprint of what the .ref holds.
  const bool recorded = record_ && target == RefPath;
  if (recorded) record_->WritingRef(Fingerprint::Of(bytes));
  if (!services_.files.ReplaceFile(target, bytes)) throw core::Error("Cannot create file " + target);
  if (recorded) record_->Applied();
}

void Route::BackupRef() {
  RefuseIfUnreadable();
  const std::string folder = Folder + services_.language[core::Msg::BackupFolder];
  RefuseIfLeavingRoute(folder);
  // A folder that cannot be made shows as the write's own failure.
  if (!services_.files.FolderExists(folder)) services_.files.CreateFolder(folder);
  int number = 1;
  // Anything at a name takes it, a link leading nowhere too.
  while (services_.files.KindAt(folder + Name + std::to_string(number) + ".ref") !=
         platform::EntryKind::kNone) {
    ++number;
  }
  WriteRef(folder + Name + std::to_string(number) + ".ref");
}

}  // namespace route
