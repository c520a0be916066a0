// Text conversions. Strings inside the program are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-16LE bytes (without a byte-order mark; an odd last byte is dropped)
// to UTF-8. Unpaired surrogates become U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);
// UTF-8 to UTF-16LE bytes. Bytes that are not UTF-8 become U+FFFD.
std::string Utf8ToUtf16Le(std::string_view text);

// Lower case by the simple Unicode mapping, so Cyrillic names lower like
// Latin ones; bytes that are not UTF-8 stay as they are.
std::string LowerCase(std::string_view text);
// The form two names share when they differ only in letter case.
std::string FoldCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// Orders names the way NTFS lists them: by folded name.
bool LessIgnoreCase(std::string_view a, std::string_view b);

}  // namespace platform
