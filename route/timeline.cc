#include "route/timeline.h"

#include <algorithm>

#include "route/blocks.h"
#include "route/text_file.h"

namespace route {

Timeline::Timeline(const Route& route, const Journal& journal)
    : header_(route.header_), tail_(route.tail_) {
  if (route.Unreadable()) return;
  items_.reserve(route.Entries.size());
  for (const Shape& entry : route.Entries) {
    items_.push_back({entry.before_, {}, entry.Text(), {}, true, true, next_id_++});
  }
  const std::string text = route.FileText();
  Fingerprint current = Fingerprint::Of(UnicodeFileBytes(text));
  for (size_t w = journal.writes.size(); w-- > 0;) {
    const JournalWrite& write = journal.writes[w];
    if (write.state != JournalWrite::State::kApplied) continue;
    // A write the journal does not tell of came after it, or it is of a
    // journal that did not keep what each write found.
    if (write.after != current || !write.before || !Undo(journal, write, w)) break;
    current = *write.before;
  }
  // A restore that put an entry elsewhere than the row would leaves the row
  // telling another file.
  if (Render(true) != text) batches_.clear();
}

bool Timeline::Holds(size_t record, size_t batch) const {
  return batches_.count({record, batch}) != 0;
}

bool Timeline::Undo(const Journal& journal, const JournalWrite& write, size_t write_index) {
  const std::vector<Item> items = items_;
  const auto batches = batches_;
  const auto restored = restored_;
  const std::string tail = tail_;
  const JournalRecord& record = journal.records[write.record];
  bool undone = true;
  for (size_t b = write.end_batch; undone && b-- > write.first_batch;) {
    const JournalBatch& batch = record.batches[b];
    if (!batch.applied || batch.write != write_index) continue;
    if (batch.added) {
      undone = Hide(record, write.record, b);
    } else {
      Reinsert(record, write.record, b);
    }
  }
  if (undone && Fingerprint::Of(UnicodeFileBytes(Render(false))) == *write.before) return true;
  items_ = items;
  batches_ = batches;
  restored_ = restored;
  tail_ = tail;
  return false;
}

bool Timeline::Hide(const JournalRecord& record, size_t record_index, size_t batch_index) {
  const JournalBatch& batch = record.batches[batch_index];
  // The numbers are those after the batch went in, all of it at once.
  std::vector<size_t> shown;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].shown) shown.push_back(i);
  }
  std::vector<size_t>& ids = batches_[{record_index, batch_index}];
  for (const RemovedEntry& entry : batch.entries) {
    const size_t number = static_cast<size_t>(entry.number);
    if (number > shown.size() || !TakeAround(shown[number - 1], entry.text)) return false;
    Item& item = items_[shown[number - 1]];
    item.shown = false;
    ids.push_back(item.id);
    if (!batch.undoing.empty()) restored_.emplace(std::pair(batch.undoing, item.core), item.id);
  }
  return true;
}

bool Timeline::TakeAround(size_t at, std::string_view text) {
  Item& item = items_[at];
  const std::string_view core = TrimView(text);
  if (core != item.core) return false;
  const std::string_view lead = text.substr(0, static_cast<size_t>(core.data() - text.data()));
  const std::string_view trail = text.substr(lead.size() + core.size());
  std::string& after = at + 1 < items_.size() ? items_[at + 1].before : tail_;
  if (item.lead.empty()) {
    if (!std::string_view(item.before).ends_with(lead)) return false;
    item.before.resize(item.before.size() - lead.size());
    item.lead = lead;
  }
  if (item.trail.empty()) {
    if (!std::string_view(after).starts_with(trail)) return false;
    after.erase(0, trail.size());
    item.trail = trail;
  }
  return item.lead == lead && item.trail == trail;
}

