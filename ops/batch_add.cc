#include "ops/batch_add.h"

#include "ops/route_state.h"
#include "platform/windows_path.h"
#include "route/shape.h"

namespace ops {

int BatchAdd(core::ConvMain& main, const std::string& route_name, const std::string& folder,
             const std::string& class_name, bool sub, bool over, bool texs) {
  route::Route route(RouteServices(main), route_name, main.fields.MSTSRoot);
  route.ReadRef();
  return AddFolder(main, route, folder, class_name, sub, over, texs);
}

int AddFolder(core::ConvMain& main, route::Route& route, const std::string& folder_path,
              const std::string& class_name, bool sub, bool over, bool texs) {
  const core::Language& texts = main.language;
  const std::string class_value = class_name.empty() ? texts[core::Msg::ProgramName] : class_name;
  route::Shape entry;
  entry.AddProp(texts[core::Msg::KeyClass], class_value);
  route::Shape sd_props;
  sd_props.AddProp("ESD_Alternative_Texture", "0");
  sd_props.AddProp("ESD_Detail_Level", "0");
  // A folder given with a trailing backslash ends up with two; the file
  // system takes that.
  const std::string folder = folder_path + "\\";

  // A host name such as "..\x.s" would reach outside the folder.
  auto windows_name = [&](const std::string& name) {
    if (platform::IsWindowsFileName(name)) return true;
    main.log.AddFailure(texts.Format(core::Msg::NotAWindowsName, name));
    return false;
  };

  int met = 0;
  for (const platform::FindEntry& found : main.files.Find(folder + "*.s", platform::kAnyAttributes)) {
    if (found.attributes & platform::kDirectory) continue;
    ++met;
    const std::string& name = found.name;
    if (!windows_name(name)) continue;
    const std::string own_sd = folder + name.substr(0, name.rfind('.') + 1) + "sd";
    const bool has_own_sd = main.files.FileExists(own_sd);
    entry.SetValue(texts[core::Msg::KeyFileName], folder + name);
    entry.SetValue(texts[core::Msg::KeyDescription], name);
    if (route.AddShape(entry, sd_props, true, !has_own_sd, over)) {
      // The shape's own .sd file follows only a shape that is in the route.
      if (has_own_sd && !route.CopyIntoRoute(own_sd, texts[core::Msg::ShapesFolder], over)) {
        main.log.AddFailure("Added shape " + name + " without its .sd file");
      } else {
        main.log.Add("Added shape " + name);
      }
    } else {
      main.log.Add("Skipped shape " + name);
    }
  }

  if (texs) {
    for (const platform::FindEntry& found :
         main.files.Find(folder + "*.ace", platform::kAnyAttributes)) {
      if (found.attributes & platform::kDirectory) continue;
      ++met;
      if (!windows_name(found.name)) continue;
      const bool there = route.CopyIntoRoute(folder + found.name, texts[core::Msg::TexturesFolder], over);
      main.log.Add((there ? "Added texture " : "Skipped texture ") + found.name);
    }
  }

  if (sub) {
    for (const platform::FindEntry& found : main.files.Find(folder + "*", platform::kDirectory)) {
      if (found.name == "." || found.name == "..") continue;
      // Only a plain folder: one marked read-only, hidden, system or archive
      // is passed over.
      if (found.attributes != platform::kDirectory || !windows_name(found.name)) continue;
      met += AddFolder(main, route, folder + found.name, class_value, sub, over, texs);
    }
  }
  return met;
}

}  // namespace ops
