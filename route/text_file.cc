#include "route/text_file.h"

#include "core/error.h"
#include "platform/text.h"

namespace route {
namespace {

constexpr std::string_view kByteOrderMark = "\xFF\xFE";
// What a text editor may put before UTF-8 text.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// The signature as UTF-16LE text that lost its byte-order mark.
constexpr std::string_view kWideSignature{"S\0I\0M\0I\0S\0A\0", 12};

}  // namespace

TextForm FormOf(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark) || bytes.starts_with(kWideSignature)) {
    return TextForm::kUnicode;
  }
  if (bytes.starts_with("SIMISA@F")) return TextForm::kCompressed;
  // "JINX0s1b______": the eighth letter of the type line tells text from tokens.
  if (bytes.starts_with(kSimisOpening) && bytes.size() > 23 && bytes[23] == 'b') {
    return TextForm::kBinary;
  }
  return TextForm::kEightBit;
}

TextFile ReadTextFile(const platform::FileSystem& files, const std::string& path) {
  std::optional<std::string> bytes = files.ReadFile(path);
  if (!bytes) throw core::Error("Cannot open file " + path);
  return TextFileOf(std::move(*bytes));
}

TextFile TextFileOf(std::string bytes) {
  TextFile file;
  file.form = FormOf(bytes);
  std::string_view view = bytes;
  switch (file.form) {
    case TextForm::kUnicode: {
      const size_t mark = view.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
      file.text = std::move(bytes);
      platform::Utf16LeToUtf8InPlace(file.text, mark);
      break;
    }
    case TextForm::kEightBit:
      if (view.starts_with(kUtf8Mark)) view.remove_prefix(kUtf8Mark.size());
      file.text = platform::EightBitToUtf8(view);
      break;
    case TextForm::kCompressed:
    case TextForm::kBinary:
      break;
  }
  return file;
}

std::string UnicodeFileBytes(std::string_view text) {
  std::string bytes(kByteOrderMark);
  platform::AppendUtf16Le(bytes, text);
  return bytes;
}

}  // namespace route
