// Writing a file whose path the user gave: a copy batch, a report.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/conv_main.h"

namespace ops {

// Writes `bytes` to `path`, replacing a file already there only when the
// user agrees (else nothing is written, a log line says the file is kept,
// and the result is false). Refuses (core::Error), before it asks, a path that lies in one of `guarded` (the
// routes being compared or checked), reached by whatever way: its own
// links and its folder's followed, in any letter case. Refuses as well a
// folder, a file that is a link leading out of its folder, and one with
// other names (hard links), which would change a file elsewhere too.
// `refusal` names a path in a guarded folder. Throws core::Error when the
// file cannot be written.
bool ReplaceWhenAgreed(core::ConvMain& main, const std::string& path, std::string_view bytes,
                       const std::vector<std::string>& guarded, core::Msg refusal);

}  // namespace ops
