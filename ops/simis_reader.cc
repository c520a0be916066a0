#include "ops/simis_reader.h"

#include "convert/shape_conversion.h"
#include "formats/simis.h"
#include "platform/text.h"
#include "route/blocks.h"
#include "tools/run_tool.h"
#include "tools/tool_checks.h"

namespace ops {

SimisContent DecodeSimis(std::string_view bytes) {
  const formats::SimisFile file(bytes);
  switch (file.form()) {
    case formats::Form::kUnicodeText:
    case formats::Form::kEightBitText:
      return {SimisContent::kText, file.Text()};
    case formats::Form::kPlain:
      // Nothing at all reads as an empty text; anything else is no MSTS file.
      if (bytes.empty()) return {SimisContent::kText, {}};
      break;
    case formats::Form::kTokens:
    case formats::Form::kNoTypeLine:
      return {SimisContent::kBinary, {}};
    case formats::Form::kDamaged:
      break;
  }
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
  if (!converted || !formats::IsUnicodeText(*converted)) return std::nullopt;
  return formats::SimisFile(*converted).Text();
}

}  // namespace ops
