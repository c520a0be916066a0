#include "route/route.h"

#include "core/error.h"
#include "route/discovery.h"
#include "platform/windows_path.h"
#include "route/ref_file.h"
#include "route/text_file.h"

namespace route {

Route::Route(const Services& services, const std::string& name, const std::string& msts_root)
    : Name(name), services_(services) {
  if (!IsRouteName(name)) throw core::Error(services_.language.Format(core::Msg::BadRouteName, name));
  Folder = msts_root + "\\ROUTES\\" + name + "\\";
  RefPath = Folder + name + ".ref";
  if (services_.files.FileExists(RefPath)) return;
  for (const platform::FindEntry& found : services_.files.Find(Folder + "*.ref", platform::kAnyAttributes)) {
    if (found.attributes & platform::kDirectory) continue;
    RefPath = Folder + found.name;
    return;
  }
}

void Route::ReadRef() {
  read_ = false;
  Entries.clear();
  if (services_.files.IsSpecialFile(RefPath)) {
    throw core::Error(services_.language.Format(core::Msg::NotRegularFile, RefPath));
  }
  if (platform::TooLargeToRead(services_.files, RefPath)) {
    throw core::Error(services_.language.Format(core::Msg::FileTooLarge, RefPath));
  }
  TextFile file = ReadTextFile(services_.files, RefPath);
  if (file.form == TextForm::kCompressed) {
    throw core::Error(services_.language.Format(core::Msg::FileCompressed, RefPath));
  }
  if (file.form == TextForm::kBinary) {
    throw core::Error(services_.language.Format(core::Msg::FileBinary, RefPath));
  }
  ParsedRef ref = ParseRef(file.text);
  if (ref.fault == RefFault::kNoHeader) {
    throw core::Error(services_.language.Format(core::Msg::NotRouteFile, RefPath));
  }
  if (ref.fault == RefFault::kUnclosedBlock) {
    throw core::Error(services_.language.Format(core::Msg::RouteFileCutShort, RefPath));
  }
  Entries = std::move(ref.entries);
  read_ = true;
}

void Route::AddEntry(const Shape& shape) {
  Shape& entry = Entries.emplace_back();
  for (const Props& prop : shape.PropList) entry.SetValue(prop.PropName, prop.PropValue);
}

void Route::RefuseIfUnreadable() const {
  if (Unreadable()) throw core::Error(services_.language.Format(core::Msg::RouteUnreadable, RefPath));
}

// The route folder itself may be reached through links; nothing beneath it
// is written through one that leads elsewhere.
void Route::RefuseIfLeavingRoute(const std::string& path) const {
  std::optional<std::string> leaving;
  if (!platform::LiesInside(path, Folder, services_.files.CurrentFolder())) {
    leaving = path;
  } else {
    leaving = services_.files.LinkOutOf(Folder, path);
  }
  if (leaving) throw core::Error(services_.language.Format(core::Msg::LeadsOutOfRoute, *leaving));
}

void Route::WriteRef(const std::string& path) {
  RefuseIfUnreadable();
  const std::string target = path.empty() ? RefPath : path;
  RefuseIfLeavingRoute(target);
  if (!services_.files.ReplaceFile(target, UnicodeFileBytes(RefText(Entries)))) {
    throw core::Error("Cannot create file " + target);
  }
}

void Route::BackupRef() {
  RefuseIfUnreadable();
  const std::string folder = Folder + services_.language[core::Msg::BackupFolder];
  RefuseIfLeavingRoute(folder);
  // A folder that cannot be made shows as the write's own failure.
  if (!services_.files.FolderExists(folder)) services_.files.CreateFolder(folder);
  int number = 1;
  // Anything at a name takes it, a link leading nowhere too.
  while (services_.files.KindAt(folder + Name + std::to_string(number) + ".ref") !=
         platform::EntryKind::kNone) {
    ++number;
  }
  WriteRef(folder + Name + std::to_string(number) + ".ref");
}

}  // namespace route
