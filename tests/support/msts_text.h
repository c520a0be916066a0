// MSTS text files as tests write and expect them.
#pragma once

#include <zlib.h>

#include <string>
#include <string_view>

#include "platform/text.h"

namespace test_support {

// A Unicode text file: FF FE, then the text as UTF-16LE.
inline std::string UnicodeFile(std::string_view text) {
  return "\xFF\xFE" + platform::Utf8ToUtf16Le(text);
}

// An MSTS file of the type ("r1" a .ref, "s1" a shape, "w0" a world file...):
// its header line, a blank line and the text; as 8-bit text, or Unicode.
inline std::string MstsText(const std::string& type, std::string_view text) {
  return "SIMISA@@@@@@@@@@JINX0" + type + "t______\r\n\r\n" + std::string(text);
}
inline std::string MstsFile(const std::string& type, std::string_view text) {
  return UnicodeFile(MstsText(type, text));
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

// The compressed form: "SIMISA@F", the body's length, "@@@@", the body
// deflated.
inline std::string Compressed(std::string_view body) {
  uLongf size = compressBound(body.size());
  std::string stream(size, '\0');
  compress2(reinterpret_cast<Bytef*>(stream.data()), &size,
            reinterpret_cast<const Bytef*>(body.data()), body.size(), Z_BEST_COMPRESSION);
  std::string file = "SIMISA@F";
  for (int i = 0; i < 4; ++i) file += static_cast<char>((body.size() >> (8 * i)) & 0xff);
  return file + "@@@@" + stream.substr(0, size);
}

}  // namespace test_support
