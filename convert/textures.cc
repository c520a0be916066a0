#include "convert/textures.h"

#include "convert/output_watch.h"
#include "platform/windows_path.h"
#include "tools/choose_folder.h"
#include "tools/run_tool.h"
#include "tools/split_path.h"
#include "tools/tool_checks.h"

namespace convert {
namespace {

std::string MakeaceCommandLine(const core::ConvMain& main, const std::string& source_name) {
  const core::Fields& fields = main.fields;
  std::string line = fields.PathUtils + "\\" + main.tools.MakeaceName + " " +
                     tools::Argument(source_name) + " \"" + fields.TexOutput + "\"";
  if (fields.TexTrans) line += " -trans";
  if (fields.TexCab) {
    line += " -bmp -width:(" + fields.TexWidth + ") -height:(" + fields.TexHeight + ")";
  }
  if (fields.TexCompression == core::Compression::kZlib) line += " -zlib";
  if (fields.TexCompression == core::Compression::kDxt) line += " -dxt";
  return line;
}

}  // namespace

std::string AceNameFor(const std::string& path) {
  size_t dot = path.rfind('.');
  return (dot == std::string::npos ? "" : path.substr(0, dot + 1)) + "ace";
}

void ConvertTexture(core::ConvMain& main) {
  if (!tools::CheckTools(main)) return;
  const core::Fields& fields = main.fields;
  if (fields.TexSource.empty()) {
    main.ui.Message("Warning", main.language[core::Msg::SelectTextureSource]);
    return;
  }
  if (fields.TexOutput.empty()) {
    main.ui.Message("Warning", main.language[core::Msg::SelectOutputFile]);
    return;
  }
  std::optional<tools::SplitResult> source = tools::SplitPath(fields.TexSource, main.files);
  if (!source) return;
  const std::string folder = source->DriveFolder();

  OutputWatch output(main.files, PathFrom(folder, fields.TexOutput));
  if (!tools::RunTool(main, MakeaceCommandLine(main, source->file), folder, true)) {
    main.log.AddFailure(main.language.Format(core::Msg::ToolNotStarted, main.tools.MakeaceName));
    return;
  }
  if (output.Written()) {
    main.log.Add(main.language[core::Msg::TextureWord] + fields.TexSource +
                 main.language[core::Msg::ConversionDone]);
  } else {
    main.log.AddFailure(main.language.Format(core::Msg::TextureNoOutput, fields.TexSource));
  }
}

void TexProcClick(core::ConvMain& main) { ConvertTexture(main); }

void ConvertTextureFolder(core::ConvMain& main, const std::string& folder,
                          const Announce& announce) {
  for (const char* pattern : {"*.tga", "*.bmp"}) {
    for (const platform::FindEntry& entry :
         main.files.Find(folder + pattern, platform::kAnyAttributes)) {
      if (!platform::IsWindowsFileName(entry.name)) {
        main.log.AddFailure(main.language.Format(core::Msg::NotAWindowsName, entry.name));
        continue;
      }
      main.fields.TexSource = folder + entry.name;
      main.fields.TexOutput = AceNameFor(main.fields.TexSource);
      if (announce) announce(main.fields.TexSource);
      ConvertTexture(main);
    }
  }
}

void TexBrowseClick(core::ConvMain& main) {
  core::FileDialog dialog;
  dialog.filter = "Targa Bitmap(*.tga)|*.tga|Bitmap(*.bmp)|*.bmp";
  std::vector<std::string> picked = main.ui.OpenFiles(dialog);
  if (picked.empty()) return;
  const std::string& path = picked.front();
  main.fields.TexSource = path;
  main.fields.TexOutput = path.substr(0, path.size() < 4 ? 0 : path.size() - 4) + ".ace";
}

void TexOutClick(core::ConvMain& main) {
  core::FileDialog dialog;
  dialog.filter = "MSTS Texture(*.ace)|*.ace";
  dialog.default_extension = "ace";
  dialog.confirm_overwrite = true;
  std::optional<std::string> chosen = main.ui.SaveFile(dialog);
  if (chosen) main.fields.TexOutput = *chosen;
}

void TexCabClick(core::ConvMain& main) { main.fields.GroupBox3Enabled = main.fields.TexCab; }

void BtTex1Click(core::ConvMain& main) {
  std::optional<std::string> folder =
      tools::ChooseFolder(main, main.language[core::Msg::SelectConvertDir], "");
  if (!folder) return;
  ConvertTextureFolder(main, *folder + "\\");
}

}  // namespace convert
