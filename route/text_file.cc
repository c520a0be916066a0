#include "route/text_file.h"

#include "core/error.h"
#include "formats/simis.h"
#include "platform/text.h"

namespace route {
namespace {

constexpr std::string_view kByteOrderMark = "\xFF\xFE";
// What a text editor may put before UTF-8 text.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

TextFile ReadTextFile(const platform::FileSystem& files, const std::string& path) {
  std::optional<std::string> bytes = files.ReadFile(path);
  if (!bytes) throw core::Error("Cannot open file " + path);
  return TextFileOf(std::move(*bytes));
}

TextFile TextFileOf(std::string bytes) {
  const formats::SimisFile simis(bytes);
  TextFile file;
  if (simis.compressed()) {
    file.form = TextForm::kCompressed;
  } else if (simis.form() == formats::Form::kTokens) {
    file.form = TextForm::kBinary;
  } else if (simis.form() == formats::Form::kUnicodeText) {
    // Converted where it lies: a large route's file needs no second buffer.
    const size_t mark = static_cast<size_t>(simis.body().data() - bytes.data());
    file.form = TextForm::kUnicode;
    file.text = std::move(bytes);
    platform::Utf16LeToUtf8InPlace(file.text, mark);
  } else {
    std::string_view text = bytes;
    if (text.starts_with(kUtf8Mark)) text.remove_prefix(kUtf8Mark.size());
    file.text = platform::EightBitToUtf8(text);
  }
  return file;
}

std::string UnicodeFileBytes(std::string_view text) {
  std::string bytes(kByteOrderMark);
  platform::AppendUtf16Le(bytes, text);
  return bytes;
}

}  // namespace route
