// The route check: what a route names but does not have, in one report.
// It reads the world files, carspawn.dat, speedpost.dat and the shapes
// they use, and changes nothing in the route.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/conv_main.h"
#include "ops/route_state.h"
#include "ops/simis_reader.h"

namespace ops {

// What the check found. A section left as nothing could not be checked:
// a folder it depends on could not be listed (see `unreadable`).
struct RouteReport {
  struct MissingShape {
    std::string name;    // as first written
    int placements;      // how many times the route's files name it
    std::string first;   // the first world file (or list) naming it
    std::string folder;  // where it was looked for, when not in the route's SHAPES
  };
  struct MissingTexture {
    std::string name;
    std::string first;    // the first shape, in name order, naming it
    std::string seasons;  // the seasonal folders holding it ("NIGHT\ SNOW\"), if any
    std::string folder;   // where it was looked for, when not in the route's TEXTURES
  };
  // A folder of the MSTS root outside the route that placed shapes are
  // taken from, and how many.
  struct TakenFrom {
    std::string folder;
    int shapes;
  };
  struct Problem {
    std::string path;
    std::string text;  // the path and what kept it from being read
  };

  std::string route;
  // Shapes named by the world files, carspawn.dat or speedpost.dat, missing
  // from SHAPES.
  std::optional<std::vector<MissingShape>> missing_shapes;
  // The shapes found elsewhere in the MSTS root (GLOBAL\SHAPES, another
  // route), read only, by folder.
  std::optional<std::vector<TakenFrom>> taken_from_outside;
  // Textures named by those shapes that are there, missing from TEXTURES;
  // those found only in a seasonal folder count as there, and are listed
  // apart.
  std::optional<std::vector<MissingTexture>> missing_textures;
  std::optional<std::vector<MissingTexture>> seasonal_textures;
  // Textures those shapes name, and their seasonal copies, that are there
  // but cannot be read: a damaged header, a size that is no power of two,
  // a file shorter than its header and channels require.
  struct DamagedTexture {
    std::string name;   // a seasonal copy with its folder ("SNOW\roof.ace")
    std::string first;  // the first shape, in name order, naming it
    std::string why;
  };
  std::optional<std::vector<DamagedTexture>> damaged_textures;
  // The entries "Delete non-existent" would remove, each name once.
  std::optional<std::vector<std::string>> dangling_entries;
  // The shapes of SHAPES without an .sd file.
  std::optional<std::vector<std::string>> shapes_without_sd;
  // What "Delete duplicates" would remove and "Delete unused" would list.
  std::optional<int> duplicates;
  std::optional<int> unused;
  // The files and folders that could not be read, and the names that lead
  // out of the route, in path order.
  std::vector<Problem> unreadable;
};

// Checks the route, showing its progress. Names are compared without
// regard to letter case and point where route::ComparedName resolves them
// from the base of their block: a shape elsewhere in the MSTS root is
// looked up there, read only, with its textures from the TEXTURES beside
// its SHAPES; a name leading past the root, or through a link out of it,
// is never looked up. Shapes and world files are read in every form formats reads; one it
// cannot read, through the editor tool's work copy. The
// .ref file of a route marked unreadable is read again, and reported when
// it still cannot be. The textures' files are looked into only when
// `texture_files` is set (the benchmarks measure the check without).
RouteReport CheckRoute(core::ConvMain& main, const route::Route& route, SimisReader& reader,
                       core::Progress& progress, bool texture_files = true);

// The report's lines in the language in force: per section a count line,
// then its items, sorted. A line is a fault when it counts something
// missing or unread, or a section that could not be checked; duplicates,
// unused entries and seasonal textures are no faults.
struct ReportLine {
  std::string text;
  bool fault = false;
};
std::vector<ReportLine> ReportLines(const core::Language& language, const RouteReport& report);

// Adds the lines to the log, each fault as a failure.
void LogReport(core::ConvMain& main, const std::vector<ReportLine>& lines);

// Writes the lines, each ending in CR LF, to the file, asking before it
// replaces one; a file in the checked route, reached by any way, or that
// is a link leading out of its folder or has other names, is not written
// (ReplaceWhenAgreed). Throws core::Error when the file is refused or
// cannot be written.
void SaveReport(core::ConvMain& main, const std::string& path, const route::Route& route,
                const std::vector<ReportLine>& lines);

// "Check route": the check of the current route under a progress window,
// the report in the log, and the offer to save it.
void ClCheckClick(core::ConvMain& main, RouteState& routes);

// checkroute: the check of the route of that name in the MSTS root, its
// report in the log and, with a file, saved there.
void CheckNamedRoute(core::ConvMain& main, const std::string& name,
                     const std::optional<std::string>& save_file);

}  // namespace ops
