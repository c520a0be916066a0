#include "route/timeline.h"

#include <algorithm>

#include "formats/text.h"
#include "route/blocks.h"
#include "route/text_file.h"

namespace route {
namespace {

bool Contains(const std::vector<size_t>& ids, size_t id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

}  // namespace

Timeline::Timeline(const Route& route, const Journal& journal) : header_(route.header_) {
  if (route.Unreadable()) return;
  nodes_.reserve(2 * route.Entries.size() + 1);
  for (const Shape& entry : route.Entries) {
    nodes_.push_back({entry.before_});
    entries_.push_back({true, true, entry.Text()});
    nodes_.push_back({entries_.back().core, entries_.size() - 1});
  }
  nodes_.push_back({route.tail_});
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
  if (!Agrees(route)) batches_.clear();
}

bool Timeline::Holds(size_t record, size_t batch) const {
  return batches_.count({record, batch}) != 0;
}

template <typename There>
std::vector<bool> Timeline::Shows(There there) const {
  std::vector<bool> shows(nodes_.size());
  // The text an entry took with it, on the line so far, and whether an
  // entry of the line is there.
  std::vector<size_t> cut;
  bool line = false;
  const auto close = [&] {
    for (size_t i : cut) shows[i] = line;
    cut.clear();
    line = false;
  };
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const Node& node = nodes_[i];
    if (node.core != kNone) {
      const bool here = there(node.core);
      shows[i] = here;
      line |= here;
      // An entry over several lines stands on each of them.
      for (char c : node.text) {
        if (!IsLineBreak(c)) continue;
        close();
        line = here;
      }
    } else if (node.cut != kNone) {
      cut.push_back(i);
      if (std::any_of(node.text.begin(), node.text.end(), IsLineBreak)) close();
    } else {
      shows[i] = true;
      if (std::any_of(node.text.begin(), node.text.end(), IsLineBreak)) close();
    }
  }
  close();
  return shows;
}

std::vector<bool> Timeline::Shows(bool now) const {
  return Shows([&](size_t id) { return now ? entries_[id].now : entries_[id].shown; });
}

size_t Timeline::CoreOf(size_t entry) const {
  for (size_t i = 0; i < nodes_.size(); ++i) {
    if (nodes_[i].core == entry) return i;
  }
  return nodes_.size();
}

std::string Timeline::Render(const std::vector<bool>& shows) const {
  std::string text = header_;
  for (size_t i = 0; i < nodes_.size(); ++i) {
    if (shows[i]) text += nodes_[i].text;
  }
  return text;
}

bool Timeline::Agrees(const Route& route) const { return Render(Shows(true)) == route.FileText(); }

bool Timeline::Undo(const Journal& journal, const JournalWrite& write, size_t write_index) {
  const std::vector<Node> nodes = nodes_;
  const std::vector<Entry> entries = entries_;
  const auto batches = batches_;
  const auto restored = restored_;
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
  if (undone && Fingerprint::Of(UnicodeFileBytes(Render(Shows(false)))) == *write.before) {
    return true;
  }
  nodes_ = nodes;
  entries_ = entries;
  batches_ = batches;
  restored_ = restored;
  return false;
}

bool Timeline::TakeAround(size_t entry, std::string_view text, bool now) {
  const std::string_view core = formats::text::TrimView(text);
  if (core != entries_[entry].core) return false;
  const std::string_view lead = text.substr(0, static_cast<size_t>(core.data() - text.data()));
  const std::string_view trail = text.substr(lead.size() + core.size());
  std::vector<bool> shows = Shows(now);
  // The text there next to it on one side, node by node, passing what is
  // not there.
  const auto take = [&](std::string_view piece, bool after) {
    size_t at = CoreOf(entry);
    size_t matched = 0;
    while (matched < piece.size()) {
      if (after ? ++at >= nodes_.size() : at-- == 0) return false;
      if (!shows[at]) continue;
      Node& node = nodes_[at];
      if (node.core != kNone) return false;
      const size_t size = std::min(node.text.size(), piece.size() - matched);
      const std::string_view wanted =
          after ? piece.substr(matched, size) : piece.substr(piece.size() - matched - size, size);
      const std::string_view there = after ? std::string_view(node.text).substr(0, size)
                                           : std::string_view(node.text).substr(node.text.size() - size);
      if (wanted != there) return false;
      if (size < node.text.size()) {
        // Cut where the piece ends; the node at `at` becomes the piece.
        Node rest = node;
        if (after) {
          rest.text.erase(0, size);
          node.text.resize(size);
          nodes_.insert(nodes_.begin() + static_cast<std::ptrdiff_t>(at + 1), std::move(rest));
          shows.insert(shows.begin() + static_cast<std::ptrdiff_t>(at + 1), true);
        } else {
          rest.text.resize(rest.text.size() - size);
          node.text.erase(0, node.text.size() - size);
          nodes_.insert(nodes_.begin() + static_cast<std::ptrdiff_t>(at), std::move(rest));
          shows.insert(shows.begin() + static_cast<std::ptrdiff_t>(at), true);
          ++at;
        }
      }
      nodes_[at].cut = entry;
      matched += size;
    }
    return true;
  };
  // The trail first: the lead's cuts move what follows them.
  return take(trail, true) && take(lead, false);
}

bool Timeline::Hide(const JournalRecord& record, size_t record_index, size_t batch_index) {
  const JournalBatch& batch = record.batches[batch_index];
  // The numbers are those after the batch went in, all of it at once.
  std::vector<size_t> shown;
  for (const Node& node : nodes_) {
    if (node.core != kNone && entries_[node.core].shown) shown.push_back(node.core);
  }
  std::vector<size_t>& ids = batches_[{record_index, batch_index}];
  for (const RemovedEntry& entry : batch.entries) {
    const size_t number = static_cast<size_t>(entry.number);
    if (number > shown.size() || !TakeAround(shown[number - 1], entry.text, false)) return false;
    const size_t id = shown[number - 1];
    entries_[id].shown = false;
    ids.push_back(id);
    if (!batch.undoing.empty()) restored_.emplace(std::pair(batch.undoing, entries_[id].core), id);
  }
  return true;
}

void Timeline::Reinsert(const JournalRecord& record, size_t record_index, size_t batch_index) {
  std::vector<RemovedEntry> entries = record.batches[batch_index].entries;
  std::stable_sort(entries.begin(), entries.end(),
                   [](const RemovedEntry& a, const RemovedEntry& b) { return a.number < b.number; });
  std::vector<size_t>& ids = batches_[{record_index, batch_index}];
  for (const RemovedEntry& removed : entries) {
    const std::string_view core = formats::text::TrimView(removed.text);
    const size_t lead = static_cast<size_t>(core.data() - removed.text.data());
    size_t id = entries_.size();
    bool now = false;
    // A restore that put this entry back holds it: the same entry, which
    // goes where it stood then.
    if (auto linked = restored_.find({record.id, std::string(core)}); linked != restored_.end()) {
      id = linked->second;
      now = entries_[id].now;
      restored_.erase(linked);
      std::erase_if(nodes_, [id](const Node& node) { return node.core == id || node.cut == id; });
    } else {
      entries_.emplace_back();
    }
    entries_[id] = {false, now, std::string(core)};
    const std::vector<bool> shows = Shows(false);
    // After the entry numbered one less, then `offset` characters of the
    // text there, not counting the line break of an entry of this batch put
    // in just before (the removal took it with that one). Text not there is
    // passed while characters are left to count.
    size_t at = 0;
    for (size_t seen = 0; seen + 1 < static_cast<size_t>(removed.number) && at < nodes_.size();
         ++at) {
      seen += nodes_[at].core != kNone && shows[at];
    }
    size_t left = removed.offset;
    for (; at < nodes_.size(); ++at) {
      Node& node = nodes_[at];
      if (!shows[at]) {
        if (left == 0) break;
        continue;
      }
      if (node.core != kNone) break;
      if (node.cut != kNone && Contains(ids, node.cut)) continue;
      if (left == 0) break;
      if (left < node.text.size()) {
        Node rest = node;
        rest.text.erase(0, left);
        node.text.resize(left);
        nodes_.insert(nodes_.begin() + static_cast<std::ptrdiff_t>(at + 1), std::move(rest));
        ++at;
        break;
      }
      left -= node.text.size();
    }
    std::vector<Node> going;
    if (lead > 0) going.push_back({removed.text.substr(0, lead), kNone, id});
    going.push_back({std::string(core), id});
    if (lead + core.size() < removed.text.size()) {
      going.push_back({removed.text.substr(lead + core.size()), kNone, id});
    }
    // Where the count ends among entries not in this version, its place
    // among them is the first that leaves what is there as it is: text
    // that goes with one of them must not come back with this entry.
    const std::vector<bool> there = Shows(false);
    entries_[id].shown = true;
    const auto insert = [&](size_t place) {
      nodes_.insert(nodes_.begin() + static_cast<std::ptrdiff_t>(place), going.begin(), going.end());
    };
    size_t place = at;
    for (; place < nodes_.size() && !there[place]; ++place) {
      insert(place);
      std::vector<bool> after = Shows(false);
      after.erase(after.begin() + static_cast<std::ptrdiff_t>(place),
                  after.begin() + static_cast<std::ptrdiff_t>(place + going.size()));
      nodes_.erase(nodes_.begin() + static_cast<std::ptrdiff_t>(place),
                   nodes_.begin() + static_cast<std::ptrdiff_t>(place + going.size()));
      if (after == there) break;
    }
    insert(place);
    ids.push_back(id);
  }
}

std::string Timeline::ComingWith(size_t at, const std::vector<bool>& before,
                                 const std::vector<bool>& after, bool forward,
                                 const std::vector<size_t>& going) const {
  std::string text;
  for (size_t i = at; forward ? ++i < nodes_.size() : i-- > 0;) {
    const Node& node = nodes_[i];
    if (before[i] || (node.core != kNone && after[i])) break;
    // What went with another entry coming back comes with that one.
    if (!after[i] || (node.cut != nodes_[at].core && Contains(going, node.cut))) continue;
    if (forward) {
      text += nodes_[i].text;
    } else {
      text.insert(0, nodes_[i].text);
    }
  }
  return text;
}

std::vector<RemovedEntry> Timeline::PutBack(size_t record, size_t batch) const {
  const std::vector<size_t>& ids = batches_.at({record, batch});
  const std::vector<bool> before = Shows(true);
  const std::vector<bool> after =
      Shows([&](size_t id) { return entries_[id].now || Contains(ids, id); });
  std::vector<RemovedEntry> entries;
  int number = 0;
  // The text there since the entry before (there now or going in), as
  // Route::InsertEntries counts it: what comes back with an entry, before
  // and after its own text, is not counted.
  size_t passed = 0;
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const Node& node = nodes_[i];
    if (node.core != kNone && after[i] && !before[i]) {
      entries.push_back({number + 1,
                         ComingWith(i, before, after, false, ids) + node.text +
                             ComingWith(i, before, after, true, ids),
                         passed});
    }
    if (node.core != kNone && after[i]) {
      ++number;
      passed = 0;
    } else if (before[i]) {
      passed += node.text.size();
    }
  }
  return entries;
}

std::vector<bool> Timeline::Find(size_t record, size_t batch) const {
  const std::vector<size_t>& ids = batches_.at({record, batch});
  std::vector<bool> marked;
  for (const Node& node : nodes_) {
    if (node.core != kNone && entries_[node.core].now) marked.push_back(Contains(ids, node.core));
  }
  return marked;
}

void Timeline::Shown(size_t record, size_t batch) {
  for (size_t id : batches_.at({record, batch})) entries_[id].now = true;
}

void Timeline::Hidden(size_t record, size_t batch, const std::vector<RemovedEntry>& removed) {
  // The batch's entries, in the order of the file, are those taken out.
  std::vector<size_t> ids;
  for (const Node& node : nodes_) {
    if (node.core != kNone && Contains(batches_.at({record, batch}), node.core)) {
      ids.push_back(node.core);
    }
  }
  for (size_t i = 0; i < ids.size() && i < removed.size(); ++i) {
    if (!TakeAround(ids[i], removed[i].text, true)) {
      batches_.clear();
      return;
    }
    entries_[ids[i]].now = false;
  }
}

}  // namespace route
