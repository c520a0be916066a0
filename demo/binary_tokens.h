// MSTS text turned into the binary token form and back, as the SDK's
// editor tool does: for the stand-in ffeditc_unicode, the demo
// installation, the benchmarks and the tests' fixtures. Each keyword it
// knows has its token number (the program's own where it has one, else a
// number of this table's) and the layout of its values, which the token
// form does not record.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace standin {

// The token file of an MSTS text (UTF-8, its first line the SIMIS header,
// "SIMISA@@@@@@@@@@JINX0s1t______"): the signature, the type line with its
// eighth letter "b", the blocks. Throws std::runtime_error for a keyword or
// a value the table does not know.
std::string TokenFile(std::string_view text);
// The same compressed: "SIMISA@F", the length, "@@@@", then the type line
// and the blocks deflated.
std::string CompressedTokenFile(std::string_view text);

// The text (UTF-8, in the layout the tool writes) of a token file in
// either form; nothing for a file that is no token file of known keywords
// or that is damaged.
std::optional<std::string> TokenText(std::string_view file);

}  // namespace standin
