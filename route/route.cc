#include "route/route.h"

#include "core/error.h"
#include "route/ref_file.h"
#include "route/text_file.h"

namespace route {

Route::Route(core::ConvMain& main, const std::string& name, const std::string& msts_root)
    : Name(name), main_(main) {
  Folder = msts_root + "\\ROUTES\\" + name + "\\";
  RefPath = Folder + name + ".ref";
  if (main_.files.FileExists(RefPath)) return;
  for (const platform::FindEntry& found : main_.files.Find(Folder + "*.ref", platform::kAnyAttributes)) {
    if (found.attributes & platform::kDirectory) continue;
    RefPath = Folder + found.name;
    return;
  }
}

void Route::ReadRef() {
  read_ = false;
  Entries.clear();
  TextFile file = ReadTextFile(main_.files, RefPath);
  if (file.form == TextForm::kCompressed) {
    throw core::Error(main_.language.Format(core::Msg::FileCompressed, RefPath));
  }
  if (file.form == TextForm::kBinary) {
    throw core::Error(main_.language.Format(core::Msg::FileBinary, RefPath));
  }
  Entries = ParseRef(file.text);
  read_ = true;
}

void Route::AddEntry(const Shape& shape) {
  Shape& entry = Entries.emplace_back();
  for (const Props& prop : shape.PropList) entry.SetValue(prop.PropName, prop.PropValue);
}

void Route::RefuseIfUnreadable() const {
  if (Unreadable()) throw core::Error(main_.language.Format(core::Msg::RouteUnreadable, RefPath));
}

void Route::WriteRef(const std::string& path) {
  RefuseIfUnreadable();
  const std::string target = path.empty() ? RefPath : path;
  if (!main_.files.ReplaceFile(target, UnicodeFileBytes(RefText(Entries)))) {
    throw core::Error("Cannot create file " + target);
  }
}

void Route::BackupRef() {
  RefuseIfUnreadable();
  const std::string folder = Folder + main_.language[core::Msg::BackupFolder];
  // A folder that cannot be made shows as the write's own failure.
  if (!main_.files.FolderExists(folder)) main_.files.CreateFolder(folder);
  int number = 1;
  while (main_.files.FileExists(folder + Name + std::to_string(number) + ".ref")) ++number;
  WriteRef(folder + Name + std::to_string(number) + ".ref");
}

}  // namespace route
