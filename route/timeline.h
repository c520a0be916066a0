// Where the entries that a route's jobs took out stood among all the others,
// worked out from the journal: its writes of the .ref are undone one by one,
// the latest first, from the .ref as it stands, for as long as each gives
// back the bytes its write found. The entries there now and those taken out
// then stand in one row, in the order of the file before the first write
// undone, each with the text before it. Restoring by that row puts back any
// of them between the entries they stood between, and restoring all of them
// gives the file back byte for byte.
#pragma once

#include <cstddef>
#include <map>
#include <string>
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

 private:
  struct Item {
    std::string before;  // the text between the item before (shown or not) and it
    // Its text, with the blanks before it and the line break after it that
    // go with it, all there only while it is.
    std::string lead, core, trail;
    bool shown;  // in the version being worked out
    bool now;    // in the route as it stands
    size_t id;
  };
  using BatchKey = std::pair<size_t, size_t>;

  // Undoes one applied write; false, the row as it was, when the write's
  // bytes do not come back.
  bool Undo(const Journal& journal, const JournalWrite& write, size_t write_index);
  // The batch's entries as the version before it held them.
  void Reinsert(const JournalRecord& record, size_t record_index, size_t batch_index);
  // Hides what the batch put in; false when the entries there are not its.
  bool Hide(const JournalRecord& record, size_t record_index, size_t batch_index);
  // Gives the item at `at` the text around it that went with it: the end
  // of its own text before, the start of what follows. False when the text
  // is not there.
  bool TakeAround(size_t at, std::string_view text);
  std::string Render(bool now) const;
  size_t At(size_t id) const;

  std::string header_;
  std::string tail_;
  std::vector<Item> items_;
  size_t next_id_ = 0;
  std::map<BatchKey, std::vector<size_t>> batches_;  // the ids of each batch's entries
  // Entries a restore put back, by the record it undid and their text.
  std::multimap<std::pair<std::string, std::string>, size_t> restored_;
};

}  // namespace route
