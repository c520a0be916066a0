#include "convert/shape_dir.h"

#include "convert/shape_conversion.h"
#include "platform/windows_path.h"
#include "tools/choose_folder.h"
#include "tools/shape_groups.h"

namespace convert {

void SetShapeDir(core::ConvMain& main, const std::string& folder) {
  main.fields.ShapeDir = folder;
  main.fields.dsOpenInitialDir = folder;
  main.settings.WriteString("PATHS", "LASTDIR", folder);
}

void ShDirClick(core::ConvMain& main) {
  std::optional<std::string> folder =
      tools::ChooseFolder(main, main.language[core::Msg::Select3dsDir], "");
  if (folder) SetShapeDir(main, *folder);
}

void Convert1Click(core::ConvMain& main) {
  std::optional<std::string> folder = tools::ChooseFolder(
      main, main.language[core::Msg::SelectConvertDir], main.fields.ShapeDir);
  if (folder) ShConvertDir(main, *folder);
}

void ShConvertDir(core::ConvMain& main, const std::string& folder, const Announce& announce) {
  main.fields.ShapeDir = folder;
  const std::string base = folder + "\\";
  std::vector<std::string> names;
  for (const platform::FindEntry& entry :
       main.files.Find(base + "*.3ds", platform::kAnyAttributes)) {
    if (platform::IsWindowsFileName(entry.name)) {
      names.push_back(entry.name);
    } else {
      main.log.AddFailure(main.language.Format(core::Msg::NotAWindowsName, entry.name));
    }
  }
  for (const tools::ShapeGroup& group : tools::GroupByStem(names)) {
    if (announce) announce(group.names);
    main.fields.ShInput = group.names;
    main.fields.ShOutput = base + group.stem + ".s";
    ConvertShape(main);
  }
}

}  // namespace convert
