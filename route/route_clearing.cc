// The route's part of clearing: removing entries and taking the files of
// shapes, with their textures, out of the route into its backup folder.
#include <algorithm>
#include <unordered_set>

#include "core/strings.h"
#include "platform/text.h"
#include "platform/windows_path.h"
#include "route/blocks.h"
#include "route/route.h"

namespace route {
namespace {

constexpr std::string_view kFileName = "FileName";

// name_1.s, name_2.s ... beside a name already taken.
std::string NumberedName(const std::string& name, int number) {
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return name + "_" + std::to_string(number);
  return name.substr(0, dot) + "_" + std::to_string(number) + name.substr(dot);
}

// What a log line adds when the backup took a numbered name.
std::string KeptAs(const core::Language& language, const std::string& kept_as) {
  return kept_as.empty() ? std::string() : language.Format(core::Msg::KeptAs, kept_as);
}

}  // namespace

std::string CleanName(std::string_view text) {
  std::string name = core::Trim(text);
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
    name = core::Trim(std::string_view(name).substr(1, name.size() - 2));
  }
  return name;
}

int Route::DeleteDuplicates() {
  RefuseIfUnreadable();
  std::unordered_set<std::string> seen;
  std::vector<bool> marked(Entries.size());
  int count = 0;
  for (size_t i = 0; i < Entries.size(); ++i) {
    const std::string& name = Entries[i].GetValue(kFileName);
    if (name.empty() || seen.insert(platform::FoldCase(name)).second) continue;
    marked[i] = true;
    ++count;
    services_.log.Add("Deleted " + name);
  }
  if (count > 0) {
    MakeFolder(BackupFolder());
    RemoveEntries(marked);
  }
  WriteRef();
  return count;
}

int Route::DeleteNonexistent() {
  RefuseIfUnreadable();
  // One listing of SHAPES\ answers for every bare name; a name with a
  // folder part is looked up on its own.
  const std::string shapes = Folder + services_.language[core::Msg::ShapesFolder];
  std::unordered_set<std::string> present;
  for (const platform::FindEntry& found :
       services_.files.Find(shapes + "*", platform::kAnyAttributes)) {
    if (!(found.attributes & platform::kDirectory)) present.insert(platform::FoldCase(found.name));
  }
  std::vector<bool> marked(Entries.size());
  int count = 0;
  for (size_t i = 0; i < Entries.size(); ++i) {
    const std::string& name = Entries[i].GetValue(kFileName);
    if (name.empty() || !NamesMatch(Entries[i].BlockType(), "static")) continue;
    const bool exists = name.find_first_of("\\/") == std::string::npos
                            ? present.count(platform::FoldCase(name)) > 0
                            : services_.files.FileExists(shapes + name);
    if (exists) continue;
    marked[i] = true;
    ++count;
    services_.log.Add(name);
    services_.ui.KeepAlive();
  }
  if (count > 0) {
    MakeFolder(BackupFolder());
    RemoveEntries(marked);
  }
  return count;
}

void Route::DeleteEntries(const std::vector<bool>& marked, bool move_shape_files,
                          bool move_textures, TextReader& reader) {
  RefuseIfUnreadable();
  if (std::find(marked.begin(), marked.end(), true) == marked.end()) return;
  MakeFolder(BackupFolder());
  for (size_t i = 0; i < Entries.size() && i < marked.size(); ++i) {
    if (!marked[i]) continue;
    TakeShapeOut(Entries[i].GetValue(kFileName), move_shape_files, move_textures, reader);
    services_.ui.KeepAlive();
  }
  RemoveEntries(marked);
}

void Route::DeleteEntry(const std::string& file_name, bool move_shape_files, bool move_textures,
                        TextReader& reader) {
  RefuseIfUnreadable();
  MakeFolder(BackupFolder());
  TakeShapeOut(file_name, move_shape_files, move_textures, reader);
}

std::string Route::BackupFolder() const {
  return Folder + services_.language[core::Msg::BackupFolder];
}

void Route::MakeFolder(const std::string& path) {
  // A folder that cannot be made shows as the moves into it failing.
  if (!services_.files.FolderExists(path)) services_.files.CreateFolder(path);
}

bool Route::InRoute(const std::string& folder, const std::string& name) const {
  if (name.empty() || name.front() == '\\' || name.front() == '/' ||
      name.find(':') != std::string::npos) {
    return false;
  }
  const std::string current = services_.files.CurrentFolder();
  return platform::LiesInside(folder, Folder, current) &&
         platform::LiesInside(folder + name, folder, current) &&
         !services_.files.LinkOutOf(Folder, folder + name);
}

