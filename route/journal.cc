#include "route/journal.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <random>
#include <unordered_map>

#include "core/error.h"
#include "route/fingerprint.h"

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

// The check value that ends a line: "#" and eight hex digits of the hash
// of the text before it.
std::string CheckValue(std::string_view line) {
  char text[12];
  std::snprintf(text, sizeof text, "#%08x",
                static_cast<unsigned>(Fingerprint::Of(line).hash & 0xFFFFFFFFu));
  return text;
}

bool LooksLikeCheckValue(std::string_view field) {
  return field.size() == 9 && field[0] == '#' &&
         field.find_first_not_of("0123456789abcdef", 1) == std::string_view::npos;
}

// What reading a record needs beyond the record itself.
struct Reading {
  JournalRecord* record;
  size_t index;  // of the record
  bool checked = false;  // its lines carry check values
  std::string undoing = {};
  std::optional<size_t> awaiting = {};  // the move whose outcome comes next
  bool awaiting_return = false;         // that outcome is of a move back
  std::unordered_map<int, size_t> batch_at = {};
  size_t applied = 0;  // the batches before this one are applied, or dead
  std::optional<size_t> writing = {};  // the write begun and not settled
};

std::optional<std::optional<Fingerprint>> Neighbour(std::string_view text) {
  if (text.empty()) return std::optional<Fingerprint>();
  std::optional<Fingerprint> fingerprint = Fingerprint::Parse(text);
  if (!fingerprint) return std::nullopt;
  return fingerprint;
}

// Settles the write begun last: its batches are applied, or dead.
void Settle(Journal& journal, Reading& reading, JournalWrite::State state) {
  JournalRecord& record = *reading.record;
  std::optional<size_t> write = reading.writing;
  if (write) journal.writes[*write].state = state;
  for (size_t i = reading.applied; i < record.batches.size(); ++i) {
    record.batches[i].applied = state == JournalWrite::State::kApplied;
    if (state == JournalWrite::State::kApplied) record.batches[i].write = write;
  }
  reading.applied = record.batches.size();
  reading.writing.reset();
}

// Reads one event of a begun record; false when the line is none.
bool ReadEvent(Journal& journal, Reading& reading, std::string_view kind,
               const std::vector<std::string>& fields) {
  JournalRecord& record = *reading.record;
  auto count = [&fields](size_t n) { return fields.size() == n; };
  if (kind == "restores") {
    if (fields.empty()) return false;
    record.restores.insert(record.restores.end(), fields.begin(), fields.end());
  } else if (kind == "undo" && count(1)) {
    reading.undoing = fields[0];
  } else if ((kind == "removed" || kind == "added") && (count(4) || count(6))) {
    int batch = 0;
    RemovedEntry entry{0, fields[3], 0};
    if (!ParseNumber(fields[0], batch) || !ParseNumber(fields[1], entry.number) ||
        entry.number < 1 || !ParseNumber(fields[2], entry.offset)) {
      return false;
    }
    if (count(6)) {
      const auto before = Neighbour(fields[4]), after = Neighbour(fields[5]);
      if (!before || !after) return false;
      entry.before = *before;
      entry.after = *after;
    }
    const bool added = kind == "added";
    auto [at, is_new] = reading.batch_at.try_emplace(batch, record.batches.size());
    if (is_new) {
      record.batches.push_back({added, reading.undoing, {}, false, {}});
    } else if (record.batches[at->second].added != added || at->second < reading.applied) {
      return false;
    }
    record.batches[at->second].entries.push_back(std::move(entry));
  } else if ((kind == "move" || kind == "return") && count(2)) {
    reading.awaiting_return = kind == "return";
    if (reading.awaiting_return) {
      // The latest move of those paths.
      reading.awaiting.reset();
      for (size_t i = record.moves.size(); i-- > 0;) {
        if (record.moves[i].from == fields[0] && record.moves[i].to == fields[1]) {
          reading.awaiting = i;
          break;
        }
      }
      return reading.awaiting.has_value();
    }
    reading.awaiting = record.moves.size();
    record.moves.push_back({fields[0], fields[1], JournalMove::Outcome::kUnknown, false,
                            reading.undoing});
    return true;
  } else if ((kind == "done" || kind == "failed") && count(0) && reading.awaiting) {
    JournalMove& move = record.moves[*reading.awaiting];
    if (reading.awaiting_return) {
      move.returned = kind == "done";
    } else {
      move.outcome = kind == "done" ? JournalMove::Outcome::kDone : JournalMove::Outcome::kFailed;
    }
  } else if (kind == "deleted" && count(1)) {
    // A deleted file cannot come back: the line only tells of it.
  } else if (kind == "ref" && count(2)) {
    JournalWrite write{reading.index, {}, {}, reading.applied, record.batches.size()};
    if (const std::optional<Fingerprint> after = Fingerprint::Parse(fields[0])) {
      const std::optional<Fingerprint> before = Fingerprint::Parse(fields[1]);
      if (!before) return false;
      write.after = *after;
      write.before = *before;
    } else if (!ParseNumber(fields[0], write.after.size) ||
               !ParseNumber(fields[1], write.after.hash)) {
      return false;
    }
    reading.writing = journal.writes.size();
    journal.writes.push_back(write);
  } else if (kind == "applied" && count(0)) {
    Settle(journal, reading, JournalWrite::State::kApplied);
  } else if (kind == "unapplied" && count(0) && reading.writing) {
    Settle(journal, reading, JournalWrite::State::kUnapplied);
  } else if (kind == "notdone" && count(0)) {
    record.not_done = true;
  } else if (kind == "complete" && count(0)) {
    record.complete = true;
  } else {
    return false;
  }
  // An outcome follows its move at once.
  reading.awaiting.reset();
  return true;
}

