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
  // Stamped before it is read: a change meanwhile shows as one later.
  const std::optional<platform::FileStamp> stamp = services_.files.Stamp(RefPath);
  std::optional<std::string> bytes = services_.files.ReadFile(RefPath);
  if (!bytes) throw core::Error("Cannot open file " + RefPath);
  const Fingerprint known = Fingerprint::Of(*bytes);
  TextFile file = TextFileOf(std::move(*bytes));
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
  empty_file_ = ref.empty;
  ref_known_ = known;
  ref_stamp_ = stamp;
  read_ = true;
}

void Route::AddEntry(const Shape& shape) {
  Shape entry;
  for (const Props& prop : shape.PropList()) entry.SetValue(prop.PropName, prop.PropValue);
  // On a line of its own: after a file that does not end with a line break,
  // one goes first, and one follows it.
  std::string_view last = tail_;
  if (last.empty() && !Entries.empty()) last = Entries.back().source_;
  if (last.empty()) last = header_;
  const std::string_view line_break =
      !last.empty() && last.back() != '\n' && last.back() != '\r' ? "\r\n" : "";
  if (record_) {
    RemovedEntry added{EntryCount() + 1, entry.Text() + "\r\n", tail_.size() + line_break.size()};
    if (!Entries.empty()) added.before = Fingerprint::Of(Entries.back().Text());
    record_->Entries(true, {added});
  }
  tail_ += line_break;
  Place(Entries.size(), std::move(entry), tail_.size());
  tail_ = "\r\n";
}

std::vector<RemovedEntry> Route::RemoveEntries(const std::vector<bool>& marked) {
  // Worked out first, on the texts around the entries: the journal takes
  // what goes before anything changes.
  const size_t count = Entries.size();
  std::vector<std::string> around(count + 1);  // before each entry, then after the last
  for (size_t i = 0; i < count; ++i) around[i] = Entries[i].before_;
  around[count] = tail_;
  std::vector<RemovedEntry> removed;
  std::vector<std::string> kept_before;  // of each entry kept, then the tail
  // The text that stood before removed entries, for the next entry kept.
  std::string carried;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  for (size_t i = 0; i < count; ++i) {
    std::string& own = around[i];
    if (i >= marked.size() || !marked[i]) {
      kept_before.push_back(carried + own);
      carried.clear();
      continue;
    }
    // Alone on its line (blanks before it since a line break, blanks and a
    // line break after it), it takes its line with it: the blanks of the
    // text before it that is its own, and the line break.
    size_t lead = 0;
    while (lead < own.size() && blank(own[own.size() - 1 - lead])) ++lead;
    const std::string before = carried + own.substr(0, own.size() - lead);
    const bool line_start = lead == own.size() ? !before.empty() && (before.back() == '\n' ||
                                                                     before.back() == '\r')
                                               : own[own.size() - 1 - lead] == '\n' ||
                                                     own[own.size() - 1 - lead] == '\r';
    std::string& next = around[i + 1];
    size_t trail = 0;
    while (trail < next.size() && blank(next[trail])) ++trail;
    const size_t line_break = next.compare(trail, 2, "\r\n") == 0 ? 2
                              : trail < next.size() && (next[trail] == '\n' || next[trail] == '\r')
                                  ? 1
                                  : 0;
    std::string text = Entries[i].Text();
    if (line_start && line_break > 0) {
      text = own.substr(own.size() - lead) + text + next.substr(0, trail + line_break);
      own.resize(own.size() - lead);
      next.erase(0, trail + line_break);
    }
    RemovedEntry& entry = removed.emplace_back(static_cast<int>(i + 1), std::move(text), own.size());
    if (i > 0) entry.before = Fingerprint::Of(Entries[i - 1].Text());
    if (i + 1 < count) entry.after = Fingerprint::Of(Entries[i + 1].Text());
    carried += own;
  }
  kept_before.push_back(carried + around[count]);
  // Recorded before anything changes: a journal that cannot take it stops
  // the job here.
  if (record_) record_->Entries(false, removed);
  size_t kept = 0;
  for (size_t i = 0; i < count; ++i) {
    if (i < marked.size() && marked[i]) continue;
    if (kept != i) Entries[kept] = std::move(Entries[i]);
    Entries[kept].before_ = std::move(kept_before[kept]);
    ++kept;
  }
  tail_ = std::move(kept_before.back());
  Entries.resize(kept);
  return removed;
}

