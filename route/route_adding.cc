// The route's part of adding content: copying shapes and textures in, and
// the entry and .sd file written for a shape.
#include "core/error.h"
#include "route/blocks.h"
#include "route/ref_file.h"
#include "route/route.h"
#include "route/text_file.h"

namespace route {
namespace {

// house.s -> house.sd, my.house.s -> my.house.sd; a name without a dot
// keeps its whole self and gains ".sd".
std::string SdNameFor(const std::string& shape_name) {
  size_t dot = shape_name.rfind('.');
  return dot == std::string::npos ? shape_name + ".sd" : shape_name.substr(0, dot + 1) + "sd";
}

}  // namespace

void Route::WriteSd(const std::string& shape_name, const Shape& sd_props, bool overwrite) {
  const std::string path = Folder + services_.language[core::Msg::ShapesFolder] + SdNameFor(shape_name);
  RefuseIfLeavingRoute(path);
  if (!overwrite && services_.files.FileExists(path) &&
      !services_.ui.Ask("*.sd file already exists. Overwrite?", path)) {
    return;
  }
  WriteSdFile(path, shape_name, sd_props);
}

void Route::WriteSdFile(const std::string& path, const std::string& shape_name,
                        const Shape& sd_props) {
  if (!services_.files.ReplaceFile(path, UnicodeFileBytes(SdText(shape_name, sd_props)))) {
    throw core::Error("Cannot create file " + path);
  }
}

bool Route::AddShape(Shape& entry, const Shape& sd_props, bool add_to_ref, bool create_sd,
                     bool overwrite) {
  // Refused before anything is copied, so that the route is left as it was.
  if (add_to_ref) {
    RefuseIfUnreadable();
    RefuseLineBreaks(entry, services_.language);
  }
  if (create_sd) RefuseLineBreaks(sd_props, services_.language);
  const std::string source = entry.GetValue("Filename");
  const std::string name = FileNameOf(source);
  const std::string target = Folder + services_.language[core::Msg::ShapesFolder] + name;
  const std::string sd_path = Folder + services_.language[core::Msg::ShapesFolder] + SdNameFor(name);
  RefuseIfLeavingRoute(target);
  if (add_to_ref) {
    RefuseIfLeavingRoute(RefPath);
    // A shape copied in whose entry cannot be written would lie in SHAPES
    // unnamed by the route.
    if (!services_.files.CanReplace(RefPath)) {
      throw core::Error(services_.language.Format(core::Msg::RefNotReplaceableForAdding, RefPath));
    }
  }
  if (create_sd) RefuseIfLeavingRoute(sd_path);
  // Every question comes before the route is held for writing.
  if (!overwrite && services_.files.FileExists(target) &&
      !services_.ui.Ask(services_.language[core::Msg::OverwriteShape], target)) {
    return false;
  }
  const bool write_sd = create_sd && (overwrite || !services_.files.FileExists(sd_path) ||
                                      services_.ui.Ask("*.sd file already exists. Overwrite?", sd_path));
  std::optional<Writing> writing;
  if (add_to_ref) writing.emplace(*this);
  if (!services_.files.CopyFile(source, target, false)) {
    services_.ui.Message("Error", services_.language[core::Msg::CopyFailed] + name);
    return false;
  }
  entry.SetValue("Filename", name);
  if (add_to_ref) {
    AddEntry(entry);
    WriteRef();
  }
  if (write_sd) WriteSdFile(sd_path, name, sd_props);
  return true;
}

bool Route::CopyTextures(const std::string& list) {
  const std::vector<std::string> paths = SplitList(list, ';');
  auto target_of = [&](const std::string& path) {
    return Folder + services_.language[core::Msg::TexturesFolder] + FileNameOf(path);
  };
  // All refused before the first is copied.
  for (const std::string& path : paths) RefuseIfLeavingRoute(target_of(path));
  bool all_copied = true;
  for (const std::string& path : paths) {
    const std::string name = FileNameOf(path);
    const std::string target = target_of(path);
    if (services_.files.FileExists(target) &&
        !services_.ui.Ask(name + services_.language[core::Msg::TextureExists], target)) {
      all_copied = false;
      continue;
    }
    if (!services_.files.CopyFile(path, target, false)) {
      services_.ui.Message("Error", services_.language[core::Msg::CopyFailed] + name);
      all_copied = false;
    }
  }
  return all_copied;
}

bool Route::CopyIntoRoute(const std::string& source, const std::string& subfolder,
                          bool overwrite) {
  const std::string target = Folder + subfolder + FileNameOf(source);
  RefuseIfLeavingRoute(target);
  if (services_.files.CopyFile(source, target, !overwrite)) return true;
  return !overwrite && services_.files.FileExists(target);
}

}  // namespace route
