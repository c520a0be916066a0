#pragma once

#include <string_view>

namespace platform {

// Whether a name matches a Windows wildcard pattern: * for any run of
// characters, ? for one, letters compared without regard to case. "*.*"
// matches every name, also one without a dot.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace platform
