#include "ops/simis_reader.h"

#include "convert/shape_conversion.h"
#include "formats/shape_images.h"
#include "route/blocks.h"
#include "tools/run_tool.h"
#include "tools/tool_checks.h"

namespace ops {

std::string FaultText(const core::Language& language, formats::Fault fault) {
  using formats::Fault;
  switch (fault) {
    case Fault::kNone:
      break;
    case Fault::kNotOpened:
      return language[core::Msg::FaultNotOpened];
    case Fault::kTooLarge:
      return language[core::Msg::FaultTooLarge];
    case Fault::kBadHeader:
      return language[core::Msg::FaultBadHeader];
    case Fault::kLengthTooLarge:
      return language[core::Msg::FaultLengthTooLarge];
    case Fault::kLongerThanStated:
      return language[core::Msg::FaultLongerThanStated];
    case Fault::kStreamBroken:
      return language[core::Msg::FaultStreamBroken];
    case Fault::kStreamCut:
      return language[core::Msg::FaultStreamCut];
    case Fault::kBlockCut:
      return language[core::Msg::FaultBlockCut];
    case Fault::kLabelCut:
      return language[core::Msg::FaultLabelCut];
    case Fault::kValueCut:
      return language[core::Msg::FaultValueCut];
    case Fault::kNotTokens:
      return language[core::Msg::FaultNotTokens];
    case Fault::kUnknownForm:
      return language[core::Msg::FaultUnknownForm];
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

std::optional<std::vector<std::string>> SimisReader::ImageNames(const std::string& path,
                                                                std::string& why) {
  const std::optional<std::string> bytes = main_.files.ReadFile(path);
  if (!bytes) {
    why = FaultText(main_.language, platform::TooLargeToRead(main_.files, path)
                                        ? formats::Fault::kTooLarge
                                        : formats::Fault::kNotOpened);
    return std::nullopt;
  }
  formats::ShapeImages images = formats::ImageNames(formats::SimisFile(*bytes));
  if (images.fault == formats::Fault::kNone) return std::move(images.names);
  const std::optional<std::string> text = ThroughTool(path, images.fault, why);
  if (!text) return std::nullopt;
  return formats::ImageNames(formats::SimisFile(*text)).names;
}

std::optional<std::string> SimisReader::ThroughTool(const std::string& path, formats::Fault fault,
                                                    std::string& why) {
  const core::Language& language = main_.language;
  const std::string fault_text = FaultText(language, fault);
  if (!main_.files.FileExists(ToolPath())) {
    why = language.Format(core::Msg::ToolMissingFor, fault_text, ToolPath());
    return std::nullopt;
  }
  std::optional<std::string> text = Convert(path);
  if (!text) {
    why = language.Format(core::Msg::ToolFailedFor, fault_text);
    return std::nullopt;
  }
  main_.log.Add(language.Format(core::Msg::ReadThroughTool, path, fault_text));
  return text;
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
  std::optional<std::string> converted = files.ReadFile(copy);
  files.DeleteFile(copy);
  // The tool rewrote the copy only if it is Unicode text now.
  if (!converted || !formats::IsUnicodeText(*converted)) return std::nullopt;
  return converted;
}

}  // namespace ops
