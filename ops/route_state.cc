#include "ops/route_state.h"

#include <algorithm>

#include "ops/clearing.h"
#include "platform/text.h"
#include "route/discovery.h"

namespace ops {

route::Services RouteServices(core::ConvMain& main) {
  return route::Services{main.files, main.language, main.log, main.ui};
}

Page ListRoutes(core::ConvMain& main, RouteState& routes, Page shown) {
  if (shown != Page::kAdding && shown != Page::kClearing && shown != Page::kComparison) {
    return shown;
  }
  core::Fields& fields = main.fields;
  const core::Language& texts = main.language;
  // The page turned to instead is where the root is set: the message says so.
  const std::string where = "\n\n" + texts[core::Msg::SetOnSettingsPage];
  if (fields.MSTSRoot.empty()) {
    main.ui.Message("Warning", texts[core::Msg::SelectMstsRoot] + where);
    return Page::kSettings;
  }
  if (!main.files.FolderExists(fields.MSTSRoot + "\\ROUTES")) {
    main.ui.Message("Error", texts[core::Msg::BadMstsRoot] + where);
    fields.MSTSRoot.clear();
    return Page::kSettings;
  }
  // Built once per run, even if the MSTS root changes later.
  if (!routes.AddRoute.empty()) return shown;
  routes.AddRoute = route::FindRoutes(main.files, fields.MSTSRoot);
  routes.CrRoute = routes.AddRoute;
  routes.ClRoute = routes.AddRoute;
  return shown;
}

void AddRouteChange(core::ConvMain& main, RouteState& routes, int index) {
  if (index < 0 || index >= static_cast<int>(routes.AddRoute.size())) return;
  routes.CurrentRoute.reset();
  routes.AddRouteIndex = index;
  routes.ClRouteIndex = index;
  routes.CurrentRoute =
      std::make_unique<route::Route>(RouteServices(main), routes.AddRoute[index], main.fields.MSTSRoot);
  // Emptied first, so that a route that cannot be read does not show the
  // classes of the one chosen before.
  routes.AddClassItems.clear();
  routes.ClShapes.clear();
  routes.ClShapesProps.clear();
  routes.ClShapesSelected.clear();
  routes.ClShapesFocused = -1;
  routes.CurrentRoute->ReadRef();
  routes.AddClassItems = route::GatherClasses(*routes.CurrentRoute);
  std::sort(routes.AddClassItems.begin(), routes.AddClassItems.end(),
            [](const std::string& a, const std::string& b) { return platform::LessIgnoreCase(a, b); });
  ClPropPrClick(main, routes);
}

}  // namespace ops
