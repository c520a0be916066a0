// MSTS text files as tests write and expect them.
#pragma once

#include <string>
#include <string_view>

#include "platform/text.h"

namespace test_support {

// A Unicode text file: FF FE, then the text as UTF-16LE.
inline std::string UnicodeFile(std::string_view text) {
  return "\xFF\xFE" + platform::Utf8ToUtf16Le(text);
}

// The text with every LF turned into CR LF, as MSTS files end their lines.
inline std::string Crlf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace test_support