void Timeline::Reinsert(const JournalRecord& record, size_t record_index, size_t batch_index) {
  std::vector<RemovedEntry> entries = record.batches[batch_index].entries;
  std::stable_sort(entries.begin(), entries.end(),
                   [](const RemovedEntry& a, const RemovedEntry& b) { return a.number < b.number; });
  std::vector<size_t>& ids = batches_[{record_index, batch_index}];
  for (const RemovedEntry& entry : entries) {
    const std::string_view core = TrimView(entry.text);
    const size_t lead = static_cast<size_t>(core.data() - entry.text.data());
    Item item{{},   entry.text.substr(0, lead), std::string(core), entry.text.substr(lead + core.size()),
              true, false, next_id_};
    // A restore that put this entry back holds it: the same entry, which
    // goes where it stood then.
    if (auto linked = restored_.find({record.id, item.core}); linked != restored_.end()) {
      const size_t at = At(linked->second);
      item.id = items_[at].id;
      item.now = items_[at].now;
      (at + 1 < items_.size() ? items_[at + 1].before : tail_).insert(0, items_[at].before);
      items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(at));
      restored_.erase(linked);
    } else {
      ++next_id_;
    }
    // After the entry numbered one less, and after the entries not in this
    // version whose text before the offset passes.
    size_t at = 0;
    for (size_t shown = 0; shown + 1 < static_cast<size_t>(entry.number) && at < items_.size();
         ++at) {
      shown += items_[at].shown;
    }
    size_t passed = 0;
    while (at < items_.size() && !items_[at].shown &&
           entry.offset > passed + items_[at].before.size()) {
      passed += items_[at].before.size();
      ++at;
    }
    std::string& around = at < items_.size() ? items_[at].before : tail_;
    const size_t cut = std::min(entry.offset - passed, around.size());
    item.before = around.substr(0, cut);
    around.erase(0, cut);
    ids.push_back(item.id);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  }
}

std::vector<RemovedEntry> Timeline::PutBack(size_t record, size_t batch) const {
  const std::vector<size_t>& ids = batches_.at({record, batch});
  std::vector<RemovedEntry> entries;
  int number = 0;
  size_t passed = 0;  // the text of the entries left out since the last one in
  for (const Item& item : items_) {
    const bool going = !item.now && std::find(ids.begin(), ids.end(), item.id) != ids.end();
    if (going) {
      entries.push_back({number + 1, item.lead + item.core + item.trail, passed + item.before.size()});
    }
    if (going || item.now) {
      ++number;
      passed = 0;
    } else {
      passed += item.before.size();
    }
  }
  return entries;
}

std::vector<bool> Timeline::Find(size_t record, size_t batch) const {
  const std::vector<size_t>& ids = batches_.at({record, batch});
  std::vector<bool> marked;
  for (const Item& item : items_) {
    if (item.now) marked.push_back(std::find(ids.begin(), ids.end(), item.id) != ids.end());
  }
  return marked;
}

void Timeline::Shown(size_t record, size_t batch) {
  for (size_t id : batches_.at({record, batch})) items_[At(id)].now = true;
}

void Timeline::Hidden(size_t record, size_t batch, const std::vector<RemovedEntry>& removed) {
  // The batch's items, in the order of the file, are those taken out.
  std::vector<size_t> at;
  for (size_t id : batches_.at({record, batch})) at.push_back(At(id));
  std::sort(at.begin(), at.end());
  for (size_t i = 0; i < at.size() && i < removed.size(); ++i) {
    if (!TakeAround(at[i], removed[i].text)) batches_.clear();
    items_[at[i]].now = false;
  }
}

std::string Timeline::Render(bool now) const {
  std::string text = header_;
  for (const Item& item : items_) {
    text += item.before;
    if (now ? item.now : item.shown) text.append(item.lead).append(item.core).append(item.trail);
  }
  return text + tail_;
}

size_t Timeline::At(size_t id) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].id == id) return i;
  }
  return items_.size();
}

}  // namespace route
