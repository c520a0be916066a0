#include "ops/simis_reader.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>

#include "convert/shape_conversion.h"
#include "platform/text.h"
#include "route/blocks.h"
#include "tools/run_tool.h"
#include "tools/tool_checks.h"

namespace ops {
namespace {

constexpr std::string_view kMark = "\xFF\xFE";
constexpr std::string_view kSignature = "SIMISA@@@@@@@@@@";
constexpr std::string_view kCompressed = "SIMISA@F";
constexpr std::string_view kWideSimis{"S\0I\0M\0I\0S\0A\0", 12};
constexpr std::string_view kWideJinx{"J\0I\0N\0X\0", 8};
// "SIMISA@F", the body's length, "@@@@".
constexpr size_t kCompressedHeader = 16;
// The length in the header is only a hint: a damaged one must not ask for
// gigabytes, and no MSTS file comes near this.
constexpr size_t kMaxBody = size_t{512} << 20;
constexpr size_t kLengthHint = size_t{16} << 20;

std::optional<std::string> Inflate(std::string_view file) {
  if (file.size() < kCompressedHeader || file.substr(12, 4) != "@@@@") return std::nullopt;
  uint32_t length = 0;
  for (int i = 3; i >= 0; --i) length = (length << 8) | static_cast<unsigned char>(file[8 + i]);
  std::string body;
  body.reserve(std::min<size_t>(length, kLengthHint));
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return std::nullopt;
  std::string_view input = file.substr(kCompressedHeader);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
  stream.avail_in = static_cast<uInt>(input.size());
  char chunk[1 << 16];
  int result = Z_OK;
  while (result == Z_OK && body.size() <= kMaxBody) {
    stream.next_out = reinterpret_cast<Bytef*>(chunk);
    stream.avail_out = sizeof chunk;
    result = inflate(&stream, Z_NO_FLUSH);
    body.append(chunk, sizeof chunk - stream.avail_out);
    // A stream cut short has used up its input without ending.
    if (result == Z_OK && stream.avail_in == 0 && stream.avail_out != 0) break;
  }
  inflateEnd(&stream);
  if (result != Z_STREAM_END) return std::nullopt;
  return body;
}

SimisContent Text(std::string text) { return {SimisContent::kText, std::move(text)}; }

SimisContent WideText(std::string_view bytes) {
  if (bytes.starts_with(kMark)) bytes.remove_prefix(kMark.size());
  return Text(platform::Utf16LeToUtf8(bytes));
}

// "JINX0s1b______": the eighth letter tells tokens (b) from text.
SimisContent Typed(std::string_view bytes, std::string_view type_line) {
  if (type_line.size() > 7 && type_line[7] == 'b') return {SimisContent::kBinary, {}};
  return Text(std::string(bytes));
}

// What a compressed file inflates to: a text with or without its SIMIS
// signature, or tokens.
SimisContent Body(std::string_view body) {
  if (IsUnicodeText(body) || body.starts_with(kWideJinx)) return WideText(body);
  if (body.starts_with(kSignature)) return Typed(body, body.substr(kSignature.size()));
  if (body.starts_with("JINX0")) return Typed(body, body);
  return {SimisContent::kBinary, {}};
}

}  // namespace

bool IsUnicodeText(std::string_view bytes) {
  return bytes.starts_with(kMark) || bytes.starts_with(kWideSimis);
}

SimisContent DecodeSimis(std::string_view bytes) {
  if (bytes.empty()) return Text({});
  if (IsUnicodeText(bytes)) return WideText(bytes);
  if (bytes.starts_with(kCompressed)) {
    std::optional<std::string> body = Inflate(bytes);
    if (!body) return {};
    return Body(*body);
  }
  if (bytes.starts_with(kSignature)) return Typed(bytes, bytes.substr(kSignature.size()));
  return {};
}

std::string MstsRootOf(const std::string& route_folder) {
  std::string root = route_folder;
  for (int cut = 0; cut < 3; ++cut) {
    size_t slash = root.rfind('\\');
    root = slash == std::string::npos ? std::string() : root.substr(0, slash);
  }
  return root;
}

SimisReader::SimisReader(core::ConvMain& main, const route::Route& route)
    : main_(main), tool_folder_(tools::EditorFolder(MstsRootOf(route.Folder))) {}

std::optional<std::string> SimisReader::ReadText(const std::string& path) {
  std::optional<std::string> bytes = main_.files.ReadFile(path);
  if (!bytes) return std::nullopt;
  return TextOf(path, *bytes);
}

std::optional<std::string> SimisReader::TextOf(const std::string& path, std::string_view bytes) {
  SimisContent content = DecodeSimis(bytes);
  switch (content.form) {
    case SimisContent::kText:
      return std::move(content.text);
    case SimisContent::kBinary:
      return Convert(path);
    case SimisContent::kDamaged:
      break;
  }
  return std::nullopt;
}

std::string SimisReader::ToolPath() const {
  return tool_folder_ + main_.tools.FfeditcName + ".exe";
}

std::optional<std::string> SimisReader::Convert(const std::string& path) {
  platform::FileSystem& files = main_.files;
  const std::string work = convert::WorkCopyName(files, tool_folder_, route::FileNameOf(path));
  const std::string copy = tool_folder_ + work;
  if (!files.CopyFile(path, copy, true)) return std::nullopt;
  // Every path quoted: a name with a blank is one argument.
  tools::RunTool(main_,
                 "\"" + ToolPath() + "\" \"" + work + "\" /u /o:\"" + work + "\"",
                 tool_folder_, false);
  const std::optional<std::string> converted = files.ReadFile(copy);
  files.DeleteFile(copy);
  // The tool rewrote the copy only if it is Unicode text now.
  if (!converted || !IsUnicodeText(*converted)) return std::nullopt;
  return WideText(*converted).text;
}

}  // namespace ops
