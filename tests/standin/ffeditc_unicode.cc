// Stand-in for the SDK's ffeditc_unicode.exe:
//   ffeditc_unicode.exe <file> /c /o:<output>   compress
//   ffeditc_unicode.exe <file> /u /o:<output>   Unicode text
// The input may be Unicode text, 8-bit text (taken as UTF-8) or the
// compressed form this tool writes: "SIMISA@F", the body's length as a
// little-endian uint32, "@@@@", then the body deflated with zlib. The body
// is the Unicode text, FF FE included.
#include <zlib.h>

#include <cstdint>
#include <string>

#include "platform/text.h"
#include "tests/standin/standin_tool.h"

namespace {

constexpr std::string_view kCompressed = "SIMISA@F";
constexpr std::string_view kUnicodeMark = "\xFF\xFE";
constexpr size_t kCompressedHeader = 16;
// Far above any shape; keeps a damaged length from asking for gigabytes.
constexpr uLongf kMaxBody = 256u << 20;

std::optional<std::string> Inflate(std::string_view file) {
  if (file.size() < kCompressedHeader || file.substr(12, 4) != "@@@@") return std::nullopt;
  uLongf length = 0;
  for (int i = 3; i >= 0; --i) length = (length << 8) | static_cast<unsigned char>(file[8 + i]);
  if (length > kMaxBody) return std::nullopt;
  std::string body(length, '\0');
  std::string_view stream = file.substr(kCompressedHeader);
  if (uncompress(reinterpret_cast<Bytef*>(body.data()), &length,
                 reinterpret_cast<const Bytef*>(stream.data()), stream.size()) != Z_OK)
    return std::nullopt;
  body.resize(length);
  return body;
}

// The shape's text as UTF-8, whatever form the file is in.
std::optional<std::string> TextOf(std::string_view file) {
  if (file.starts_with(kCompressed)) {
    std::optional<std::string> body = Inflate(file);
    if (!body || body->starts_with(kCompressed)) return std::nullopt;
    return TextOf(*body);
  }
  if (file.starts_with(kUnicodeMark))
    return platform::Utf16LeToUtf8(file.substr(kUnicodeMark.size()));
  return std::string(file);
}

std::string UnicodeFile(const std::string& text) {
  return std::string(kUnicodeMark) + platform::Utf8ToUtf16Le(text);
}

std::optional<std::string> CompressedFile(const std::string& text) {
  std::string body = UnicodeFile(text);
  uLongf size = compressBound(body.size());
  std::string stream(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(stream.data()), &size,
                reinterpret_cast<const Bytef*>(body.data()), body.size(),
                Z_BEST_COMPRESSION) != Z_OK)
    return std::nullopt;
  stream.resize(size);
  std::string file(kCompressed);
  for (int i = 0; i < 4; ++i) file += static_cast<char>((body.size() >> (8 * i)) & 0xff);
  return file + "@@@@" + stream;
}

}  // namespace

int main(int argc, char** argv) {
  standin::Tool tool("ffeditc_unicode", argc, argv);
  const std::vector<std::string>& args = tool.args();
  std::string mode = args.size() == 3 ? platform::LowerCase(args[1]) : "";
  if ((mode != "/c" && mode != "/u") || args[2].size() <= 3 ||
      platform::LowerCase(args[2].substr(0, 3)) != "/o:")
    return tool.Fail(2, "usage: ffeditc_unicode <file> /c|/u /o:<output>");
  if (!tool.ready()) return tool.Fail(1, "the working folder lies on no drive");
  std::string output = args[2].substr(3);

  std::optional<std::string> file = tool.files().ReadFile(args[0]);
  if (!file) return tool.Fail(1, "cannot read " + args[0]);
  std::optional<std::string> text = TextOf(*file);
  if (!text) return tool.Fail(1, args[0] + " is damaged");

  std::optional<std::string> result = mode == "/c" ? CompressedFile(*text) : UnicodeFile(*text);
  if (!result) return tool.Fail(1, "cannot compress " + args[0]);
  if (!tool.files().ReplaceFile(output, *result)) return tool.Fail(1, "cannot write " + output);
  return 0;
}
