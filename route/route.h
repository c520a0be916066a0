// A route of the MSTS installation: its folder, its .ref file and, once
// read, the entries of that file. Everything done to a route (adding,
// clearing, comparing) goes through one of these.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/language.h"
#include "core/log.h"
#include "core/ui.h"
#include "platform/file_system.h"
#include "route/fingerprint.h"
#include "route/shape.h"

namespace route {

class JobRecord;

// What a route's operations use: the disk, the message table, the log they
// report to and a person to ask.
struct Services {
  platform::FileSystem& files;
  const core::Language& language;
  core::Log& log;
  core::Ui& ui;
};

// Reads the textures a shape names, in whatever form the shape is stored.
class ShapeReader {
 public:
  virtual ~ShapeReader() = default;
  // The names of the shape's images block, in order; nothing, with `why`,
  // when the shape cannot be read.
  virtual std::optional<std::vector<std::string>> ImageNames(const std::string& path,
                                                             std::string& why) = 0;
};

// The shapes staying in the route that use a texture, named in the log
// after the texture leaves, so that the user knows what a restore would
// give back to them.
class TextureWearers {
 public:
  virtual ~TextureWearers() = default;
  // As their file names in SHAPES\, in order; none when no such shape uses
  // the texture (a name as a shape's images block gives it).
  virtual std::vector<std::string> Wearing(const std::string& texture) = 0;
};

// An entry taken out of a route, with what puts it back where it stood
// (Route::InsertEntry).
struct RemovedEntry {
  int number;        // its number before the removal
  std::string text;  // its text as it stood in the file
  // The characters that stood between it and the entry before it (or the
  // header line); they stay in the file.
  size_t offset;
  // The texts of the entries it stood between, none at either end of the
  // file, so that it can go back between them wherever they stand then.
  std::optional<Fingerprint> before = {}, after = {};
};

// Route::InRoute for the route in `route_folder`.
bool InRouteFolder(const platform::FileSystem& files, const std::string& route_folder,
                   const std::string& folder, const std::string& name);

class Route {
 public:
  // Sets the folder (MSTS root + "\ROUTES\" + name + "\") and the .ref path:
  // the file named after the route, or else the first "*.ref" of the folder.
  // Does not read the .ref file; every creator calls ReadRef next. Throws
  // core::Error, touching nothing, for a name that is not a route name
  // (IsRouteName).
  Route(const Services& services, const std::string& name, const std::string& msts_root);

  std::string Name;
  std::string RefPath;
  // The MSTS root the route lies in, as given (C:\MSTS).
  std::string Root;
  std::string Folder;  // always ends with "\"
  // The .ref entries in file order (entry number n is Entries[n - 1]).
  std::vector<Shape> Entries;

  int EntryCount() const { return static_cast<int>(Entries.size()); }

  // True until ReadRef has succeeded. Writing the .ref file of such a route
  // would replace the entries it could not read, so every write refuses.
  bool Unreadable() const { return !read_; }
  // Whether the .ref read held nothing but blanks: a file cut short, or one
  // yet to be written, in which no entry names what the route holds.
  bool EmptyFile() const { return empty_file_; }

  // While one lives, this program is the route's only writer: it holds a
  // lock on the .ref, which the system drops when the program ends, however
  // it ends. Taking it refuses (core::Error),
  // changing nothing, when another program holds it, or when the .ref is no
  // longer what this route read or last wrote (size, time and content).
  // Then what a write cut short left is tidied: the .ref's temporary file,
  // and the journal's writes not settled. Holds nest; the first takes the
  // lock. Every writer takes one after its last question, before it
  // changes anything; WriteRef takes one of its own.
  class Writing {
   public:
    explicit Writing(Route& route);
    ~Writing();
    Writing(const Writing&) = delete;
    Writing& operator=(const Writing&) = delete;

   private:
    Route& route_;
  };

