// Finding shapes that no world tile uses and shape files that no entry
// names, and the two buttons that offer them for clearing, each recorded
// in the route's journal as a clearing job.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/conv_main.h"
#include "ops/name_set.h"
#include "ops/read_ahead.h"
#include "ops/route_state.h"
#include "ops/simis_reader.h"
#include "route/shape_names.h"

namespace ops {

// Why a file the searches read gave no names, or not all of them.
enum class Unreadable {
  kFolder,          // a folder that cannot be listed
  kNoWorldFiles,    // WORLD\ holds no .w file
  kNotWindowsName,  // a host name that Windows would take for another file
  kNotOpened,
  kTooLarge,  // larger than platform::kMaxReadBytes
  kNotText,   // read neither in the process nor by the editor tool (the detail says why)
  kCutShort,  // ends inside a block
};
using UnreadableSink =
    std::function<void(const std::string& path, Unreadable why, const std::string& detail)>;

// The shapes counted as used whatever names them.
inline constexpr std::array<std::string_view, 3> kFixedShapes = {"telepole.s", "teleshad.s",
                                                                 "yard.s"};

// A shape that carspawn.dat or speedpost.dat names, and the list's name.
struct ListedShape {
  std::string name;
  std::string list;
};
// The shapes of carspawn.dat and speedpost.dat, in any form. A list the
// route lacks names none; one that cannot be read goes to `unreadable`.
std::vector<ListedShape> ListedShapes(core::ConvMain& main, const route::Route& route,
                                      SimisReader& reader, const UnreadableSink& unreadable);

// The shapes a route uses outside its world files: the ListedShapes and
// kFixedShapes. A list that cannot be read raises core::Error.
std::vector<std::string> CollectSpecialShapes(core::ConvMain& main, const route::Route& route,
                                              SimisReader& reader);

// A FileName of a world file.
struct PlacedName {
  // Folded, as route::ComparedName gives it from the name's base (of a
  // scan that tells blocks apart: GLOBAL\SHAPES\ for a TrackObj's), and
  // from the other base where the name has a folder part or is a track
  // piece's (else empty: a plain name's other form is kGlobalShapes and it,
  // which StaticNames looks for).
  std::string_view compared;
  std::string_view other;
  std::string_view raw;       // as the file holds it, in units of `width` bytes
  size_t width;               // 1: UTF-8, 2: UTF-16LE
  bool written;               // raw as a text writes it, not a string's value
  std::string_view file;      // the world file's name
  uint32_t hash;              // NameSet::Hash(compared)
  uint32_t count;             // how often the file gives it
  // The name, trimmed, as formats::text::NameOf reads it when written.
  std::string Written() const;
};

// The world files of a route folder (its WORLD\*.w), listed and then read
// (in any form formats reads) and scanned for their FileNames on threads
// of their own from the moment it is made, a few files ahead of their use. A command that has yet to
// read the route's .ref starts it first, so that the two overlap; the
// file system is only read meanwhile.
class WorldScan {
 public:
  // The names each file gives: all of them, with how often each stands and
  // compared from the base of their block, or only those met in no file
  // read before it, compared from the route's SHAPES\ (with `other` from
  // GLOBAL\SHAPES\), which is enough to tell whether a name is placed
  // anywhere and far fewer to look up.
  enum class Names { kEveryFile, kFirstMet };

  WorldScan(const core::ConvMain& main, const std::string& route_folder,
            Names names = Names::kEveryFile);
  ~WorldScan();
  WorldScan(const WorldScan&) = delete;
  WorldScan& operator=(const WorldScan&) = delete;

  const std::string& route_folder() const { return route_folder_; }

