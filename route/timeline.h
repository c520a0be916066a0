// Where the entries that a route's jobs took out stood among all the others,
// worked out from the journal: its writes of the .ref are undone one by one,
// the latest first, from the .ref as it stands, for as long as each gives
// back the bytes its write found. The entries there now and those taken out
// then stand in one row, in the order of the file before the first write
// undone, with all the text around them. Restoring by that row puts back any
// of them between the entries they stood between, and restoring all of them
// gives the file back byte for byte.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "route/journal.h"
#include "route/route.h"

namespace route {

class Timeline {
 public:
  // The route's entries as read; the journal as it stands, its writes
  // settled. Nothing is held when the .ref was written since by anything
  // the journal does not tell of.
  Timeline(const Route& route, const Journal& journal);

  // Whether the batch's write lies among those undone, so that its entries
  // are in the row.
  bool Holds(size_t record, size_t batch) const;
  // The batch's entries that are not in the route now, each with the number
  // and offset that put it back at its place among the entries there now
  // (Route::InsertEntries).
  std::vector<RemovedEntry> PutBack(size_t record, size_t batch) const;
  // Which of the route's entries now the batch's entries are (for
  // Route::RemoveEntries).
  std::vector<bool> Find(size_t record, size_t batch) const;
  // The route now holds the batch's entries (put back as PutBack said), or
  // no longer does (`removed`, as Route::RemoveEntries took them out).
  void Shown(size_t record, size_t batch);
  void Hidden(size_t record, size_t batch, const std::vector<RemovedEntry>& removed);
  // Whether the row, as it stands now, is the route's text.
  bool Agrees(const Route& route) const;

 private:
  static constexpr size_t kNone = static_cast<size_t>(-1);
  // A piece of the row: an entry's own text, or text around the entries,
  // which stays whatever goes, unless an entry took it with it (the blanks
  // before and the line break after an entry alone on its line): then it
  // is there while any entry of its line in the row is.
  struct Node {
    std::string text;
    size_t core = kNone;  // the entry whose own text it is
    size_t cut = kNone;   // the entry it went with
  };
  struct Entry {
    bool shown;  // in the version being worked out
    bool now;    // in the route as it stands
    std::string core;
  };
  using BatchKey = std::pair<size_t, size_t>;

  // Undoes one applied write; false, the row as it was, when the write's
  // bytes do not come back.
  bool Undo(const Journal& journal, const JournalWrite& write, size_t write_index);
  // The batch's entries as the version before it held them.
  void Reinsert(const JournalRecord& record, size_t record_index, size_t batch_index);
  // Hides what the batch put in; false when the entries there are not its.
  bool Hide(const JournalRecord& record, size_t record_index, size_t batch_index);
  // Makes the text around the entry's own that went with it (`text` holds
  // all three) go with it. False when that text is not there.
  bool TakeAround(size_t entry, std::string_view text, bool now);
  // Which nodes are there when `there` tells which entries are.
  template <typename There>
  std::vector<bool> Shows(There there) const;
  std::vector<bool> Shows(bool now) const;
  // The text next to the entry's own, on one side, that comes with it when
  // `going` come back: what PutBack puts in with it.
  std::string ComingWith(size_t at, const std::vector<bool>& before, const std::vector<bool>& after,
                         bool forward, const std::vector<size_t>& going) const;
  // The node of the entry's own text.
  size_t CoreOf(size_t entry) const;
  std::string Render(const std::vector<bool>& shows) const;

  std::string header_;
  std::vector<Node> nodes_;
  std::vector<Entry> entries_;  // by their number in the row's making
  std::map<BatchKey, std::vector<size_t>> batches_;  // the entries of each batch
  // Entries a restore put back, by the record it undid and their text.
  std::multimap<std::pair<std::string, std::string>, size_t> restored_;
};

}  // namespace route
