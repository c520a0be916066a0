#include "ops/restore.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>
#include <unordered_set>

#include "core/error.h"
#include "formats/text.h"
#include "ops/clearing.h"
#include "platform/text.h"
#include "route/blocks.h"
#include "route/journal.h"
#include "route/ref_file.h"
#include "route/timeline.h"

namespace ops {
namespace {

using route::Journal;
using route::JournalBatch;
using route::JournalMove;
using route::JournalRecord;

// The journal as it stands, the writes that the .ref shows taken place
// confirmed; nothing when the route has none. `report`: the lines left out
// are logged.
std::optional<Journal> ReadRouteJournal(core::ConvMain& main, const route::Route& route,
                                        bool report) {
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
  if (report && journal.unread_lines > 0) {
    main.log.AddFailure(
        language.Format(core::Msg::JournalLinesUnread, std::to_string(journal.unread_lines), path));
  }
  if (report && journal.failed_checks > 0) {
    main.log.AddFailure(language.Format(core::Msg::JournalLinesFailCheck,
                                        std::to_string(journal.failed_checks), path));
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

// Whether undoing a record moves the file back: its move put it into the
// backups, and the job did not move it back itself.
bool Undoable(const JournalMove& move) {
  return move.outcome != JournalMove::Outcome::kFailed && !move.returned;
}

// "time, job, N entries, M files".
std::string Row(const core::Language& language, const JournalRecord& record, bool partly) {
  size_t entries = 0;
  for (const JournalBatch& batch : record.batches)
    entries += batch.applied ? batch.entries.size() : 0;
  const auto files = std::count_if(record.moves.begin(), record.moves.end(), Undoable);
  return record.time + ", " + JobName(language, record.job) + ", " +
         language.Format(core::Msg::JobCounts, std::to_string(entries), std::to_string(files)) +
         (record.complete ? "" : language[core::Msg::JobCutShort]) +
         (partly ? language[core::Msg::PartlyRestored] : "");
}

// A record offered for restoring.
struct Offer {
  size_t index;
  // A record a restore undid already, whose files it could not all put
  // back: the moves of those still in the backups, which alone are undone.
  std::optional<std::vector<const JournalMove*>> left = {};
};

// The files of a record that the complete restores undoing it did not put
// back, and that lie in the backups still.
std::vector<const JournalMove*> LeftInBackups(const core::ConvMain& main,
                                              const route::Route& route, const Journal& journal,
                                              size_t index) {
  const JournalRecord& record = journal.records[index];
  std::unordered_set<std::string> back;
  const auto key = [](const std::string& from, const std::string& to) {
    return platform::FoldCase(from) + '\t' + platform::FoldCase(to);
  };
  for (size_t i = index + 1; i < journal.records.size(); ++i) {
    const JournalRecord& restore = journal.records[i];
    if (!restore.complete ||
        std::find(restore.restores.begin(), restore.restores.end(), record.id) ==
            restore.restores.end()) {
      continue;
    }
    for (const JournalMove& move : restore.moves) {
      if (move.undoing == record.id && move.outcome == JournalMove::Outcome::kDone) {
        back.insert(key(move.from, move.to));
      }
    }
  }
  std::vector<const JournalMove*> left;
  for (const JournalMove& move : record.moves) {
    if (Undoable(move) && !back.count(key(move.to, move.from)) &&
        (route.IsBackupOf(move.to, move.from) || route.IsBackupOf(move.from, move.to)) &&
        main.files.KindAt(route.Folder + move.to) == platform::EntryKind::kFile) {
      left.push_back(&move);
    }
  }
  return left;
}

// The records offered, newest first: those no complete restore undid, and
// those it undid that still have files in the backups. A restore cut short
// is not offered (restoring its jobs again completes it), nor a job that
// gave up with all its files back and no entry changed.
std::vector<Offer> Offers(const core::ConvMain& main, const route::Route& route,
                          const Journal& journal) {
  const std::vector<bool> undone = UndoneRecords(journal);
  std::vector<Offer> offers;
  for (size_t i = journal.records.size(); i-- > 0;) {
    const JournalRecord& record = journal.records[i];
    if (!record.complete && record.job == kRestoreJob) continue;
    if (record.not_done && std::none_of(record.moves.begin(), record.moves.end(), Undoable) &&
        std::none_of(record.batches.begin(), record.batches.end(),
                     [](const JournalBatch& batch) { return batch.applied; })) {
      continue;
    }
    if (!undone[i]) {
      offers.push_back({i});
    } else if (std::vector<const JournalMove*> left = LeftInBackups(main, route, journal, i);
               !left.empty()) {
      offers.push_back({i, std::move(left)});
    }
  }
  return offers;
}

// What undoing one record takes.
struct Undo {
  size_t index;
  const JournalRecord* record;
  // What a restore of it cut short after its .ref write already put back:
  // taken over, not done again.
  std::vector<const JournalBatch*> taken_over;
  std::optional<std::vector<const JournalMove*>> left;
};

// An offered record is named by restores cut short only: the newest of
// them that reached the .ref put back its entries.
Undo PlanUndo(const Journal& journal, const Offer& offer) {
  Undo undo{offer.index, &journal.records[offer.index], {}, offer.left};
  const std::string& id = undo.record->id;
  for (size_t i = journal.records.size(); i-- > offer.index + 1;) {
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
  return undo.taken_over.empty() && !undo.left &&
         std::any_of(
             undo.record->batches.begin(), undo.record->batches.end(),
             [](const JournalBatch& batch) { return batch.applied && !batch.entries.empty(); });
}

// What a log line calls an entry: its file name, else its first line.
std::string EntryName(std::string_view text) {
  text = formats::text::TrimView(text);
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
    const auto found = by_text.find(std::string(formats::text::TrimView(entry.text)));
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

// Where entries go back when the journal cannot tell their place exactly,
// the route having been written since by something it does not tell of:
// between the entries they stood between, found by their text, where those
// still stand; an entry taken out since stands for the entries it stood
// between in turn, as the journal tells of it. An entry whose exact text
// already stands at its place (put back by hand) is not put back again.
// Returns them with their numbers among the entries there now and those
// going in.
std::vector<route::RemovedEntry> PlaceByNeighbours(core::ConvMain& main, const route::Route& route,
                                                   const Journal& journal,
                                                   std::vector<route::RemovedEntry> entries) {
  using route::Fingerprint;
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return a.number < b.number; });
  const long long count = static_cast<long long>(route.Entries.size());
  std::vector<Fingerprint> texts;
  std::unordered_multimap<uint64_t, size_t> by_hash;
  for (const route::Shape& entry : route.Entries) {
    texts.push_back(Fingerprint::Of(entry.Text()));
    by_hash.emplace(texts.back().hash, texts.size() - 1);
  }
  // What each entry taken out stood between, the latest taking out first.
  std::unordered_map<uint64_t, const route::RemovedEntry*> neighbours;
  for (auto record = journal.records.rbegin(); record != journal.records.rend(); ++record) {
    for (const JournalBatch& batch : record->batches) {
      if (batch.added) continue;
      for (const route::RemovedEntry& entry : batch.entries)
        neighbours.emplace(Fingerprint::Of(formats::text::TrimView(entry.text)).hash, &entry);
    }
  }
  // The index of the entry there now that a neighbour stands for, nearest
  // to `near` (-1 for the start of the file, `count` for its end), and how
  // many entries taken out it passed to find it.
  struct Found {
    long long at;
    int steps;
  };
  // The entries passed, taken out, stood on that side of it as well.
  std::vector<Fingerprint> passed;
  const auto resolve = [&](std::optional<Fingerprint> text, long long near,
                           bool before) -> std::optional<Found> {
    for (int step = 0; step < 64; ++step) {
      if (!text) return Found{before ? -1 : count, step};
      std::optional<long long> found;
      const auto [first, last] = by_hash.equal_range(text->hash);
      for (auto it = first; it != last; ++it) {
        const long long at = static_cast<long long>(it->second);
        if (texts[it->second] == *text &&
            (!found || std::llabs(at - near) < std::llabs(*found - near))) {
          found = at;
        }
      }
      if (found) return Found{*found, step};
      passed.push_back(*text);
      const auto gone = neighbours.find(text->hash);
      if (gone == neighbours.end()) return std::nullopt;
      text = before ? gone->second->before : gone->second->after;
    }
    return std::nullopt;
  };
  struct Going {
    long long place;  // before the entry there now at this index
    route::RemovedEntry entry;
  };
  std::vector<Going> going;
  long long earlier = 0;
  for (route::RemovedEntry& entry : entries) {
    const Fingerprint own = Fingerprint::Of(formats::text::TrimView(entry.text));
    // Its place among the entries there now, had nothing else changed.
    const long long expected = entry.number - 1 - earlier++;
    // Between the entries it stood between, or those they stand for; next
    // to the one found the nearer way. The first of the batch before it
    // goes first.
    long long lo = 0, hi = count;
    bool toward_after = false;
    const Going* last = going.empty() ? nullptr : &going.back();
    passed = {own};
    const std::optional<Found> after = resolve(entry.after, expected, false);
    const std::vector<Fingerprint> after_it = passed;
    passed = {own};
    if (after) hi = after->at;
    if (last && last->entry.number + 1 == entry.number &&
        entry.before == Fingerprint::Of(formats::text::TrimView(last->entry.text))) {
      lo = std::min(last->place, hi);
    } else if (const std::optional<Found> before = resolve(entry.before, expected - 1, true);
               before) {
      lo = before->at + 1;
      if (lo > hi) {
        if (after && after->steps < before->steps) lo = hi;
        else hi = lo;
      }
      toward_after = after && after->steps < before->steps;
    } else if (after) {
      lo = hi;
    } else {
      lo = hi = std::clamp(expected, 0LL, count);
    }
    // The entries back between them since: the journal tells which stood
    // before it, or before an entry it stood after, and which after.
    const auto stood = [&](long long at, bool before) {
      const auto found = neighbours.find(texts[at].hash);
      if (found == neighbours.end()) return false;
      const std::optional<Fingerprint>& next = before ? found->second->after : found->second->before;
      const std::vector<Fingerprint>& side = before ? passed : after_it;
      return next && std::find(side.begin(), side.end(), *next) != side.end();
    };
    for (long long at = lo; at < hi; ++at) {
      if (stood(at, true)) lo = at + 1;
    }
    for (long long at = hi; at-- > lo;) {
      if (stood(at, false)) hi = at;
    }
    const long long place = toward_after ? hi : lo;
    // A neighbour of the same text as the entry is no sign of it.
    const bool there = (place < count && texts[place] == own && entry.after != own) ||
                       (place > 0 && texts[place - 1] == own && entry.before != own);
    if (there) {
      main.log.Add(main.language.Format(core::Msg::EntryAlreadyThere, EntryName(entry.text)));
      continue;
    }
    going.push_back({place, std::move(entry)});
  }
  std::stable_sort(going.begin(), going.end(),
                   [](const Going& a, const Going& b) { return a.place < b.place; });
  std::vector<route::RemovedEntry> placed;
  for (Going& entry : going) {
    entry.entry.number = static_cast<int>(entry.place + static_cast<long long>(placed.size()) + 1);
    placed.push_back(std::move(entry.entry));
  }
  return placed;
}

void Restore(core::ConvMain& main, route::Route& route, const std::vector<std::string>& ids) {
  const core::Language& language = main.language;
  // Held from here to the end: the writes a run cut short left are settled
  // first, and the journal is read again as that and any other run left it.
  const route::Route::Writing writing(route);
  const Journal journal = ReadRouteJournal(main, route, false).value_or(Journal{});
  std::vector<Undo> undos;
  std::vector<std::string> undone_ids;
  for (const Offer& offer : Offers(main, route, journal)) {
    const std::string& id = journal.records[offer.index].id;
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) continue;
    undos.push_back(PlanUndo(journal, offer));
    undone_ids.push_back(id);
  }
  if (undos.empty()) return;
  const bool writes_ref = std::any_of(undos.begin(), undos.end(), ChangesEntries);
  // Where each entry stood, worked out before anything changes; it holds
  // until an entry goes back by its neighbours instead.
  std::optional<route::Timeline> timeline;
  if (writes_ref) timeline.emplace(route, journal);
  route::JobRecord record(route, std::string(kRestoreJob));
  route.CheckClearing(writes_ref);
  if (writes_ref) route.BackupRef();
  record.Restores(undone_ids);
  // What restores cut short put back comes first, as it happened first.
  bool taken_over = false;
  for (const Undo& undo : undos) {
    if (undo.taken_over.empty() || undo.left) continue;
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
    std::vector<const JournalMove*> moves;
    if (undo.left) {
      moves = *undo.left;
    } else {
      for (const JournalMove& move : undone.moves) {
        if (Undoable(move)) moves.push_back(&move);
      }
    }
    for (auto it = moves.rbegin(); it != moves.rend(); ++it) {
      const JournalMove& move = **it;
      switch (route.MoveBack(move.to, move.from)) {
        case route::Route::Return::kMoved:
          ++files;
          main.log.Add(language.Format(done, move.from));
          break;
        case route::Route::Return::kAlreadyBack:
          break;
        case route::Route::Return::kCopyDropped:
          ++files;
          main.log.Add(language.Format(core::Msg::CopyDropped, move.from));
          break;
        case route::Route::Return::kPlaceTaken:
          main.log.AddFailure(language.Format(core::Msg::PlaceTaken, move.from, move.to));
          break;
        case route::Route::Return::kMissing:
          main.log.AddFailure(language.Format(core::Msg::NotInBackup, move.from));
          break;
        case route::Route::Return::kOutside:
          main.log.AddFailure(language.Format(core::Msg::OutsideRoute, move.from));
          break;
        case route::Route::Return::kLink:
          main.log.AddFailure(language.Format(core::Msg::LinkStays, move.to));
          break;
        case route::Route::Return::kFailed:
          main.log.AddFailure(language.Format(core::Msg::NotPutBack, move.from));
          break;
      }
      main.ui.KeepAlive();
    }
    if (!undo.taken_over.empty() || undo.left) continue;
    // Each step undone in turn, the last first, against the entries as
    // that step left them.
    for (size_t b = undone.batches.size(); b-- > 0;) {
      const JournalBatch& batch = undone.batches[b];
      if (!batch.applied) continue;
      const bool exact = timeline && timeline->Holds(undo.index, b);
      if (!exact) timeline.reset();
      if (batch.added) {
        const std::vector<bool> marked =
            exact ? timeline->Find(undo.index, b) : FindEntries(main, route, batch.entries);
        const std::vector<route::RemovedEntry> removed = route.RemoveEntries(marked);
        entries += removed.size();
        if (exact) timeline->Hidden(undo.index, b, removed);
        if (exact && !timeline->Agrees(route)) timeline.reset();
        continue;
      }
      const std::vector<route::RemovedEntry> going =
          exact ? timeline->PutBack(undo.index, b)
                : PlaceByNeighbours(main, route, journal, batch.entries);
      const size_t put = route.InsertEntries(going);
      entries += put;
      if (exact) timeline->Shown(undo.index, b);
      if (exact && !timeline->Agrees(route)) timeline.reset();
      if (put < going.size()) {
        timeline.reset();
        main.log.AddFailure(
            language.Format(core::Msg::EntryNotWhole, std::to_string(going.size() - put)));
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
  const Journal journal = ReadRouteJournal(main, *route, true).value_or(Journal{});
  if (const int unrecorded = UnrecordedBackups(main, *route, journal); unrecorded > 0) {
    main.log.Add(language.Format(core::Msg::BackupsNotRecorded, std::to_string(unrecorded),
                                 route->Folder + language[core::Msg::BackupFolder]));
  }
  const std::vector<Offer> offers = Offers(main, *route, journal);
  if (offers.empty()) {
    main.log.Add(language[core::Msg::NothingToRestore]);
    return;
  }
  std::vector<std::string> texts;
  for (const Offer& offer : offers) {
    texts.push_back(Row(language, journal.records[offer.index], offer.left.has_value()));
  }
  core::ChoiceList list(core::Msg::CapJobsToRestore, std::move(texts));
  if (!main.ui.ChooseObjects(list)) return;
  std::vector<std::string> chosen;
  for (size_t row = 0; row < list.size(); ++row) {
    if (list.IsSelected(row)) chosen.push_back(journal.records[offers[row].index].id);
  }
  if (!chosen.empty()) Restore(main, *route, chosen);
}

}  // namespace ops
