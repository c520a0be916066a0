#include "convert/shape_conversion.h"

#include "convert/output_watch.h"
#include "convert/shape_text.h"
#include "core/strings.h"
#include "platform/text.h"
#include "tools/run_tool.h"
#include "tools/split_path.h"
#include "tools/tool_checks.h"

namespace convert {
namespace {

// Every formatted line of the conversion tells of a step that failed.
void LogFormatted(core::ConvMain& main, core::Msg key, const std::string& value) {
  main.log.AddFailure(main.language.Format(key, value));
}

// conv3ds, then the text edit. False when there is no new shape file to go on with.
bool ConvertModels(core::ConvMain& main) {
  const core::Fields& fields = main.fields;
  const std::string line =
      core::Trim(fields.PathUtils + "\\" + main.tools.Conv3dsName + " \"" + fields.ShOutput +
                 "\" " + platform::LowerCase(fields.ShInput));
  OutputWatch output(main.files, PathFrom(fields.ShapeDir, fields.ShOutput));
  if (!tools::RunTool(main, line, fields.ShapeDir, true)) {
    LogFormatted(main, core::Msg::ToolNotStarted, main.tools.Conv3dsName);
    return false;
  }
  if (!output.Written()) {
    LogFormatted(main, core::Msg::ShapeNoOutput, fields.ShOutput);
    return false;
  }
  main.log.Add(main.language[core::Msg::ShapeWord] + fields.ShOutput +
               main.language[core::Msg::ConversionDone]);
  if (fields.ShMipMap || fields.ShCheckTex) ShPostProcess(main);
  return true;
}

// txt2uni in the shape's folder. False when the binary step must not run.
bool ConvertToUnicode(core::ConvMain& main) {
  if (!tools::CheckTools(main)) return false;
  const core::Fields& fields = main.fields;
  std::optional<tools::SplitResult> split = tools::SplitPath(fields.ShOutput, main.files);
  if (!split || split->file.empty()) {
    LogFormatted(main, core::Msg::ShapeFileNotFound, fields.ShOutput);
    return false;
  }
  const std::string line =
      fields.PathUtils + "\\" + main.tools.Txt2uniName + " " + tools::Argument(split->file);
  if (!tools::RunTool(main, line, split->DriveFolder(), true)) {
    LogFormatted(main, core::Msg::ToolNotStarted, main.tools.Txt2uniName);
    return true;
  }
  std::optional<std::string> text = main.files.ReadFile(fields.ShOutput);
  if (text && text->starts_with("\xFF\xFE")) {
    main.log.Add(main.language[core::Msg::ShapeWord] + fields.ShOutput +
                 main.language[core::Msg::ConvertedToUnicode]);
  } else {
    LogFormatted(main, core::Msg::UnicodeFailed, fields.ShOutput);
  }
  return true;
}

// ffeditc_unicode works in its own folder, so it gets a copy there, which
// comes back over the shape only once the tool has rewritten it.
void ConvertToBinary(core::ConvMain& main) {
  const core::Fields& fields = main.fields;
  const std::string& editor = main.tools.FfeditcName;
  const std::string tool_folder = tools::EditorFolder(fields.MSTSRoot);
  if (!main.files.FileExists(tool_folder + editor + ".exe")) {
    LogFormatted(main, core::Msg::UnableToFind, editor);
    return;
  }
  std::optional<tools::SplitResult> split = tools::SplitPath(fields.ShOutput, main.files);
  if (!split || split->file.empty()) {
    LogFormatted(main, core::Msg::ShapeFileNotFound, fields.ShOutput);
    return;
  }
  const std::string work = WorkCopyName(main.files, tool_folder, split->file);
  const std::string copy = tool_folder + work;
  if (!main.files.CopyFile(fields.ShOutput, copy, true)) {
    LogFormatted(main, core::Msg::BinaryFailed, fields.ShOutput);
    return;
  }
  OutputWatch compressed(main.files, copy);
  const std::string line = platform::LowerCase(tool_folder + editor + " " + tools::Argument(work) +
                                               " /c /o:" + tools::Argument(work));
  if (!tools::RunTool(main, line, tool_folder, true)) {
    LogFormatted(main, core::Msg::ToolNotStarted, editor + ".exe");
  } else if (compressed.Written() && main.files.CopyFile(copy, fields.ShOutput, false)) {
    main.log.Add("Shape " + fields.ShOutput + " converted to binary");
  } else {
    LogFormatted(main, core::Msg::BinaryFailed, fields.ShOutput);
  }
  main.files.DeleteFile(copy);
}

}  // namespace

std::string WorkCopyName(const platform::FileSystem& files, const std::string& folder,
                         const std::string& name) {
  auto taken = [&](const std::string& candidate) {
    return files.FileExists(folder + candidate) || files.FolderExists(folder + candidate);
  };
  if (!taken(name)) return name;
  size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
  for (int number = 1;; ++number) {
    std::string candidate = stem + "_" + std::to_string(number) + extension;
    if (!taken(candidate)) return candidate;
  }
}

void ConvertShape(core::ConvMain& main) {
  if (!tools::CheckTools(main)) return;
  const core::Fields& fields = main.fields;
  if (fields.ShInput.empty()) {
    main.ui.Message("Warning", main.language[core::Msg::NeedOne3ds]);
    return;
  }
  if (fields.ShOutput.empty()) {
    main.ui.Message("Warning", main.language[core::Msg::SelectOutputFile]);
    return;
  }
  // The value goes into the shape as typed, where MSTS expects a number.
  if (fields.ShMipMap && !IsMipMapBias(fields.ShMipMapV)) {
    main.ui.Message("Warning", main.language.Format(core::Msg::BadMipMapBias, fields.ShMipMapV));
    return;
  }
  if (!ConvertModels(main)) return;
  if (fields.ShUnicode && !ConvertToUnicode(main)) return;
  if (fields.ShCompress) ConvertToBinary(main);
}

void ShProcClick(core::ConvMain& main) { ConvertShape(main); }

void ShIBrowseClick(core::ConvMain& main) {
  core::FileDialog dialog;
  dialog.filter = "*.3ds files|*.3ds";
  dialog.multiple = true;
  dialog.initial_folder = main.fields.dsOpenInitialDir;
  std::vector<std::string> picked = main.ui.OpenFiles(dialog);
  if (picked.empty()) return;
  std::string input = " ";
  for (const std::string& path : picked) {
    std::optional<tools::SplitResult> split = tools::SplitPath(path, main.files);
    // A file gone since it was picked still gives its name.
    std::string name = split ? split->file : path.substr(path.find_last_of("\\/:") + 1);
    input += tools::Argument(name) + " ";
  }
  main.fields.ShInput = input;
}

void ShBrowseClick(core::ConvMain& main) {
  core::FileDialog dialog;
  dialog.filter = "MSTS Shape File(*.s)|*.s";
  dialog.default_extension = "s";
  dialog.confirm_overwrite = true;
  std::optional<std::string> chosen = main.ui.SaveFile(dialog);
  if (chosen) main.fields.ShOutput = *chosen;
}

void ShUnicodeClick(core::ConvMain& main) {
  main.fields.ShCompressEnabled = main.fields.ShUnicode;
}

void ShMipMapClick(core::ConvMain& main) {
  main.fields.ShMipMapVVisible = main.fields.ShMipMap;
}

}  // namespace convert
