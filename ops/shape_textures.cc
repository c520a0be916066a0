#include "ops/shape_textures.h"

#include "formats/shape_images.h"
#include "ops/name_set.h"
#include "ops/simis_reader.h"
#include "platform/text.h"
#include "route/blocks.h"
#include "route/route.h"

namespace ops {

using core::Msg;

WornTextures TexturesOfShape(const platform::FileSystem& files, const core::Language& language,
                             const std::string& route_folder, const std::string& file_name) {
  WornTextures worn;
  std::vector<std::string> names;
  const std::string shapes = route_folder + language[Msg::ShapesFolder];
  if (platform::FoldCase(file_name).ends_with(".ace")) {
    names.push_back(file_name);
  } else if (!route::InRouteFolder(files, route_folder, shapes, file_name)) {
    worn.problem = language.Format(Msg::CheckLeadsOut, file_name);
    return worn;
  } else if (!files.FileExists(shapes + file_name)) {
    worn.problem = language.Format(Msg::ShapeMissing, file_name);
    return worn;
  } else {
    const std::optional<std::string> bytes = files.ReadFile(shapes + file_name);
    if (!bytes) {
      const Msg why = platform::TooLargeToRead(files, shapes + file_name) ? Msg::CheckTooLarge
                                                                          : Msg::CheckNotOpened;
      worn.problem = language.Format(why, file_name);
      return worn;
    }
    // Read in the process only: the window asks on its decoding threads,
    // where the editor tool is not run.
    formats::ShapeImages images = formats::ImageNames(formats::SimisFile(*bytes));
    if (images.fault != formats::Fault::kNone) {
      worn.problem =
          language.Format(Msg::CheckNotText, file_name, FaultText(language, images.fault));
      return worn;
    }
    names = std::move(images.names);
    if (names.empty()) worn.problem = language.Format(Msg::ShapeNoTextures, file_name);
  }
  const std::string textures = route_folder + language[Msg::TexturesFolder];
  const std::vector<std::string> seasons = route::SplitList(language[Msg::SeasonFolders], ' ');
  NameSet seen;
  for (const std::string& name : names) {
    const size_t known = seen.size();
    if (name.empty() || seen.Insert(platform::FoldCase(name)) < known) continue;
    if (!route::InRouteFolder(files, route_folder, textures, name)) {
      worn.textures.push_back({name, "", "", true});
      continue;
    }
    const bool there = files.FileExists(textures + name);
    worn.textures.push_back({name, "", there ? textures + name : ""});
    for (const std::string& season : seasons) {
      if (files.FileExists(textures + season + name)) {
        worn.textures.push_back({season + name, season, textures + season + name});
      }
    }
  }
  return worn;
}

}  // namespace ops
