// Reading and writing MSTS text files. Unicode files are the bytes FF FE
// and UTF-16LE text; inside the program the text is UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace route {

// What every SIMIS file that is neither compressed nor binary opens with.
inline constexpr std::string_view kSimisOpening = "SIMISA@@@@@@@@@@JINX0";
// The header line of the .ref and .sd files the program writes.
inline constexpr std::string_view kSimisHeader = "SIMISA@@@@@@@@@@JINX0t1t______";

enum class TextForm {
  kUnicode,     // FF FE and UTF-16LE
  kEightBit,    // UTF-8 when it is valid UTF-8, else the ANSI code page
  kCompressed,  // "SIMISA@F" and a zlib stream
  kBinary,      // a SIMIS header whose type line ends in "b": tokens, not text
};

struct TextFile {
  TextForm form = TextForm::kEightBit;
  std::string text;  // empty for a compressed or binary file
};

// The file's text, its form told by formats::SimisFile. Throws
// core::Error("Cannot open file " + path) when the file cannot be read.
TextFile ReadTextFile(const platform::FileSystem& files, const std::string& path);
// The same of a file's bytes, read already.
TextFile TextFileOf(std::string bytes);

// FF FE, then the text as UTF-16LE, without a terminating zero.
std::string UnicodeFileBytes(std::string_view text);

}  // namespace route
