// Finding the MSTS installation on a first start, when the MSTS root dir
// set holds no ROUTES folder.
#pragma once

#include "core/conv_main.h"
#include "platform/registry.h"

namespace tools {

// Where the MSTS installer records its folder: value "Path" of its key of
// HKEY_LOCAL_MACHINE, in either of the two spellings in use.
inline constexpr const char* kMstsKeys[] = {
    "SOFTWARE\\Microsoft\\Microsoft Games\\Train Simulator\\1.0",
    "SOFTWARE\\Microsoft Games\\Train Simulator\\1.0",
};

// Unless MSTSRoot holds a ROUTES folder: the folder the installer recorded,
// then the folders MSTS is usually installed in; the first that holds a
// ROUTES folder is taken as if chosen on the Settings page (SetMstsRoot),
// with a log line saying where it was found. True when one was taken.
bool FindMstsRoot(core::ConvMain& main, const platform::Registry& registry);

}  // namespace tools
