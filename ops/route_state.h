// Where the current route lives: the route boxes of the adding, clearing
// and comparison pages, the class list of the adding page, and the route
// chosen on the first two. The application owns one beside the main
// object; the window binds its boxes to it, and the adding and clearing
// operations work on its current route.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/conv_main.h"
#include "route/route.h"

namespace ops {

// The pages of the main window, in tab order.
enum class Page { kTextures, kShapes, kAdding, kClearing, kComparison, kSettings };

struct RouteState {
  // The items of the three route boxes; AddRoute and ClRoute always hold
  // the same list.
  std::vector<std::string> AddRoute;
  std::vector<std::string> ClRoute;
  std::vector<std::string> CrRoute;
  // The selected item of each box, -1 for none.
  int AddRouteIndex = -1;
  int ClRouteIndex = -1;
  int CrRouteIndex = -1;
  // The classes of the current route, sorted as the class box shows them.
  std::vector<std::string> AddClassItems;
  // None until a route is chosen.
  std::unique_ptr<route::Route> CurrentRoute;

  // The clearing page's entry list: row i shows entry i + 1 of the current
  // route, with the properties named in ClShapesProps (empty while no rows
  // were shown). The focused row is -1 while the list is empty.
  std::vector<std::string> ClShapes;
  std::string ClShapesProps;
  std::vector<bool> ClShapesSelected;
  int ClShapesFocused = -1;
};

// The services a route of the program's main object works with.
route::Services RouteServices(core::ConvMain& main);

// The route listing step of a page change: on the adding, clearing and
// comparison pages, checks the MSTS root and fills the route boxes the
// first time. Returns the page to show: the one turned to, or the settings
// page after a warning about the MSTS root.
Page ListRoutes(core::ConvMain& main, RouteState& routes, Page shown);

// A choice of item `index` in AddRoute or ClRoute: selects it in both and
// makes that route current, reading its .ref file, gathering its classes
// and showing its entries on the clearing page. A .ref file that cannot be
// read raises core::Error; the route then stays current, marked
// unreadable, with an empty class list and no entry rows.
void AddRouteChange(core::ConvMain& main, RouteState& routes, int index);

}  // namespace ops