  // Reads RefPath into Entries, each entry keeping the text it was read
  // from, and keeps the text around them. Throws core::Error: "Cannot open
  // file ..." for a file that cannot be opened, a clear message for a
  // compressed or binary one, one that does not open with the SIMIS header
  // or one with a block that does not close (naming the line it begins on);
  // the route then stays unreadable.
  void ReadRef();
  // Appends a "Static" entry holding the shape's properties, set one by one
  // with SetValue, after all the text of the file.
  void AddEntry(const Shape& shape);
  // Takes the marked entries out (entry n is marked[n - 1]): the text of
  // each, and where nothing else stands on its line, the blanks before it
  // and the line break after it; every other character of the file stays
  // where it stands. Every removal of entries goes through here.
  std::vector<RemovedEntry> RemoveEntries(const std::vector<bool>& marked);
  // Puts entries, given as their texts, back in one pass, in the order of
  // their numbers: each as entry number min(number, EntryCount() + 1),
  // after `offset` characters of the text that stands before the entry
  // numbered so (or after the last entry), with the blanks and the line
  // break that its text holds around it. A line break goes before it only
  // where it could not start otherwise. Putting back what RemoveEntries
  // returned gives the file back as it was. A text that is not one whole
  // entry (ParseEntry, its blanks trimmed) is left out; returns how many
  // went in.
  size_t InsertEntries(std::vector<RemovedEntry> entries);
  // Entry index + 1 becomes the edited entry, unless that means the same
  // (type and properties): then it stays as read. Values the edit left as
  // they were keep their form.
  void ReplaceEntry(size_t index, Shape edited);

  // Writes the file to the path (RefPath when empty), replacing it as a
  // whole: the header line as read, then each entry's Text with the text
  // before it, then the text after the last entry. Throws
  // core::Error("Cannot create file ...") when it cannot, leaving the old
  // file; refuses on an unreadable route. Like every write of the route, it
  // refuses a path outside the route's folder, or one that passes through a
  // link leading out of it, before anything is written. The .ref itself is
  // written only while it is what this route read or last wrote.
  //
  // When the .ref of a job being recorded cannot be written, the job gives
  // up: the files it moved go back where they were, the entries are read
  // again from the file, and core::Error says the job was not done.
  void WriteRef(const std::string& path = "");
  // Writes the file to the next free Rastolin_backups\<Name><N>.ref.
  void BackupRef();

  // Writes SHAPES\<shape name without extension>.sd, asking before it
  // replaces one unless overwrite is set.
  void WriteSd(const std::string& shape_name, const Shape& sd_props, bool overwrite);
  // Copies the shape named by the entry's Filename into SHAPES\, then, as
  // asked, appends the entry (naming the bare file) and writes the .ref
  // file, and writes the .sd file. False when the shape was not copied.
  // A line break in what would be written is refused before anything is
  // copied.
  bool AddShape(Shape& entry, const Shape& sd_props, bool add_to_ref, bool create_sd,
                bool overwrite);
  // Copies every texture of a ";"-separated list into TEXTURES\, asking
  // before each replacement. True when every one was copied.
  bool CopyTextures(const std::string& list);
  // Copies a file into Folder + subfolder ("SHAPES\" or "TEXTURES\").
  // Without overwrite an existing target stays as it is. True when the file
  // lies in the route afterwards.
  bool CopyIntoRoute(const std::string& source, const std::string& subfolder, bool overwrite);

  // Clearing. Files leave the route only into Rastolin_backups\ (SHAPES\,
  // TEXTURES\ and its seasonal folders); a name that leads out of the
  // route is never followed, and every file is logged as it fares. Each
  // job checks first (CheckClearing), then moves its files one by one, then
  // writes the .ref file, and only when it removed an entry. While a
  // JobRecord is made for the route, each file moved or deleted, each entry
  // taken out or put in and each .ref write is recorded before it happens.

  // Which entries a job removed: entry n, as numbered before the job, went
  // when removed[n - 1].
  using Removed = std::vector<bool>;