Route::Removal Route::TakeOut(const std::string& folder, const std::string& name,
                              const std::string& backup_folder) {
  if (!InRoute(folder, name)) return {Fate::kOutside, {}};
  const std::string path = folder + name;
  if (!services_.files.FileExists(path)) return {Fate::kMissing, {}};
  if (backup_folder.empty()) {
    return {services_.files.DeleteFile(path) ? Fate::kMoved : Fate::kFailed, {}};
  }
  // The backup keeps the name the file has on disk, whatever letter case
  // the entry or the search gave it.
  std::string own_name = FileNameOf(name);
  const std::vector<platform::FindEntry> found = services_.files.Find(path, platform::kAnyAttributes);
  if (found.size() == 1) own_name = found.front().name;
  if (!InRoute(backup_folder, own_name)) return {Fate::kOutside, {}};
  auto taken = [&](const std::string& candidate) {
    return services_.files.FileExists(backup_folder + candidate) ||
           services_.files.FolderExists(backup_folder + candidate);
  };
  std::string target = own_name;
  for (int number = 1; taken(target); ++number) target = NumberedName(own_name, number);
  if (!services_.files.MoveFile(path, backup_folder + target)) return {Fate::kFailed, {}};
  ++files_moved_;
  return {Fate::kMoved, target == own_name ? std::string() : target};
}

void Route::TakeShapeOut(const std::string& file_name, bool move_shape_files, bool move_textures,
                         TextReader& reader) {
  if (file_name.empty() || (!move_shape_files && !move_textures)) return;
  const core::Language& language = services_.language;
  const std::string shapes = Folder + language[core::Msg::ShapesFolder];
  const std::string shape_path = shapes + file_name;
  if (!InRoute(shapes, file_name)) {
    services_.log.AddFailure(language.Format(core::Msg::OutsideRoute, file_name));
    return;
  }
  if (!services_.files.FileExists(shape_path)) {
    services_.log.Add(language.Format(core::Msg::ShapeMissing, shape_path));
    return;
  }
  // Before the shape moves: its text names the textures.
  if (move_textures) TakeTexturesOut(shape_path, reader);
  if (!move_shape_files) return;

  const std::string backup = BackupFolder() + language[core::Msg::ShapesFolder];
  MakeFolder(backup);
  const Removal shape = TakeOut(shapes, file_name, backup);
  if (shape.fate != Fate::kMoved) {
    if (shape.fate == Fate::kMissing) {
      services_.log.Add(language.Format(core::Msg::ShapeMissing, shape_path));
    } else {
      services_.log.AddFailure(language.Format(core::Msg::NotMoved, shape_path));
    }
    return;
  }
  services_.log.Add(shape_path + language[core::Msg::ShapeDeleted] +
                    KeptAs(language, shape.kept_as));
  // The companions follow the shape: house.s -> house.sd; a name without a
  // dot of its own keeps it whole (shed -> shed.sd).
  const size_t dot = file_name.rfind('.');
  const bool own_dot =
      dot != std::string::npos && file_name.find_first_of("\\/", dot) == std::string::npos;
  const std::string base = own_dot ? file_name.substr(0, dot + 1) : file_name + ".";
  const Removal sd = TakeOut(shapes, base + "sd", backup);
  if (sd.fate == Fate::kMoved && !sd.kept_as.empty()) {
    services_.log.Add(shapes + base + "sd" + KeptAs(language, sd.kept_as));
  } else if (sd.fate == Fate::kFailed) {
    services_.log.AddFailure(language.Format(core::Msg::NotMoved, shapes + base + "sd"));
  }
  TakeOut(shapes, base + "thm", "");
}

void Route::TakeTexturesOut(const std::string& shape_path, TextReader& reader) {
  const std::optional<std::string> text = reader.ReadText(shape_path);
  if (!text) {
    services_.log.AddFailure(services_.language.Format(core::Msg::TexturesUnreadable, shape_path));
    return;
  }
  const std::string& marker = services_.language[core::Msg::ImageLinePrefix];
  // A texture named twice is taken out once.
  std::unordered_set<std::string> done;
  size_t pos = 0;
  while ((pos = text->find(marker, pos)) != std::string::npos) {
    pos += marker.size();
    const size_t open = text->find('(', pos);
    const size_t close = open == std::string::npos ? open : text->find(')', open + 1);
    if (close == std::string::npos) break;
    const std::string name = CleanName(std::string_view(*text).substr(open + 1, close - open - 1));
    pos = close + 1;
    if (!name.empty() && done.insert(platform::FoldCase(name)).second) TakeTextureOut(name);
  }
}

void Route::TakeTextureOut(const std::string& name) {
  const core::Language& language = services_.language;
  const std::string textures = Folder + language[core::Msg::TexturesFolder];
  const std::string backup = BackupFolder() + language[core::Msg::TexturesFolder];
  MakeFolder(backup);
  auto report = [&](const std::string& shown, const Removal& removal) {
    switch (removal.fate) {
      case Fate::kMoved:
        services_.log.Add(shown + language[core::Msg::TextureDeleted] +
                          KeptAs(language, removal.kept_as));
        break;
      case Fate::kMissing:
        services_.log.Add(language.Format(core::Msg::TextureMissing, shown));
        break;
      case Fate::kOutside:
        services_.log.AddFailure(language.Format(core::Msg::OutsideRoute, shown));
        break;
      case Fate::kFailed:
        services_.log.AddFailure(language.Format(core::Msg::NotMoved, shown));
        break;
    }
  };
  const Removal own = TakeOut(textures, name, backup);
  report(name, own);
  if (own.fate == Fate::kOutside) return;
  for (const std::string& season : SplitList(language[core::Msg::SeasonFolders], ' ')) {
    if (!services_.files.FileExists(textures + season + name)) continue;
    MakeFolder(backup + season);
    report(season + name, TakeOut(textures + season, name, backup + season));
  }
}

}  // namespace route
