// Writing a file whose path the user gave: a copy batch, a report.
#pragma once

#include <string>
#include <string_view>

#include "core/conv_main.h"

namespace ops {

// Writes `bytes` to `path`, which must not be a folder (core::Error); a file
// already there is replaced only when the user agrees, else nothing is
// written, a log line says the file is kept, and the result is false.
// Throws core::Error when the file cannot be written.
bool ReplaceWhenAgreed(core::ConvMain& main, const std::string& path, std::string_view bytes);

}  // namespace ops