  // Throws core::Error, touching nothing, unless the backup folder (made
  // when missing) and its SHAPES\ and TEXTURES\ folders lie in the route,
  // the journal of a job being recorded can be written and, with
  // writes_ref, the .ref file can be replaced.
  void CheckClearing(bool writes_ref);
  // The entries whose FileName names the file an earlier entry's names (in
  // any letter case, as ComparedName resolves it).
  Removed Duplicates() const;
  // Removes the Duplicates, logging "Deleted " and the name, then writes
  // the .ref file; without duplicates the file is left alone.
  Removed DeleteDuplicates();
  // The Static entries whose shape is missing: from SHAPES\, or from where
  // else in the MSTS root the name leads (ComparedName); a name leading
  // past the root, or through a link out of it, is never looked up. Throws
  // core::Error when SHAPES\ or a folder of it that an entry names cannot
  // be listed: every shape in it would count as missing.
  Removed Nonexistent() const;
  // The same with SHAPES\ listed already: `listed` tells whether it holds
  // a file of a folded name.
  Removed Nonexistent(const std::function<bool(const std::string&)>& listed) const;
  // Removes the Nonexistent entries, logging their names; the caller
  // writes the file. Removes nothing when Nonexistent throws.
  Removed DeleteNonexistent();
  // Removes the marked entries (entry n is marked[n - 1]), after taking
  // their files out of the route as DeleteEntry does; an entry whose shape
  // was to move but could not stays. The caller writes the file.
  Removed DeleteEntries(const std::vector<bool>& marked, bool move_shape_files, bool move_textures,
                        ShapeReader& reader, TextureWearers* wearers = nullptr);
  // Takes the files of a shape (a name relative to SHAPES\) out of the
  // route; the entries stay. With move_shape_files the shape and its .sd
  // (under one number when the backups hold those names), while its .thm,
  // a thumbnail the route editor makes again, is deleted; with
  // move_textures the textures its images block names, with their seasonal
  // copies, each keeping its folder part, each followed in the log by the
  // shapes that still use it, when `wearers` is given. A shape that does
  // not move keeps its textures; a shape or texture that is a link stays.
  // False when the shape was to move and did not.
  bool DeleteEntry(const std::string& file_name, bool move_shape_files, bool move_textures,
                   ShapeReader& reader, TextureWearers* wearers = nullptr);
  // How many files have been moved into Rastolin_backups\ since the route
  // was made.
  int FilesMoved() const { return files_moved_; }
  // Whether folder + name may be read, moved or deleted: the name is a
  // relative one and leads to nothing outside the folder, which lies in
  // the route, and no link on the way leads out of the route. Every file
  // the clearing touches, and every name the route check looks up with a
  // folder part, passes this check.
  bool InRoute(const std::string& folder, const std::string& name) const;

  // Restoring. Where the journal of the clearing jobs lies.
  std::string JournalPath() const;
  enum class Return {
    kMoved,
    kAlreadyBack,
    kCopyDropped,  // the backup was a copy of the file in its place, and is deleted
    kPlaceTaken,
    kMissing,
    kOutside,
    kLink,
    kFailed
  };
  // Moves a file a job moved from `place` to `moved_to` (both relative to
  // the folder, as the journal names them) back, when it lies there and its
  // place is free; a file that lies only in its place is already back, and
  // so is one whose backup holds the same bytes as the file in its place (a
  // move across drives cut short between copy and delete), which is
  // deleted. Only a file under the backup folder's SHAPES or TEXTURES
  // folder moves, to the same folder of the route, keeping its name or
  // losing the number a backup name got (Oak_2.s goes back as Oak.s), or
  // the other way, undoing a restore; nothing is overwritten and a link is
  // never moved.
  Return MoveBack(const std::string& moved_to, const std::string& place);
  // Whether a journal move, from `place` to `moved_to`, is one MoveBack
  // takes: a file of the backup folder's SHAPES or TEXTURES folder (its
  // seasonal folders too) and its place in the route.
  bool IsBackupOf(std::string_view moved_to, std::string_view place) const;

