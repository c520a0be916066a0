// The clearing page: its entry list, the entry editor, and removing
// duplicate, dangling and selected entries of the current route. Every
// button does nothing without a current route and refuses a route whose
// .ref file could not be read. Each clearing job is recorded in the route's
// journal, so that restore (ops/restore.h) can undo it.
#pragma once

#include <string>
#include <vector>

#include "core/conv_main.h"
#include "ops/route_state.h"

namespace ops {

// The current route when the clearing page may change it; none without
// one. Throws core::Error for a route whose .ref file could not be read.
route::Route* ClearableRoute(const core::ConvMain& main, RouteState& routes);

// After a job that moved files out of the route (FilesMoved grew past
// `moved_before`): one log line saying where they lie.
void NoteMovedFiles(core::ConvMain& main, const route::Route& route, int moved_before);

// One row per entry: the values of the space-separated property names
// (an empty name gives an empty value), joined by " - ".
std::vector<std::string> ListProperties(const route::Route& route, const std::string& names);
// The names of those that no entry has, as a misspelt one would be; none
// for a route without entries.
std::vector<std::string> UnknownProperties(const route::Route& route, const std::string& names);

// "Show": the rows of ListProperties for ClProps, none selected, the first
// one focused. An empty ClProps leaves the rows as they are.
void ClPropPrClick(core::ConvMain& main, RouteState& routes);

// Shows the rows again when a clearing job ends, however it ends, so that
// row i still shows entry i + 1 and no button acts on another entry than
// its row shows: with ClProps, or without it with the properties the rows
// were built with.
class RowsFollowEntries {
 public:
  RowsFollowEntries(const core::ConvMain& main, RouteState& routes)
      : main_(main), routes_(routes) {}
  RowsFollowEntries(const RowsFollowEntries&) = delete;
  RowsFollowEntries& operator=(const RowsFollowEntries&) = delete;
  ~RowsFollowEntries();

 private:
  const core::ConvMain& main_;
  RouteState& routes_;
};

// "Delete selected": asks "Delete files?" and "Delete textures, used in
// shapes?"; with rows selected it backs up the .ref file, removes their
// entries with their files as answered and writes the .ref file. Nothing
// happens while the list has no focused row.
void ClDeleteClick(core::ConvMain& main, RouteState& routes);

// "Delete duplicates" and "Delete non-existent", each followed by its
// count in the log. The .ref file is written only when entries went.
void ClDuplicatesClick(core::ConvMain& main, RouteState& routes);
void ClDelUnexClick(core::ConvMain& main, RouteState& routes);

// A double click on the list: the entry editor on the focused row's entry.
// OK applies the rows in order (a name repeated in another letter case
// replaces the earlier row's property in its place) and the block type;
// the .ref file is written on every close.
void ClShapesDblClick(core::ConvMain& main, RouteState& routes);

}  // namespace ops