// Appends the check value to a line without its LF.
void EndLine(std::string& line) {
  const std::string check = CheckValue(line);
  line += '\t';
  line += check;
  line += '\n';
}

}  // namespace

Journal ReadJournal(std::string_view text) {
  Journal journal;
  journal.ends_in_line_break = text.empty() || text.back() == '\n';
  // Records grow while they are read: they are gathered apart, then moved.
  std::vector<std::unique_ptr<JournalRecord>> records;
  std::unordered_map<std::string, Reading> readings;
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1) {
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty()) continue;
    // The check value covers the line's text as written.
    const size_t tab = line.rfind('\t');
    const bool checked = tab != std::string_view::npos && LooksLikeCheckValue(line.substr(tab + 1));
    if (checked) {
      if (CheckValue(line.substr(0, tab)) != line.substr(tab + 1)) {
        ++journal.failed_checks;
        continue;
      }
      line = line.substr(0, tab);
    }
    fields.clear();
    bool read = true;
    for (size_t from = 0; read && from <= line.size();) {
      const size_t next = std::min(line.find('\t', from), line.size());
      std::optional<std::string> field = Unescaped(line.substr(from, next - from));
      read = field.has_value();
      if (read) fields.push_back(std::move(*field));
      from = next + 1;
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
          readings.emplace(id, Reading{&record, records.size() - 1, checked});
        }
      } else if (reading != readings.end() && reading->second.checked && !checked) {
        // A line of a checked record that lost its check value.
        ++journal.failed_checks;
        continue;
      } else {
        read = reading != readings.end() && ReadEvent(journal, reading->second, kind, fields);
      }
    } else {
      read = false;
    }
    if (!read) ++journal.unread_lines;
  }
  journal.records.reserve(records.size());
  for (auto& record : records) journal.records.push_back(std::move(*record));
  return journal;
}

void ConfirmWrites(Journal& journal, const Fingerprint& ref) {
  // Only the last write of a record can be unsettled: the job wrote again
  // only after the one before ended.
  for (JournalWrite& write : journal.writes) {
    if (write.state != JournalWrite::State::kUnsettled) continue;
    if (write.after == ref) {
      write.state = JournalWrite::State::kApplied;
    } else if (write.before == ref) {
      write.state = JournalWrite::State::kUnapplied;
    } else {
      continue;
    }
    JournalRecord& record = journal.records[write.record];
    for (size_t i = write.first_batch; i < write.end_batch; ++i) {
      record.batches[i].applied = write.state == JournalWrite::State::kApplied;
      if (record.batches[i].applied) record.batches[i].write = &write - journal.writes.data();
    }
  }
}

