#include "route/journal.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <unordered_map>

#include "core/error.h"

namespace route {
namespace {

void AppendEscaped(std::string& line, std::string_view value) {
  for (char c : value) {
    switch (c) {
      case '\\':
        line += "\\\\";
        break;
      case '\t':
        line += "\\t";
        break;
      case '\r':
        line += "\\r";
        break;
      case '\n':
        line += "\\n";
        break;
      default:
        line += c;
    }
  }
}

std::optional<std::string> Unescaped(std::string_view field) {
  std::string value;
  value.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      value += field[i];
      continue;
    }
    if (++i == field.size()) return std::nullopt;
    switch (field[i]) {
      case '\\':
        value += '\\';
        break;
      case 't':
        value += '\t';
        break;
      case 'r':
        value += '\r';
        break;
      case 'n':
        value += '\n';
        break;
      default:
        return std::nullopt;
    }
  }
  return value;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size();
}

std::string LocalTime() {
  const std::time_t now = std::time(nullptr);
  char text[32] = "";
  if (const std::tm* local = std::localtime(&now)) {
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
  }
  return text;
}

std::string NewId() {
  std::random_device random;
  const uint64_t value = (uint64_t{random()} << 32 ^ random()) & 0xFFFFFFFFFFFFull;
  char text[16];
  std::snprintf(text, sizeof text, "%012llx", static_cast<unsigned long long>(value));
  return text;
}

// What reading a record needs beyond the record itself.
struct Reading {
  JournalRecord* record;
  std::string undoing = {};
  std::optional<size_t> awaiting = {};  // the move whose outcome comes next
  std::unordered_map<int, size_t> batch_at = {};
  size_t applied = 0;  // the batches before this one are applied
  std::optional<Fingerprint> writing = {};
  size_t writing_batches = 0;
};

// Reads one event of a begun record; false when the line is none.
bool ReadEvent(Reading& reading, std::string_view kind, const std::vector<std::string>& fields) {
  JournalRecord& record = *reading.record;
  auto count = [&fields](size_t n) { return fields.size() == n; };
  if (kind == "restores") {
    if (fields.empty()) return false;
    record.restores.insert(record.restores.end(), fields.begin(), fields.end());
  } else if (kind == "undo" && count(1)) {
    reading.undoing = fields[0];
  } else if ((kind == "removed" || kind == "added") && count(4)) {
    int batch = 0;
    RemovedEntry entry{0, fields[3], 0};
    if (!ParseNumber(fields[0], batch) || !ParseNumber(fields[1], entry.number) ||
        entry.number < 1 || !ParseNumber(fields[2], entry.offset)) {
      return false;
    }
    const bool added = kind == "added";
    auto [at, is_new] = reading.batch_at.try_emplace(batch, record.batches.size());
    if (is_new) {
      record.batches.push_back({added, reading.undoing, {}, false});
    } else if (record.batches[at->second].added != added || at->second < reading.applied) {
      return false;
    }
    record.batches[at->second].entries.push_back(std::move(entry));
  } else if (kind == "move" && count(2)) {
    reading.awaiting = record.moves.size();
    record.moves.push_back({fields[0], fields[1]});
    return true;
  } else if ((kind == "done" || kind == "failed") && count(0) && reading.awaiting) {
    record.moves[*reading.awaiting].outcome =
        kind == "done" ? JournalMove::Outcome::kDone : JournalMove::Outcome::kFailed;
  } else if (kind == "deleted" && count(1)) {
    // A deleted file cannot come back: the line only tells of it.
  } else if (kind == "ref" && count(2)) {
    Fingerprint fingerprint;
    if (!ParseNumber(fields[0], fingerprint.size) || !ParseNumber(fields[1], fingerprint.hash)) {
      return false;
    }
    reading.writing = fingerprint;
    reading.writing_batches = record.batches.size();
  } else if (kind == "applied" && count(0)) {
    for (size_t i = reading.applied; i < record.batches.size(); ++i)
      record.batches[i].applied = true;
    reading.applied = record.batches.size();
    reading.writing.reset();
  } else if (kind == "complete" && count(0)) {
    record.complete = true;
  } else {
    return false;
  }
  // An outcome follows its move at once.
  reading.awaiting.reset();
  return true;
}

}  // namespace

Fingerprint Fingerprint::Of(std::string_view bytes) {
  Fingerprint fingerprint{bytes.size(), 0x9E3779B97F4A7C15ull ^ bytes.size()};
  uint64_t& hash = fingerprint.hash;
  auto mix = [&hash](uint64_t word) {
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 32;
  };
  size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    mix(word);
  }
  uint64_t last = 0;
  std::memcpy(&last, bytes.data() + i, bytes.size() - i);
  mix(last);
  return fingerprint;
}