 private:
  void RefuseIfUnreadable() const;
  void RefuseIfLeavingRoute(const std::string& path) const;
  void WriteSdFile(const std::string& path, const std::string& shape_name, const Shape& sd_props);
  // Writing's first hold.
  void Hold();
  void LockRef();
  // Refuses when the .ref is no longer what was read or last written.
  void RefuseIfRefChanged();
  // The job being recorded gives up: its moves undone, the entries read
  // again. Throws core::Error.
  [[noreturn]] void GiveUp(const std::string& why);
  // Moves back what the job being recorded moved, marks it not done and
  // reads the entries again; false when a file could not go back.
  bool UndoJob();

  enum class Fate { kMoved, kMissing, kOutside, kLink, kFailed };
  struct Removal {
    Fate fate;
    std::string backup;  // where the file went; empty unless it moved there
  };
  // What a job takes out for one shape: the shape, and the textures its
  // text names, read before anything moves.
  struct ShapeFiles {
    std::string name;  // relative to SHAPES\; empty when nothing is taken
    bool outside = false;
    std::vector<std::string> textures;
  };
  // Makes the folder and the folders above it up to the route's, none of
  // them through a link that leads out of the route. False when it cannot.
  bool MakeFolders(const std::string& folder);
  // Whether a folder, given relative to the route's, lies in the route
  // with no link on the way leading out of it; with `make` it is made when
  // missing. While a job is recorded, a folder found so is taken as found.
  bool FolderInRoute(std::string_view folder, bool make);
  // The first number (0 for none) under which every name, numbered as
  // name_1.s, is free in the folder; a name is taken by anything at all.
  int FreeNumber(const std::string& folder, const std::vector<std::string>& names) const;
  // The name the file at folder + name has on disk, else its own last part.
  std::string DiskName(const std::string& folder, const std::string& name) const;
  // The one way a file leaves the route: moves folder + name, whose last
  // part is `disk_name` on disk, to `backup` (a full path), or deletes it
  // when `backup` is empty. A link stays.
  Removal TakeOut(const std::string& folder, const std::string& name, const std::string& backup,
                  const std::string& disk_name);
  ShapeFiles ReadShapeFiles(const std::string& file_name, bool move_shape_files, bool move_textures,
                            ShapeReader& reader);
  bool TakeShapeOut(const ShapeFiles& shape, bool move_shape_files,
                    TextureWearers* wearers);
  void TakeTextureOut(const std::string& name, TextureWearers* wearers);
  std::string BackupFolder() const;
  // Puts the entry in at the index, after offset characters of the text
  // standing there.
  void Place(size_t index, Shape entry, size_t offset);
  // Gives an entry going in at the index the first `offset` characters of
  // `around`, the text before the entry there (or after the last one).
  static void TakeTextBefore(Shape& entry, std::string& around, size_t offset, size_t index);
  // The path relative to the folder, as the journal names it.
  std::string InFolder(const std::string& path) const;
  std::string FileText() const;

  friend class JobRecord;
  friend class Timeline;

  Services services_;
  // The job being recorded in the journal, if any, and the folders it
  // found in the route.
  JobRecord* record_ = nullptr;
  std::set<std::string> folders_in_route_;
  // The moves the recorded job made (as the journal names them), undone if
  // it gives up.
  std::vector<std::pair<std::string, std::string>> job_moves_;
  bool read_ = false;
  bool empty_file_ = false;
  // What the .ref held when it was read or last written here.
  Fingerprint ref_known_;
  std::optional<platform::FileStamp> ref_stamp_;
  int holds_ = 0;
  std::unique_ptr<platform::FileLock> lock_;
  std::optional<platform::FileStamp> journal_settled_;  // the journal as last settled
  int files_moved_ = 0;
  std::string header_;  // the first line of the file as read
  std::string tail_;    // the text after the last entry
};

}  // namespace route