bool SettleWrites(platform::FileSystem& files, const std::string& path, const Fingerprint& ref) {
  const std::optional<std::string> text = files.ReadFile(path);
  if (!text) return true;
  const Journal journal = ReadJournal(*text);
  std::string lines = journal.ends_in_line_break ? "" : "\n";
  for (const JournalWrite& write : journal.writes) {
    if (write.state != JournalWrite::State::kUnsettled) continue;
    const char* kind = write.after == ref      ? "applied"
                       : write.before == ref ? "unapplied"
                                             : nullptr;
    if (!kind) continue;
    std::string line;
    AppendEscaped(line, journal.records[write.record].id);
    line += '\t';
    line += kind;
    EndLine(line);
    lines += line;
  }
  if (lines.size() <= 1) return true;
  const std::unique_ptr<platform::AppendFile> file = files.OpenAppend(path);
  return file && file->Append(lines) && file->Flush();
}

JobRecord::JobRecord(Route& route, std::string job)
    : route_(route), job_(std::move(job)), id_(NewId()), exceptions_(std::uncaught_exceptions()) {
  route_.record_ = this;
  route_.folders_in_route_.clear();
  route_.job_moves_.clear();
}

JobRecord::~JobRecord() {
  if (!complete_ && std::uncaught_exceptions() > exceptions_ && !route_.job_moves_.empty()) {
    const bool all_back = route_.UndoJob();
    route_.services_.log.AddFailure(route_.services_.language[
        all_back ? core::Msg::JobNotDone : core::Msg::JobNotDoneFilesLeft]);
  }
  route_.record_ = nullptr;
  route_.folders_in_route_.clear();
  if (file_) file_->Flush();
}

void JobRecord::Open() {
  if (file_) return;
  const std::string path = route_.JournalPath();
  route_.RefuseIfLeavingRoute(path);
  platform::FileSystem& files = route_.services_.files;
  // Appended to through another name, a file elsewhere would grow.
  if (const std::optional<platform::FileStamp> stamp = files.Stamp(path); stamp && stamp->links > 1) {
    throw core::Error(route_.services_.language.Format(core::Msg::HardLinked, path));
  }
  file_ = files.OpenAppend(path);
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
    std::string start = id_ + "\tjob\t";
    AppendEscaped(start, LocalTime());
    start += '\t';
    AppendEscaped(start, job_);
    EndLine(start);
    if (!file_->Append("\n" + start)) Refuse();
    begun_ = true;
  }
  std::string line = id_;
  line += '\t';
  line += kind;
  for (std::string_view field : fields) {
    line += '\t';
    AppendEscaped(line, field);
  }
  EndLine(line);
  if (!file_->Append(line)) Refuse();
}

void JobRecord::Restores(const std::vector<std::string>& ids) {
  Line("restores", std::vector<std::string_view>(ids.begin(), ids.end()));
}

void JobRecord::Undoing(const std::string& id) { Line("undo", {id}); }

void JobRecord::Entries(bool added, const std::vector<RemovedEntry>& entries) {
  if (entries.empty()) return;
  const std::string batch = std::to_string(batches_++);
  const auto neighbour = [](const std::optional<Fingerprint>& fingerprint) {
    return fingerprint ? fingerprint->Text() : std::string();
  };
  for (const RemovedEntry& entry : entries) {
    Line(added ? "added" : "removed",
         {batch, std::to_string(entry.number), std::to_string(entry.offset), entry.text,
          neighbour(entry.before), neighbour(entry.after)});
  }
}

void JobRecord::Moving(const std::string& from, const std::string& to) { Line("move", {from, to}); }

void JobRecord::Returning(const std::string& from, const std::string& to) {
  Line("return", {from, to});
}

void JobRecord::Moved(bool done) { Line(done ? "done" : "failed", {}); }

void JobRecord::Deleted(const std::string& path) { Line("deleted", {path}); }

void JobRecord::WritingRef(const Fingerprint& before, const Fingerprint& after) {
  Line("ref", {after.Text(), before.Text()});
}

void JobRecord::Applied() { Line("applied", {}); }

void JobRecord::Unapplied() { Line("unapplied", {}); }

void JobRecord::NotDone() { Line("notdone", {}); }

void JobRecord::Complete() {
  complete_ = true;
  if (!begun_) return;
  // The job is done: a record that cannot say so stays one cut short.
  try {
    Line("complete", {});
  } catch (const core::Error&) {
  }
  file_->Flush();
}

}  // namespace route