Journal ReadJournal(std::string_view text) {
  Journal journal;
  // Records grow while they are read: they are gathered apart, then moved.
  std::vector<std::unique_ptr<JournalRecord>> records;
  std::unordered_map<std::string, Reading> readings;
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1) {
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty()) continue;
    fields.clear();
    bool read = true;
    for (size_t from = 0; read && from <= line.size();) {
      const size_t tab = std::min(line.find('\t', from), line.size());
      std::optional<std::string> field = Unescaped(line.substr(from, tab - from));
      read = field.has_value();
      if (read) fields.push_back(std::move(*field));
      from = tab + 1;
    }
    if (read && fields.size() >= 2) {
      const std::string id = fields[0], kind = fields[1];
      fields.erase(fields.begin(), fields.begin() + 2);
      auto reading = readings.find(id);
      if (kind == "job") {
        read = reading == readings.end() && fields.size() == 2 && !id.empty();
        if (read) {
          records.push_back(std::make_unique<JournalRecord>());
          JournalRecord& record = *records.back();
          record.id = id;
          record.time = fields[0];
          record.job = fields[1];
          readings.emplace(id, Reading{&record});
        }
      } else {
        read = reading != readings.end() && ReadEvent(reading->second, kind, fields);
      }
    } else {
      read = false;
    }
    if (!read) ++journal.unread_lines;
  }
  for (auto& [id, reading] : readings) {
    if (reading.writing && reading.writing_batches > reading.applied) {
      reading.record->unconfirmed = reading.writing;
      reading.record->unconfirmed_batches = reading.writing_batches;
    }
  }
  journal.records.reserve(records.size());
  for (auto& record : records) journal.records.push_back(std::move(*record));
  return journal;
}

void ConfirmWrites(Journal& journal, const Fingerprint& ref) {
  for (JournalRecord& record : journal.records) {
    if (record.unconfirmed != ref) continue;
    for (size_t i = 0; i < record.unconfirmed_batches; ++i) record.batches[i].applied = true;
    record.unconfirmed.reset();
  }
}

JobRecord::JobRecord(Route& route, std::string job)
    : route_(route), job_(std::move(job)), id_(NewId()) {
  route_.record_ = this;
  route_.folders_in_route_.clear();
}

JobRecord::~JobRecord() {
  route_.record_ = nullptr;
  route_.folders_in_route_.clear();
  if (file_) file_->Flush();
}

void JobRecord::Open() {
  if (file_) return;
  const std::string path = route_.JournalPath();
  route_.RefuseIfLeavingRoute(path);
  file_ = route_.services_.files.OpenAppend(path);
  if (!file_) Refuse();
}

void JobRecord::Refuse() const {
  throw core::Error(
      route_.services_.language.Format(core::Msg::JournalNotWritable, route_.JournalPath()));
}

void JobRecord::Line(std::string_view kind, const std::vector<std::string_view>& fields) {
  Open();
  if (!begun_) {
    // The blank line ends a line that a crash may have cut short.
    std::string start = "\n" + id_ + "\tjob\t";
    AppendEscaped(start, LocalTime());
    start += '\t';
    AppendEscaped(start, job_);
    if (!file_->Append(start + "\n")) Refuse();
    begun_ = true;
  }
  std::string line = id_;
  line += '\t';
  line += kind;
  for (std::string_view field : fields) {
    line += '\t';
    AppendEscaped(line, field);
  }
  line += '\n';
  if (!file_->Append(line)) Refuse();
}

void JobRecord::Restores(const std::vector<std::string>& ids) {
  Line("restores", std::vector<std::string_view>(ids.begin(), ids.end()));
}

void JobRecord::Undoing(const std::string& id) { Line("undo", {id}); }

void JobRecord::Entries(bool added, const std::vector<RemovedEntry>& entries) {
  if (entries.empty()) return;
  const std::string batch = std::to_string(batches_++);
  for (const RemovedEntry& entry : entries) {
    Line(added ? "added" : "removed",
         {batch, std::to_string(entry.number), std::to_string(entry.offset), entry.text});
  }
}

void JobRecord::Moving(const std::string& from, const std::string& to) { Line("move", {from, to}); }

void JobRecord::Moved(bool done) { Line(done ? "done" : "failed", {}); }

void JobRecord::Deleted(const std::string& path) { Line("deleted", {path}); }

void JobRecord::WritingRef(const Fingerprint& fingerprint) {
  Line("ref", {std::to_string(fingerprint.size), std::to_string(fingerprint.hash)});
}

void JobRecord::Applied() { Line("applied", {}); }

void JobRecord::Complete() {
  if (!begun_) return;
  Line("complete", {});
  file_->Flush();
}

}  // namespace route