size_t Route::InsertEntries(std::vector<RemovedEntry> entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const RemovedEntry& a, const RemovedEntry& b) { return a.number < b.number; });
  struct Going {
    Shape entry;
    RemovedEntry wanted;
    std::string lead, trail;  // the blanks before it, and the line break after it, taken with it
  };
  std::vector<Going> going;
  // Where each goes: as entry `number`, or after the last entry kept.
  size_t placed = 0, passed = 0;
  for (RemovedEntry& wanted : entries) {
    const std::string_view core = formats::text::TrimView(wanted.text);
    std::optional<Shape> entry = ParseEntry(core);
    if (!entry || wanted.number < 1) continue;
    const size_t at = static_cast<size_t>(core.data() - wanted.text.data());
    std::string lead = wanted.text.substr(0, at), trail = wanted.text.substr(at + core.size());
    const size_t index = static_cast<size_t>(wanted.number - 1);
    while (placed < index && passed < Entries.size()) {
      ++placed;
      ++passed;
    }
    wanted.number = static_cast<int>(++placed);
    going.push_back({std::move(*entry), std::move(wanted), std::move(lead), std::move(trail)});
  }
  if (record_) {
    std::vector<RemovedEntry> recorded;
    recorded.reserve(going.size());
    for (const Going& entry : going) recorded.push_back(entry.wanted);
    record_->Entries(true, recorded);
  }
  std::vector<Shape> merged;
  merged.reserve(Entries.size() + going.size());
  size_t next = 0;
  // The line break after the entry put in last, which goes before what
  // follows it.
  std::string pending;
  const auto keep_next = [&] {
    Entries[next].before_.insert(0, pending);
    pending.clear();
    merged.push_back(std::move(Entries[next++]));
  };
  for (Going& entry : going) {
    const size_t index = static_cast<size_t>(entry.wanted.number - 1);
    while (merged.size() < index) keep_next();
    std::string& around = next < Entries.size() ? Entries[next].before_ : tail_;
    const size_t taken = std::min(entry.wanted.offset, around.size());
    std::string before = pending + around.substr(0, taken) + entry.lead;
    around.erase(0, taken);
    pending = std::move(entry.trail);
    // The header line always needs its line break.
    if ((index == 0 && before.empty()) || !EntryMayFollow(before)) before += "\r\n";
    entry.entry.before_ = std::move(before);
    merged.push_back(std::move(entry.entry));
  }
  if (next < Entries.size()) {
    keep_next();
  } else {
    tail_.insert(0, pending);
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
  if (target != RefPath) {
    if (!services_.files.ReplaceFile(target, UnicodeFileBytes(FileText()))) {
      throw core::Error("Cannot create file " + target);
    }
    return;
  }
  const Writing writing(*this);
  // Lost to another writer when the .ref was replaced last.
  if (!lock_) LockRef();
  const std::string bytes = UnicodeFileBytes(FileText());
  const Fingerprint written = Fingerprint::Of(bytes);
  if (record_) {
    // Changed by another program while the job ran: it gives up.
    try {
      RefuseIfRefChanged();
    } catch (const core::Error& error) {
      GiveUp(error.what());
    }
    // A job cut short between the write and its "applied" line is told by
    // what the .ref holds: what it found, or what it wrote.
    record_->WritingRef(ref_known_, written);
  }
  if (!services_.files.ReplaceFile(target, bytes)) {
    const std::string failure = "Cannot create file " + target;
    if (!record_) throw core::Error(failure);
    record_->Unapplied();
    GiveUp(failure);
  }
  ref_known_ = written;
  ref_stamp_ = services_.files.Stamp(RefPath);
  empty_file_ = false;
  // The lock was on the file replaced; the new one is locked before the old
  // lock goes, unless another writer was first.
  bool held_elsewhere = false;
  lock_ = services_.files.LockFile(RefPath, held_elsewhere);
  if (!record_) return;
  // The route holds what the job did: nothing of it goes back any more.
  job_moves_.clear();
  // Unwritten, the line is settled by the next writer.
  try {
    record_->Applied();
  } catch (const core::Error&) {
  }
}

