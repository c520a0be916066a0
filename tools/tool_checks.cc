#include "tools/tool_checks.h"

#include "tools/choose_folder.h"

namespace tools {

std::string EditorFolder(const std::string& root) { return root + "\\UTILS\\FFEDIT\\"; }

bool CheckTools(core::ConvMain& main) {
  const core::ToolNames& names = main.tools;
  for (const std::string* name : {&names.Conv3dsName, &names.Txt2uniName, &names.MakeaceName}) {
    if (!main.files.FileExists(main.fields.PathUtils + "\\" + *name)) {
      main.ui.Message("Warning", main.language.Format(core::Msg::UnableToFind, *name));
      return false;
    }
  }
  main.settings.WriteString("PATHS", "UTILS", main.fields.PathUtils);
  return true;
}

void Button1Click(core::ConvMain& main) {
  std::optional<std::string> folder =
      ChooseFolder(main, "Select directory with the program:", "");
  if (folder) main.fields.PathUtils = *folder;
  CheckTools(main);
}

void SetMstsRoot(core::ConvMain& main, const std::string& root) {
  main.settings.WriteString("PATHS", "ROOT", root);
  main.fields.MSTSRoot = root;
  const std::string& editor = main.tools.FfeditcName;
  if (!main.files.FileExists(EditorFolder(root) + editor + ".exe")) {
    main.ui.Message("Warning", main.language.Format(core::Msg::UnableToFind, editor));
  }
  if (main.fields.PathUtils.empty()) main.fields.PathUtils = root + "\\UTILS";
  // The utilities folder shown is the one in force: the settings keep it,
  // so that the next start takes the same.
  main.settings.WriteString("PATHS", "UTILS", main.fields.PathUtils);
}

void MSTSSelectClick(core::ConvMain& main) {
  std::optional<std::string> root =
      ChooseFolder(main, main.language[core::Msg::SelectMstsRoot], "");
  if (root) SetMstsRoot(main, *root);
}

}  // namespace tools
