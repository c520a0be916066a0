#include "ops/user_file.h"

#include "core/error.h"

namespace ops {

bool ReplaceWhenAgreed(core::ConvMain& main, const std::string& path, std::string_view bytes) {
  const core::Language& texts = main.language;
  const platform::EntryKind kind = main.files.KindAt(path);
  if (kind == platform::EntryKind::kFolder) {
    throw core::Error(texts.Format(core::Msg::FolderNotFile, path));
  }
  if (kind != platform::EntryKind::kNone &&
      !main.ui.Ask(texts[core::Msg::ReplaceFileQuestion], path)) {
    main.log.Add(texts.Format(core::Msg::FileKept, path));
    return false;
  }
  if (!main.files.ReplaceFile(path, bytes)) throw core::Error("Cannot create file " + path);
  return true;
}

}  // namespace ops