 private:
  friend void ScanWorldFiles(core::ConvMain&, SimisReader&, core::Progress&,
                             const std::function<void(const PlacedName&)>&, const UnreadableSink&,
                             WorldScan&);
  const std::string route_folder_;
  const std::string world_;
  const std::string route_;  // the route's folder name, folded
  const bool blocks_;        // names compared from the base of their block
  // The world files' names in order; nothing for a folder that cannot be
  // listed.
  std::optional<std::vector<std::string>> tiles_;
  std::unique_ptr<ReadAhead> ahead_;
};

// Goes through the world files one at a time, showing each on the
// progress window (range 500), and gives every FileName of each, in any
// letter case, to `found`: each name once per file, with how often it
// stands there; from a kFirstMet scan, only a few times in all. A file
// read only in part goes to `unreadable` after the names read before the
// fault, and so does a WORLD folder that cannot be listed or holds no world
// file. Only a few files are held in memory at once. `scan` is the scan of
// the route's folder.
void ScanWorldFiles(core::ConvMain& main, SimisReader& reader, core::Progress& progress,
                    const std::function<void(const PlacedName&)>& found,
                    const UnreadableSink& unreadable, WorldScan& scan);

// The file names of a route's Static entries, each marked once a world
// file or a special list names it from either base: the unused search
// stays on the safe side of which block a name stands in. Only these names
// are ever asked about. The route's entries stay as they are while it
// lives.
class StaticNames {
 public:
  explicit StaticNames(const route::Route& route);

  // Names as route::ComparedName gives them.
  void Mark(std::string_view compared) { MarkEither(compared, NameSet::Hash(compared)); }
  // Many names are gathered, then looked up together (NameSet::Prefetch);
  // MarkGathered marks the last of them. `hash` is NameSet::Hash(compared).
  void Gather(std::string_view compared, uint32_t hash);
  void MarkGathered();

  // The lower-case names of the entries in the route's SHAPES\ never
  // marked, in entry order: a file elsewhere is never offered.
  std::vector<std::string> Unmarked() const;

 private:
  void Mark(size_t number);
  // The name, and a plain name's form from GLOBAL\SHAPES\.
  void MarkEither(std::string_view compared, uint32_t hash);

  // A Static entry's file name, as the route holds it, and its number here.
  struct Entry {
    const std::string* name;
    size_t number;
    bool offered;  // its file lies in the route's SHAPES folder
  };
  std::vector<Entry> entries_;
  NameSet names_;
  // Whether an entry names a file of GLOBAL\SHAPES\ by a plain name.
  bool global_plain_ = false;
  std::vector<char> marked_;  // per name
  std::string gathered_;
  std::vector<std::pair<size_t, uint32_t>> gathered_ends_;
};

// The Static entries of the route's SHAPES\ (lower-case file names, one
// per entry) whose shape neither a world file nor a special list names
// from either base (route::ComparedName). Raises core::Error, with nothing listed, for a route without
// world files, a WORLD folder that cannot be listed and a world file that
// can be read neither in the process nor by the editor tool, is cut short
// or is larger than can be read.
// Reports each world file on the progress window, whose range is 500.
std::vector<std::string> FindUnused(core::ConvMain& main, const route::Route& route,
                                    SimisReader& reader, core::Progress& progress,
                                    WorldScan* started = nullptr);

// The .s files of SHAPES\ (as named on disk) that neither an entry nor a
// special list names. A name Windows could not hold is logged and left
// out: as a path it would name another file. Raises core::Error when
// SHAPES\ cannot be listed.
std::vector<std::string> FindNotInRef(core::ConvMain& main, const route::Route& route,
                                      SimisReader& reader);

// Backs up the .ref file, appends one Static entry per name (FileName and
// Description the name, Class "Rastolin") and writes the .ref file.
void AddNamesToRef(const core::ConvMain& main, route::Route& route,
                   const std::vector<std::string>& names);

// "Delete unused": the search under a progress window, the choice list;
// on OK a backup of the .ref file, the two questions and the selected
// shapes' files taken out. Their entries stay, so the .ref file is not
// written. The rows are shown again after OK and Cancel.
void ClUnusedClick(core::ConvMain& main, RouteState& routes);
// The same over a scan of the chosen route's world files begun before the
// route was chosen (or nothing).
void DeleteUnused(core::ConvMain& main, RouteState& routes, WorldScan* started);

// "Delete objects not in ref": the choice list with "Add" (AddNamesToRef);
// on OK the two questions and the selected shapes' files taken out under a
// progress window. The .ref file is not written here.
void ClDelUnnamedClick(core::ConvMain& main, RouteState& routes);

}  // namespace ops
