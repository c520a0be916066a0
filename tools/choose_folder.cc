#include "tools/choose_folder.h"

namespace tools {

std::optional<std::string> ChooseFolder(core::ConvMain& main, const std::string& title,
                                        const std::string& initial_folder) {
  bool usable = !initial_folder.empty() && main.files.FolderExists(initial_folder);
  return main.ui.ChooseFolder(title, usable ? initial_folder : "");
}

}  // namespace tools
