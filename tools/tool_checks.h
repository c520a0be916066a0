// Where the SDK tools live: the utilities folder with conv3ds, txt2uni and
// makeace, and the MSTS root whose UTILS\FFEDIT\ holds the editor tool.
#pragma once

#include <string>

#include "core/conv_main.h"

namespace tools {

// root + "\UTILS\FFEDIT\", with the trailing backslash.
std::string EditorFolder(const std::string& root);

// True when the three utilities lie in PathUtils; then PathUtils is stored
// again. Otherwise warns "Unable to find <name>" for the first one missing.
bool CheckTools(core::ConvMain& main);

// The utilities folder's Browse button: a chosen folder becomes PathUtils;
// the check runs whether or not one was chosen.
void Button1Click(core::ConvMain& main);

// Stores and shows the root, warns when its editor tool is missing, and
// makes root + "\UTILS" the utilities folder when PathUtils is empty;
// the settings then hold the utilities folder shown.
void SetMstsRoot(core::ConvMain& main, const std::string& root);
// The MSTS root's Browse button.
void MSTSSelectClick(core::ConvMain& main);

}  // namespace tools
