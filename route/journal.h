// The journal of a route's clearing jobs, Rastolin_backups\journal.txt:
// what each job took out of the route and where it put it, so that the job
// can be undone. It is UTF-8 text, only ever appended to, one event a line.
// Each line holds the id of its job's record, the kind of event and its
// fields, separated by tabs; a tab, CR, LF or backslash inside a field is
// written \t, \r, \n or \\. Paths are relative to the route folder. A line
// ends with its check value, "#" and eight hex digits: a line whose value
// does not fit was changed after it was written, and is not read.
//
//   <id> job <time> <job>       the record begins (after a blank line)
//   <id> restores <id>...       a restore: the records it undoes
//   <id> undo <id>              a restore: the lines that follow undo that record
//   <id> removed <batch> <number> <offset> <text> <before> <after>
//   <id> added <batch> <number> <offset> <text> <before> <after>
//                               an entry taken out of or put into the .ref:
//                               its number (from 1) then, the characters before
//                               it that stood between it and the entry before,
//                               its text as in the file, and the fingerprints of
//                               the entries it stood between (empty at either
//                               end); one batch went at once
//   <id> move <from> <to>       a file is about to move
//   <id> return <from> <to>     a job that could not finish moves a file back
//   <id> done | failed          how that move went
//   <id> deleted <path>         a file deleted (a shape's .thm, or a backup
//                               copy the same as the file in its place)
//   <id> ref <after> <before>   the .ref holding bytes of fingerprint <before>
//                               is about to be replaced by bytes of <after>
//   <id> applied                the .ref holds the entry changes above
//   <id> unapplied              the write did not take place
//   <id> notdone                the job gave up: its files went back
//   <id> complete               the job ended
//
// A record is begun at the job's first event, so that each line goes to the
// system before what it tells of happens; a job cut short leaves its record
// without "complete". A line cut short (without its LF) is not read. A write
// cut short is settled by the next writer of the .ref, which compares the
// .ref with both fingerprints before it writes.
//
// Journals written before check values, neighbours and the fingerprint
// before a write (a ref line of "<size> <hash>") are read as they stand.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "route/fingerprint.h"
#include "route/route.h"

namespace route {

inline constexpr std::string_view kJournalName = "journal.txt";

// The entries one step of a job took out of the route or put in.
struct JournalBatch {
  bool added = false;
  std::string undoing;  // in a restore, the record this step undoes
  std::vector<RemovedEntry> entries;
  bool applied = false;  // the .ref was written with it
  // The write that applied it (Journal::writes); none for one taken over
  // from a restore cut short, which no write of its own applied.
  std::optional<size_t> write;
};

struct JournalMove {
  enum class Outcome { kUnknown, kDone, kFailed };
  std::string from;
  std::string to;
  Outcome outcome = Outcome::kUnknown;  // unknown when the job was cut short right then
  bool returned = false;                // the job gave up and moved it back
  std::string undoing;                  // in a restore, the record it undoes
};

struct JournalRecord {
  std::string id;
  std::string time;
  std::string job;
  std::vector<std::string> restores;
  std::vector<JournalBatch> batches;
  std::vector<JournalMove> moves;
  bool not_done = false;  // it gave up, moving its files back
  bool complete = false;
};

// One write of the .ref, in the order the journal tells of them.
struct JournalWrite {
  enum class State { kUnsettled, kApplied, kUnapplied };
  size_t record;                       // in Journal::records
  std::optional<Fingerprint> before;   // not in journals of old
  Fingerprint after;
  size_t first_batch = 0, end_batch = 0;  // the record's batches it was to apply
  State state = State::kUnsettled;
};

struct Journal {
  std::vector<JournalRecord> records;  // in the order they began
  std::vector<JournalWrite> writes;
  int unread_lines = 0;  // lines that are no event of a record
  int failed_checks = 0;  // lines whose check value does not fit
  bool ends_in_line_break = true;
};

// The records of a journal's text. A line that does not read as an event of
// a record begun before it (one mended by hand, the rest of one cut short)
// is counted and left out; so is a line whose check value does not fit, or
// a line without one in a record whose lines have them.
Journal ReadJournal(std::string_view text);

// A .ref now holding bytes of this fingerprint: the writes not settled that
// were to give it took place, and their batches were applied; those that
// found it so did not.
void ConfirmWrites(Journal& journal, const Fingerprint& ref);

// Settles, in the journal at `path`, the writes that a job cut short left
// unsettled, by what the .ref holds now (`ref`): "applied" where it holds
// what the write was to give, "unapplied" where it still holds what the
// write found. False when such a line could not be appended.
bool SettleWrites(platform::FileSystem& files, const std::string& path, const Fingerprint& ref);

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
  // job cut short. A job ended by an error before it completed cannot
  // finish: the files it moved go back (Route::UndoJob).
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
  void Returning(const std::string& from, const std::string& to);
  void Moved(bool done);
  void Deleted(const std::string& path);
  void WritingRef(const Fingerprint& before, const Fingerprint& after);
  void Applied();
  void Unapplied();
  void NotDone();
  // The last line; everything written is flushed to the disk. Nothing is
  // written for a job that recorded nothing; a job whose journal cannot
  // take the line stays one cut short, which restore undoes as well.
  void Complete();

 private:
  void Line(std::string_view kind, const std::vector<std::string_view>& fields);
  [[noreturn]] void Refuse() const;

  Route& route_;
  const std::string job_;
  const std::string id_;
  std::unique_ptr<platform::AppendFile> file_;
  bool begun_ = false;
  bool complete_ = false;
  int batches_ = 0;
  const int exceptions_;
};

}  // namespace route
