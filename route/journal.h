// The journal of a route's clearing jobs, Rastolin_backups\journal.txt:
// what each job took out of the route and where it put it, so that the job
// can be undone. It is UTF-8 text, only ever appended to, one event a line.
// Each line holds the id of its job's record, the kind of event and its
// fields, separated by tabs; a tab, CR, LF or backslash inside a field is
// written \t, \r, \n or \\. Paths are relative to the route folder.
//
//   <id> job <time> <job>       the record begins (after a blank line)
//   <id> restores <id>...       a restore: the records it undoes
//   <id> undo <id>              a restore: the lines that follow undo that record
//   <id> removed <batch> <number> <offset> <text>
//   <id> added <batch> <number> <offset> <text>
//                               an entry taken out of or put into the .ref:
//                               its number (from 1) then, the characters before
//                               it that stood between it and the entry before,
//                               its text as in the file; one batch went at once
//   <id> move <from> <to>       a file is about to move
//   <id> done | failed          how that move went
//   <id> deleted <path>         a file deleted (a shape's .thm)
//   <id> ref <size> <hash>      the .ref is about to be replaced by bytes of
//                               this fingerprint
//   <id> applied                the .ref holds the entry changes above
//   <id> complete               the job ended
//
// A record is begun at the job's first event, so that each line goes to the
// system before what it tells of happens; a job cut short leaves its record
// without "complete". A line cut short (without its LF) is not read.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "route/route.h"

namespace route {

inline constexpr std::string_view kJournalName = "journal.txt";

// What tells the bytes a .ref was written with from others.
struct Fingerprint {
  uint64_t size = 0;
  uint64_t hash = 0;

  static Fingerprint Of(std::string_view bytes);
  friend bool operator==(const Fingerprint&, const Fingerprint&) = default;
};

// The entries one step of a job took out of the route or put in.
struct JournalBatch {
  bool added = false;
  std::string undoing;  // in a restore, the record this step undoes
  std::vector<RemovedEntry> entries;
  bool applied = false;  // the .ref was written with it
};

struct JournalMove {
  enum class Outcome { kUnknown, kDone, kFailed };
  std::string from;
  std::string to;
  Outcome outcome = Outcome::kUnknown;  // unknown when the job was cut short right then
};

struct JournalRecord {
  std::string id;
  std::string time;
  std::string job;
  std::vector<std::string> restores;
  std::vector<JournalBatch> batches;
  std::vector<JournalMove> moves;
  // A .ref write begun after the last one known to have ended: the
  // fingerprint it was to have, and how many batches it was to hold.
  std::optional<Fingerprint> unconfirmed;
  size_t unconfirmed_batches = 0;
  bool complete = false;
};

struct Journal {
  std::vector<JournalRecord> records;  // in the order they began
  int unread_lines = 0;                // lines that are no event of a record
};

// The records of a journal's text. A line that does not read as an event of
// a record begun before it (one mended by hand, the rest of one cut short)
// is counted and left out.
Journal ReadJournal(std::string_view text);

// A .ref now holding these bytes: the writes begun with this fingerprint
// took place, and their batches were applied.
void ConfirmWrites(Journal& journal, const Fingerprint& ref);

// Records one job on a route in the route's journal, from its making until
// it is destroyed: the route reports each file it moves or deletes, the
// entries it takes out or puts in and its .ref writes. Every line reaches
// the system before the change it tells of; a line that cannot be written
// throws core::Error, and the change is not made.
class JobRecord {
 public:
  // `job` names the job in the record: deldup, delunex, delentry,
  // delunused, delnotinref or restore.
  JobRecord(Route& route, std::string job);
  // Puts what was written on the disk. A record not completed stays as a
  // job cut short.
  ~JobRecord();
  JobRecord(const JobRecord&) = delete;
  JobRecord& operator=(const JobRecord&) = delete;

  const std::string& id() const { return id_; }
  // Opens the journal, making it when missing, so that a job can refuse
  // before it changes anything.
  void Open();

  void Restores(const std::vector<std::string>& ids);
  void Undoing(const std::string& id);
  void Entries(bool added, const std::vector<RemovedEntry>& entries);
  void Moving(const std::string& from, const std::string& to);
  void Moved(bool done);
  void Deleted(const std::string& path);
  void WritingRef(const Fingerprint& fingerprint);
  void Applied();
  // The last line; everything written is flushed to the disk. Nothing is
  // written for a job that recorded nothing.
  void Complete();

 private:
  void Line(std::string_view kind, const std::vector<std::string_view>& fields);
  [[noreturn]] void Refuse() const;

  Route& route_;
  const std::string job_;
  const std::string id_;
  std::unique_ptr<platform::AppendFile> file_;
  bool begun_ = false;
  int batches_ = 0;
};

}  // namespace route
