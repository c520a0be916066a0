#include "ops/clearing.h"

#include <algorithm>

#include "core/error.h"
#include "ops/restore.h"
#include "ops/simis_reader.h"
#include "ops/worn_textures.h"
#include "route/blocks.h"
#include "route/journal.h"

namespace ops {

route::Route* ClearableRoute(const core::ConvMain& main, RouteState& routes) {
  route::Route* route = routes.CurrentRoute.get();
  if (route && route->Unreadable()) {
    throw core::Error(main.language.Format(core::Msg::RouteUnreadable, route->RefPath));
  }
  if (route && route->EmptyFile()) {
    throw core::Error(main.language.Format(core::Msg::RefEmpty, route->RefPath));
  }
  return route;
}

void NoteMovedFiles(core::ConvMain& main, const route::Route& route, int moved_before) {
  if (route.FilesMoved() == moved_before) return;
  main.log.Add(main.language.Format(core::Msg::FilesMovedTo,
                                    route.Folder + main.language[core::Msg::BackupFolder]));
}

std::vector<std::string> ListProperties(const route::Route& route, const std::string& names) {
  const std::vector<std::string> columns = route::SplitList(names, ' ');
  std::vector<std::string> rows;
  rows.reserve(route.Entries.size());
  for (const route::Shape& entry : route.Entries) {
    std::string& row = rows.emplace_back();
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) row += " - ";
      // An entry's free text is a property without a name; no column shows it.
      if (!columns[i].empty()) row += entry.GetValue(columns[i]);
    }
  }
  return rows;
}

std::vector<std::string> UnknownProperties(const route::Route& route, const std::string& names) {
  auto has = [](const route::Shape& entry, const std::string& name) {
    return std::any_of(
        entry.PropList().begin(), entry.PropList().end(),
        [&](const route::Props& prop) { return route::NamesMatch(prop.PropName, name); });
  };
  std::vector<std::string> unknown;
  for (const std::string& name : route::SplitList(names, ' ')) {
    if (!name.empty() && !route.Entries.empty() &&
        std::none_of(route.Entries.begin(), route.Entries.end(),
                     [&](const route::Shape& entry) { return has(entry, name); })) {
      unknown.push_back(name);
    }
  }
  return unknown;
}

namespace {

void ShowRows(RouteState& routes, const std::string& props) {
  routes.ClShapes = ListProperties(*routes.CurrentRoute, props);
  routes.ClShapesProps = props;
  routes.ClShapesSelected.assign(routes.ClShapes.size(), false);
  routes.ClShapesFocused = routes.ClShapes.empty() ? -1 : 0;
}

// The shapes of the marked entries, when their files leave the route.
std::vector<std::string> LeavingShapes(const route::Route& route, const std::vector<bool>& marked,
                                       bool move_files) {
  std::vector<std::string> names;
  for (size_t i = 0; move_files && i < marked.size(); ++i) {
    if (marked[i]) names.push_back(route.Entries[i].GetValue("FileName"));
  }
  return names;
}

std::string Count(const route::Route::Removed& removed) {
  return std::to_string(std::count(removed.begin(), removed.end(), true));
}

}  // namespace

RowsFollowEntries::~RowsFollowEntries() {
  const std::string& props =
      main_.fields.ClProps.empty() ? routes_.ClShapesProps : main_.fields.ClProps;
  if (routes_.CurrentRoute && !props.empty()) ShowRows(routes_, props);
}

void ClPropPrClick(core::ConvMain& main, RouteState& routes) {
  if (!routes.CurrentRoute || main.fields.ClProps.empty()) return;
  ShowRows(routes, main.fields.ClProps);
}

void ClDeleteClick(core::ConvMain& main, RouteState& routes) {
  if (routes.ClShapesFocused < 0) return;
  route::Route* route = ClearableRoute(main, routes);
  if (!route) return;
  const bool move_files = main.ui.Ask(main.language[core::Msg::DeleteFilesQuestion]);
  const bool move_textures = main.ui.Ask(main.language[core::Msg::DeleteUsedTextures]);
  // Row i shows entry i + 1: the selection marks the entries.
  std::vector<bool> marked(route->Entries.size());
  for (size_t row = 0; row < marked.size() && row < routes.ClShapesSelected.size(); ++row) {
    marked[row] = routes.ClShapesSelected[row];
  }
  if (std::find(marked.begin(), marked.end(), true) == marked.end()) return;
  RowsFollowEntries rows(main, routes);
  const route::Route::Writing writing(*route);
  route::JobRecord record(*route, std::string(kDeleteSelectedJob));
  route->CheckClearing(true);
  route->BackupRef();
  SimisReader reader(main, *route);
  const int moved = route->FilesMoved();
  std::optional<WornTextures> worn;
  if (move_textures) worn.emplace(main, *route, reader, LeavingShapes(*route, marked, move_files));
  const route::Route::Removed removed =
      route->DeleteEntries(marked, move_files, move_textures, reader, worn ? &*worn : nullptr);
  if (std::find(removed.begin(), removed.end(), true) != removed.end()) route->WriteRef();
  record.Complete();
  NoteMovedFiles(main, *route, moved);
}

void ClDuplicatesClick(core::ConvMain& main, RouteState& routes) {
  route::Route* route = ClearableRoute(main, routes);
  if (!route) return;
  RowsFollowEntries rows(main, routes);
  const route::Route::Writing writing(*route);
  route::JobRecord record(*route, std::string(kDuplicatesJob));
  const route::Route::Removed removed = route->DeleteDuplicates();
  record.Complete();
  main.log.Add(main.language.Format(core::Msg::DuplicatesDeleted, Count(removed)));
}

void ClDelUnexClick(core::ConvMain& main, RouteState& routes) {
  route::Route* route = ClearableRoute(main, routes);
  if (!route) return;
  RowsFollowEntries rows(main, routes);
  const route::Route::Writing writing(*route);
  route::JobRecord record(*route, std::string(kNonexistentJob));
  const route::Route::Removed removed = route->DeleteNonexistent();
  if (std::find(removed.begin(), removed.end(), true) != removed.end()) route->WriteRef();
  record.Complete();
  main.log.Add(main.language.Format(core::Msg::NonexistentDeleted, Count(removed)));
}

void ClShapesDblClick(core::ConvMain& main, RouteState& routes) {
  if (routes.ClShapesFocused < 0) return;
  route::Route* route = ClearableRoute(main, routes);
  if (!route || routes.ClShapesFocused >= route->EntryCount()) return;
  const route::Shape& entry = route->Entries[routes.ClShapesFocused];
  core::EntryForm form;
  form.block_type = entry.BlockType();
  form.rows.reserve(entry.PropList().size());
  for (const route::Props& prop : entry.PropList())
    form.rows.push_back({prop.PropName, prop.PropValue});
  // A refused form goes back to the editor as it was left, until it can be
  // written or is cancelled.
  while (main.ui.EditEntry(form)) {
    const std::string refusal = form.Refusal(main.language);
    if (refusal.empty()) {
      route::Shape edited;
      for (const core::EntryRow& row : form.rows) edited.SetValue(row.name, row.value);
      edited.SetBlockType(form.block_type);
      route->ReplaceEntry(static_cast<size_t>(routes.ClShapesFocused), std::move(edited));
      break;
    }
    main.ui.Message("Warning", refusal);
  }
  route->WriteRef();
}

}  // namespace ops
