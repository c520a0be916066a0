#include "ops/restore.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "core/error.h"
#include "ops/clearing.h"
#include "platform/text.h"
#include "route/journal.h"
#include "route/ref_file.h"

namespace ops {
namespace {

using route::Journal;
using route::JournalBatch;
using route::JournalMove;
using route::JournalRecord;

// The journal as it stands, the writes that the .ref shows taken place
// confirmed; nothing when the route has none.
std::optional<Journal> ReadRouteJournal(core::ConvMain& main, const route::Route& route) {
  const std::string path = route.JournalPath();
  const core::Language& language = main.language;
  const platform::EntryKind kind = main.files.KindAt(path);
  if (kind == platform::EntryKind::kNone) return std::nullopt;
  if (std::optional<std::string> link = main.files.LinkOutOf(route.Folder, path)) {
    throw core::Error(language.Format(core::Msg::LeadsOutOfRoute, *link));
  }
  std::optional<std::string> text;
  if (kind == platform::EntryKind::kFile) text = main.files.ReadFile(path);
  if (!text) throw core::Error(language.Format(core::Msg::JournalUnreadable, path));
  Journal journal = route::ReadJournal(*text);
  if (journal.unread_lines > 0) {
    main.log.AddFailure(
        language.Format(core::Msg::JournalLinesUnread, std::to_string(journal.unread_lines), path));
  }
  if (const std::optional<std::string> ref = main.files.ReadFile(route.RefPath)) {
    route::ConfirmWrites(journal, route::Fingerprint::Of(*ref));
  }
  return journal;
}

// Which records a complete restore has undone. Undoing that restore is a
// record of its own, which alone stands for the route as it is then: the
// records before it stay undone, so that no change is offered twice.
std::vector<bool> UndoneRecords(const Journal& journal) {
  const std::vector<JournalRecord>& records = journal.records;
  std::unordered_map<std::string_view, size_t> at;
  for (size_t i = 0; i < records.size(); ++i) at.emplace(records[i].id, i);
  std::vector<bool> undone(records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    if (!records[i].complete) continue;
    for (const std::string& id : records[i].restores) {
      const auto found = at.find(id);
      if (found != at.end() && found->second < i) undone[found->second] = true;
    }
  }
  return undone;
}

// Whether `name` is one of the numbered copies of the route's .ref.
bool IsRefCopy(const route::Route& route, std::string_view name) {
  if (name.size() <= route.Name.size() + 4 ||
      !platform::EqualsIgnoreCase(name.substr(0, route.Name.size()), route.Name) ||
      !platform::EqualsIgnoreCase(name.substr(name.size() - 4), ".ref")) {
    return false;
  }
  const std::string_view number =
      name.substr(route.Name.size(), name.size() - route.Name.size() - 4);
  return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The files of the backup folder that no record moved there: backups made
// before the journal. Links are not followed.
int UnrecordedBackups(const core::ConvMain& main, const route::Route& route,
                      const Journal& journal) {
  std::unordered_set<std::string> recorded;
  for (const JournalRecord& record : journal.records) {
    for (const JournalMove& move : record.moves) {
      recorded.insert(platform::FoldCase(move.from));
      recorded.insert(platform::FoldCase(move.to));
    }
  }
  const std::string top = main.language[core::Msg::BackupFolder];
  int count = 0;
  std::vector<std::string> folders = {top};
  while (!folders.empty()) {
    const std::string folder = std::move(folders.back());
    folders.pop_back();
    for (const platform::FindEntry& found :
         main.files.Find(route.Folder + folder + "*", platform::kDirectory)) {
      if (found.name == "." || found.name == "..") continue;
      const std::string relative = folder + found.name;
      if (found.attributes & platform::kDirectory) {
        if (main.files.KindAt(route.Folder + relative) == platform::EntryKind::kFolder) {
          folders.push_back(relative + "\\");
        }
      } else if (folder != top || !(IsRefCopy(route, found.name) ||
                                    platform::EqualsIgnoreCase(found.name, route::kJournalName))) {
        count += recorded.count(platform::FoldCase(relative)) == 0;
      }
    }
  }
  return count;
}

std::string JobName(const core::Language& language, std::string_view job) {
  static constexpr std::pair<std::string_view, core::Msg> kNames[] = {
      {kDeleteSelectedJob, core::Msg::CapDeleteSelected},
      {kDuplicatesJob, core::Msg::CapDeleteDuplicates},
      {kNonexistentJob, core::Msg::CapDeleteNonexistent},
      {kUnusedJob, core::Msg::CapDeleteUnused},
      {kNotInRefJob, core::Msg::CapDeleteNotInRef},
      {kRestoreJob, core::Msg::RestoreJob},
  };
  for (const auto& [name, caption] : kNames) {
    if (job == name) return language[caption];
  }
  return std::string(job);
}

// "time, job, N entries, M files".
std::string Row(const core::Language& language, const JournalRecord& record) {
  size_t entries = 0;
  for (const JournalBatch& batch : record.batches)
    entries += batch.applied ? batch.entries.size() : 0;
  const auto files = std::count_if(
      record.moves.begin(), record.moves.end(),
      [](const JournalMove& move) { return move.outcome != JournalMove::Outcome::kFailed; });
  return record.time + ", " + JobName(language, record.job) + ", " +
         language.Format(core::Msg::JobCounts, std::to_string(entries), std::to_string(files)) +
         (record.complete ? "" : language[core::Msg::JobCutShort]);
}

// What undoing one record takes.
struct Undo {
  const JournalRecord* record;
  // What a restore of it cut short after its .ref write already put back:
  // taken over, not done again.
  std::vector<const JournalBatch*> taken_over;
};

// An offered record is named by restores cut short only: the newest of
// them that reached the .ref put back its entries.
Undo PlanUndo(const Journal& journal, size_t index) {
  Undo undo{&journal.records[index], {}};
  const std::string& id = undo.record->id;
  for (size_t i = journal.records.size(); i-- > index + 1;) {
    const JournalRecord& restore = journal.records[i];
    if (std::find(restore.restores.begin(), restore.restores.end(), id) == restore.restores.end()) {
      continue;
    }
    for (const JournalBatch& batch : restore.batches) {
      if (batch.applied && batch.undoing == id) undo.taken_over.push_back(&batch);
    }
    if (!undo.taken_over.empty()) break;
  }
  return undo;
}

bool ChangesEntries(const Undo& undo) {
  return undo.taken_over.empty() &&
         std::any_of(
             undo.record->batches.begin(), undo.record->batches.end(),
             [](const JournalBatch& batch) { return batch.applied && !batch.entries.empty(); });
}

// What a log line calls an entry: its file name, else its first line.
std::string EntryName(std::string_view text) {
  if (const std::optional<route::Shape> entry = route::ParseEntry(text)) {
    if (const std::string& name = entry->GetValue("FileName"); !name.empty()) return name;
  }
  return std::string(text.substr(0, text.find_first_of("\r\n")));
}

// Marks, for each entry, the route's entry of the same text nearest to its
// number that is not marked yet.
std::vector<bool> FindEntries(core::ConvMain& main, const route::Route& route,
                              const std::vector<route::RemovedEntry>& entries) {
  std::unordered_map<std::string, std::vector<size_t>> by_text;
  for (size_t i = 0; i < route.Entries.size(); ++i) by_text[route.Entries[i].Text()].push_back(i);
  std::vector<bool> marked(route.Entries.size());
  for (const route::RemovedEntry& entry : entries) {
    const auto found = by_text.find(entry.text);
    std::optional<size_t> nearest;
    const auto distance = [&entry](size_t i) {
      const long long apart = static_cast<long long>(i) + 1 - entry.number;
      return apart < 0 ? -apart : apart;
    };
    if (found != by_text.end()) {
      for (size_t i : found->second) {
        if (!marked[i] && (!nearest || distance(i) < distance(*nearest))) nearest = i;
      }
    }
    if (nearest) {
      marked[*nearest] = true;
    } else {
      main.log.Add(main.language.Format(core::Msg::EntryGone, EntryName(entry.text)));
    }
  }
  return marked;
}

void Restore(core::ConvMain& main, route::Route& route, const Journal& journal,
             const std::vector<size_t>& chosen) {
  const core::Language& language = main.language;
  std::vector<Undo> undos;
  std::vector<std::string> ids;
  for (size_t index : chosen) {
    undos.push_back(PlanUndo(journal, index));
    ids.push_back(journal.records[index].id);
  }
  const bool writes_ref = std::any_of(undos.begin(), undos.end(), ChangesEntries);
  route::JobRecord record(route, std::string(kRestoreJob));
  route.CheckClearing(writes_ref);
  if (writes_ref) route.BackupRef();
  record.Restores(ids);
  // What restores cut short put back comes first, as it happened first.
  bool taken_over = false;
  for (const Undo& undo : undos) {
    if (undo.taken_over.empty()) continue;
    record.Undoing(undo.record->id);
    for (const JournalBatch* batch : undo.taken_over) record.Entries(batch->added, batch->entries);
    taken_over = true;
  }
  if (taken_over) record.Applied();

  size_t files = 0, entries = 0;
  for (const Undo& undo : undos) {
    const JournalRecord& undone = *undo.record;
    record.Undoing(undone.id);
    const core::Msg done =
        undone.job == kRestoreJob ? core::Msg::TakenOutAgain : core::Msg::PutBack;
    for (auto move = undone.moves.rbegin(); move != undone.moves.rend(); ++move) {
      // A file whose move failed never left its place.
      if (move->outcome == JournalMove::Outcome::kFailed) continue;
      switch (route.MoveBack(move->to, move->from)) {
        case route::Route::Return::kMoved:
          ++files;
          main.log.Add(language.Format(done, move->from));
          break;
        case route::Route::Return::kAlreadyBack:
          break;
        case route::Route::Return::kPlaceTaken:
          main.log.AddFailure(language.Format(core::Msg::PlaceTaken, move->from, move->to));
          break;
        case route::Route::Return::kMissing:
          main.log.AddFailure(language.Format(core::Msg::NotInBackup, move->from));
          break;
        case route::Route::Return::kOutside:
          main.log.AddFailure(language.Format(core::Msg::OutsideRoute, move->from));
          break;
        case route::Route::Return::kLink:
          main.log.AddFailure(language.Format(core::Msg::LinkStays, move->to));
          break;
        case route::Route::Return::kFailed:
          main.log.AddFailure(language.Format(core::Msg::NotPutBack, move->from));
          break;
      }
      main.ui.KeepAlive();
    }
    if (!undo.taken_over.empty()) continue;
    // Each step undone in turn, the last first, against the entries as
    // that step left them.
    for (auto batch = undone.batches.rbegin(); batch != undone.batches.rend(); ++batch) {
      if (!batch->applied) continue;
      if (batch->added) {
        const std::vector<route::RemovedEntry> removed =
            route.RemoveEntries(FindEntries(main, route, batch->entries));
        entries += removed.size();
      } else {
        const size_t put = route.InsertEntries(batch->entries);
        entries += put;
        if (put < batch->entries.size()) {
          main.log.AddFailure(language.Format(core::Msg::EntryNotWhole,
                                              std::to_string(batch->entries.size() - put)));
        }
      }
    }
  }
  if (writes_ref) route.WriteRef();
  record.Complete();
  main.log.Add(
      language.Format(core::Msg::Restored, std::to_string(entries), std::to_string(files)));
}

}  // namespace

void ClRestoreClick(core::ConvMain& main, RouteState& routes) {
  route::Route* route = ClearableRoute(main, routes);
  if (!route) return;
  RowsFollowEntries rows(main, routes);
  const core::Language& language = main.language;
  const Journal journal = ReadRouteJournal(main, *route).value_or(Journal{});
  if (const int unrecorded = UnrecordedBackups(main, *route, journal); unrecorded > 0) {
    main.log.Add(language.Format(core::Msg::BackupsNotRecorded, std::to_string(unrecorded),
                                 route->Folder + language[core::Msg::BackupFolder]));
  }
  const std::vector<bool> undone = UndoneRecords(journal);
  std::vector<size_t> offered;
  std::vector<std::string> texts;
  for (size_t i = journal.records.size(); i-- > 0;) {
    const JournalRecord& record = journal.records[i];
    if (undone[i] || (!record.complete && record.job == kRestoreJob)) continue;
    offered.push_back(i);
    texts.push_back(Row(language, record));
  }
  if (offered.empty()) {
    main.log.Add(language[core::Msg::NothingToRestore]);
    return;
  }
  core::ChoiceList list(core::Msg::CapJobsToRestore, std::move(texts));
  if (!main.ui.ChooseObjects(list)) return;
  std::vector<size_t> chosen;
  for (size_t row = 0; row < list.size(); ++row) {
    if (list.IsSelected(row)) chosen.push_back(offered[row]);
  }
  if (!chosen.empty()) Restore(main, *route, journal, chosen);
}

}  // namespace ops
