// Text conversions. Strings inside the program are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-16LE bytes (without a byte-order mark; an odd last byte is dropped)
// to UTF-8. A lone surrogate takes the three-byte form of its code (as in
// WTF-8), so that it goes back to the same unit and names the same file.
std::string Utf16LeToUtf8(std::string_view bytes);
// The same for the bytes from `from` on, in the string that holds them, so
// that a large file read is its own text without a second buffer.
void Utf16LeToUtf8InPlace(std::string& bytes, size_t from);
// UTF-8, lone surrogates in their three-byte form included, to UTF-16LE
// bytes. Other bytes that are not UTF-8 become U+FFFD.
std::string Utf8ToUtf16Le(std::string_view text);
// The same, appended to `out`, which grows once.
void AppendUtf16Le(std::string& out, std::string_view text);
// Joins a lead surrogate followed by a trail surrogate, both in their
// three-byte form, into the four bytes of the character they make, as a
// text read from UTF-16 holds it.
void JoinSurrogatePairs(std::string& text);

// 8-bit text to UTF-8: kept as it is when it is valid UTF-8, else read as
// the ANSI code page of Russian Windows (Windows-1251), so that no
// character is lost.
std::string EightBitToUtf8(std::string_view bytes);

// Lower case by the simple Unicode mapping, so Cyrillic names lower like
// Latin ones; bytes that are not UTF-8 stay as they are.
std::string LowerCase(std::string_view text);
// The form two names share when they differ only in letter case.
std::string FoldCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// Orders names the way NTFS lists them: by folded name.
bool LessIgnoreCase(std::string_view a, std::string_view b);

// ASCII text changes case without tables: only non-ASCII letters (the Kelvin
// sign, the long s) fold onto ASCII ones, never the other way.
inline bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}
inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace platform