Route::Writing::Writing(Route& route) : route_(route) {
  if (route_.holds_++ > 0) return;
  try {
    route_.Hold();
  } catch (...) {
    route_.holds_ = 0;
    route_.lock_.reset();
    throw;
  }
}

Route::Writing::~Writing() {
  if (--route_.holds_ == 0) route_.lock_.reset();
}

void Route::Hold() {
  RefuseIfUnreadable();
  LockRef();
  RefuseIfRefChanged();
  // What a run killed while it replaced the .ref left beside it.
  services_.files.RemoveLeftover(RefPath);
  // The journal is read again only when it changed since it was settled:
  // a batch add holds the route once for every shape.
  const std::string journal = JournalPath();
  const std::optional<platform::FileStamp> stamp = services_.files.Stamp(journal);
  if (stamp && stamp == journal_settled_) return;
  if (!SettleWrites(services_.files, journal, ref_known_)) {
    throw core::Error(services_.language.Format(core::Msg::JournalNotWritable, journal));
  }
  journal_settled_ = services_.files.Stamp(journal);
}

void Route::LockRef() {
  bool held_elsewhere = false;
  lock_ = services_.files.LockFile(RefPath, held_elsewhere);
  if (lock_) return;
  const core::Language& language = services_.language;
  throw core::Error(held_elsewhere ? language.Format(core::Msg::RouteLocked, Name)
                                   : language.Format(core::Msg::RouteNotLockable, RefPath));
}

void Route::RefuseIfRefChanged() {
  const std::optional<platform::FileStamp> stamp = services_.files.Stamp(RefPath);
  if (stamp && stamp == ref_stamp_) return;
  // Touched, or written again with the same bytes, it is still what was read.
  const std::optional<std::string> bytes = services_.files.ReadFile(RefPath);
  if (!bytes || Fingerprint::Of(*bytes) != ref_known_) {
    throw core::Error(services_.language[core::Msg::RefChanged]);
  }
  ref_stamp_ = stamp;
}

void Route::GiveUp(const std::string& why) {
  services_.log.AddFailure(why);
  throw core::Error(
      services_.language[UndoJob() ? core::Msg::JobNotDone : core::Msg::JobNotDoneFilesLeft]);
}

bool Route::UndoJob() {
  bool all_back = true;
  platform::FileSystem& files = services_.files;
  // What it moved goes back, the last first, recorded as far as the journal
  // takes it: a file must not stay away because the record could not grow.
  const auto record = [](auto line) {
    try {
      line();
    } catch (const core::Error&) {
    }
  };
  for (auto move = job_moves_.rbegin(); move != job_moves_.rend(); ++move) {
    const auto& [from, to] = *move;
    record([&] { record_->Returning(from, to); });
    const bool back = files.MoveFile(Folder + to, Folder + from);
    record([&] { record_->Moved(back); });
    if (back) {
      --files_moved_;
    } else {
      all_back = false;
      services_.log.AddFailure(services_.language.Format(core::Msg::NotMovedBack, from, to));
    }
  }
  job_moves_.clear();
  record([&] { record_->NotDone(); });
  // The entries as the file holds them; one that can no longer be read
  // leaves the route unreadable.
  record([&] { ReadRef(); });
  return all_back;
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
