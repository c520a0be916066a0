// The operations the console drives, as the program has them.
#pragma once

#include "console/operations.h"
#include "convert/shape_conversion.h"
#include "convert/shape_dir.h"
#include "convert/textures.h"
#include "core/conv_main.h"
#include "core/error.h"
#include "ops/ace_export.h"
#include "ops/batch_add.h"
#include "ops/clearing.h"
#include "ops/comparison.h"
#include "ops/restore.h"
#include "ops/route_check.h"
#include "ops/route_state.h"
#include "ops/unused.h"
#include "platform/host.h"
#include "platform/text.h"
#include "route/discovery.h"
#include "tools/msts_search.h"

namespace app {

class ConsoleOperations : public console::Operations {
 public:
  ConsoleOperations(core::ConvMain& main, const platform::Registry& registry)
      : main_(main), registry_(registry) {}
  void TexProcClick() override { convert::TexProcClick(main_); }
  void TexCabClick() override { convert::TexCabClick(main_); }
  void ConvertTextureFolder(const std::string& folder, const console::Announce& announce) override {
    convert::ConvertTextureFolder(main_, folder, announce);
  }
  void ShProcClick() override { convert::ShProcClick(main_); }
  void ShUnicodeClick() override { convert::ShUnicodeClick(main_); }
  void ShMipMapClick() override { convert::ShMipMapClick(main_); }
  void ShConvertDir(const std::string& folder, const console::Announce& announce) override {
    convert::ShConvertDir(main_, folder, announce);
  }
  void AceInfo(const std::string& path) override { ops::AceInfo(main_, path); }
  void AceToPng(const std::string& path) override { ops::AceToPng(main_, path); }
  int BatchAdd(const console::BatchAddRequest& request) override {
    return ops::BatchAdd(main_, Listed(request.route), request.folder, request.class_name,
                         request.sub, request.over, request.texs);
  }

  EntryRows ClPropPrClick(const std::string& route) override {
    ops::RouteState routes = Choose(route);
    return {std::move(routes.ClShapes),
            ops::UnknownProperties(*routes.CurrentRoute, main_.fields.ClProps)};
  }
  void ClDuplicatesClick(const std::string& route) override {
    ops::RouteState routes = Choose(route);
    ops::ClDuplicatesClick(main_, routes);
  }
  void ClDelUnexClick(const std::string& route) override {
    ops::RouteState routes = Choose(route);
    ops::ClDelUnexClick(main_, routes);
  }
  std::vector<int> ClDeleteClick(const std::string& route,
                                 const std::vector<int>& numbers) override {
    ops::RouteState routes = Choose(route);
    const int rows = static_cast<int>(routes.ClShapes.size());
    std::vector<int> missing;
    for (int number : numbers) {
      if (number < 1 || number > rows) missing.push_back(number);
    }
    if (!missing.empty() || numbers.empty()) return missing;
    for (int number : numbers) routes.ClShapesSelected[number - 1] = true;
    routes.ClShapesFocused = numbers.front() - 1;
    ops::ClDeleteClick(main_, routes);
    return missing;
  }
  void ClUnusedClick(const std::string& route) override {
    // The world files are read and scanned while the route's .ref is read.
    const std::string listed = Found(route);
    ops::WorldScan scan(main_, main_.fields.MSTSRoot + "\\ROUTES\\" + listed + "\\",
                        ops::WorldScan::Names::kFirstMet);
    ops::RouteState routes = ChooseListed(listed);
    ops::DeleteUnused(main_, routes, &scan);
  }
  void ClDelUnnamedClick(const std::string& route) override {
    ops::RouteState routes = Choose(route);
    ops::ClDelUnnamedClick(main_, routes);
  }
  void CheckRoute(const std::string& route, const std::optional<std::string>& save_file) override {
    ops::CheckNamedRoute(main_, Existing(route), save_file);
  }
  void ClRestoreClick(const std::string& route) override {
    ops::RouteState routes = Choose(route);
    ops::ClRestoreClick(main_, routes);
  }
  void CrProcClick(const std::string& route,
                   const std::optional<std::string>& batch_file) override {
    ops::CompareRoute(main_, Existing(route), batch_file);
  }

  std::string NoWindow() const override {
#ifdef RASTOLIN_WINDOW
    return platform::DisplayNamed() ? "" : main_.language[core::Msg::NoDisplayNamed];
#else
    return main_.language[core::Msg::BuiltWithoutWindow];
#endif
  }

 private:
  // The route box's item of that name in any letter case, so that what is
  // made for the route (its .ref backups, the batch lines) carries its own
  // spelling; else the name as typed, which the route refuses or fails to
  // read as any other.
  std::string Listed(const std::string& name) const {
    // The first command that needs MSTS looks for it, as the window's
    // first start does.
    tools::FindMstsRoot(main_, registry_);
    if (main_.fields.MSTSRoot.empty()) {
      // The console has no folder chooser: it says where the root is set.
      throw core::Error(main_.language.Format(core::Msg::MstsRootNotSet, main_.settings.path()));
    }
    for (const std::string& listed : route::FindRoutes(main_.files, main_.fields.MSTSRoot)) {
      if (platform::EqualsIgnoreCase(listed, name)) return listed;
    }
    return name;
  }

  // Listed, refused when it names no folder of ROUTES rather than left to
  // fail as a .ref file that cannot be opened. A name the route itself
  // would refuse is left to it, with its reason.
  std::string Found(const std::string& route) const {
    const std::string name = Listed(route);
    if (route::IsRouteName(name) &&
        !main_.files.FolderExists(main_.fields.MSTSRoot + "\\ROUTES\\" + name)) {
      throw core::Error(main_.language.Format(core::Msg::RouteNotFound, name));
    }
    return name;
  }

  // Found, and refused here rather than warned about, so that the command
  // fails, when it is no route name either.
  std::string Existing(const std::string& route) const {
    const std::string name = Found(route);
    if (!route::IsRouteName(name)) {
      throw core::Error(main_.language.Format(core::Msg::RouteNotFound, name));
    }
    return name;
  }

  // The route chosen and read as the clearing page's route box does it,
  // for this command alone: the window's current route is not touched.
  ops::RouteState Choose(const std::string& name) { return ChooseListed(Found(name)); }
  // The same for a name Listed already gave.
  ops::RouteState ChooseListed(const std::string& listed) {
    ops::RouteState routes;
    routes.AddRoute = routes.ClRoute = {listed};
    ops::AddRouteChange(main_, routes, 0);
    return routes;
  }

  core::ConvMain& main_;
  const platform::Registry& registry_;
};

}  // namespace app
