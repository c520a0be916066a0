#include "ops/user_file.h"

#include "core/error.h"
#include "platform/windows_path.h"

namespace ops {
namespace {

// Whether the path, as written or where its links lead, lies in the folder.
bool LiesIn(const platform::FileSystem& files, const std::string& path,
            const std::optional<std::string>& final_path, const std::string& folder) {
  const std::string current = files.CurrentFolder();
  if (platform::LiesInside(path, folder, current)) return true;
  const std::optional<std::string> real_folder = files.FinalPath(folder);
  return final_path && real_folder && platform::LiesInside(*final_path, *real_folder, current);
}

}  // namespace

bool ReplaceWhenAgreed(core::ConvMain& main, const std::string& path, std::string_view bytes,
                       const std::vector<std::string>& guarded, core::Msg refusal) {
  const core::Language& texts = main.language;
  platform::FileSystem& files = main.files;
  const std::optional<std::string> final_path = files.FinalPath(path);
  for (const std::string& folder : guarded) {
    if (LiesIn(files, path, final_path, folder)) throw core::Error(texts.Format(refusal, path));
  }
  const std::string_view folder = platform::SplitLastName(path).folder;
  // Written through such a link, the file would replace one elsewhere.
  if (files.LinkOutOf(folder.empty() ? files.CurrentFolder() : std::string(folder), path)) {
    throw core::Error(texts.Format(core::Msg::LinkOutOfFolder, path));
  }
  const platform::EntryKind kind = files.KindAt(path);
  if (kind == platform::EntryKind::kFolder) {
    throw core::Error(texts.Format(core::Msg::FolderNotFile, path));
  }
  if (const std::optional<platform::FileStamp> stamp = files.Stamp(path); stamp && stamp->links > 1) {
    throw core::Error(texts.Format(core::Msg::HardLinked, path));
  }
  if (kind != platform::EntryKind::kNone &&
      !main.ui.Ask(texts[core::Msg::ReplaceFileQuestion], path)) {
    main.log.Add(texts.Format(core::Msg::FileKept, path));
    return false;
  }
  if (!files.ReplaceFile(path, bytes)) throw core::Error("Cannot create file " + path);
  return true;
}

}  // namespace ops
