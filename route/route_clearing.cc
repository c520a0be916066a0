// The route's part of clearing: removing entries and taking the files of
// shapes, with their textures, out of the route into its backup folder.
#include <algorithm>
#include <unordered_set>

#include "core/error.h"
#include "core/strings.h"
#include "platform/text.h"
#include "platform/windows_path.h"
#include "route/blocks.h"
#include "route/journal.h"
#include "route/route.h"
#include "route/shape_names.h"

namespace route {
namespace {

constexpr std::string_view kFileName = "FileName";

// name_1.s, name_2.s ... beside a name already taken; 0 keeps the name.
std::string NumberedName(const std::string& name, int number) {
  if (number == 0) return name;
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return name + "_" + std::to_string(number);
  return name.substr(0, dot) + "_" + std::to_string(number) + name.substr(dot);
}

// The folder part of a name, with its last separator ("NIGHT\" of
// "NIGHT\window.ace"), or nothing.
std::string FolderPart(const std::string& name) {
  const size_t slash = name.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

// What a log line adds when the backup took a numbered name.
std::string KeptAs(const core::Language& language, const std::string& kept_as) {
  return kept_as.empty() ? std::string() : language.Format(core::Msg::KeptAs, kept_as);
}

}  // namespace

void Route::CheckClearing(bool writes_ref) {
  RefuseIfUnreadable();
  const core::Language& language = services_.language;
  if (writes_ref) {
    RefuseIfLeavingRoute(RefPath);
    if (!services_.files.CanReplace(RefPath)) {
      throw core::Error(language.Format(core::Msg::RefNotReplaceable, RefPath));
    }
  }
  const std::string backup = BackupFolder();
  const std::string textures = backup + language[core::Msg::TexturesFolder];
  RefuseIfLeavingRoute(backup + language[core::Msg::ShapesFolder]);
  RefuseIfLeavingRoute(textures);
  for (const std::string& season : SplitList(language[core::Msg::SeasonFolders], ' ')) {
    RefuseIfLeavingRoute(textures + season);
  }
  if (!MakeFolders(backup)) throw core::Error("Cannot create file " + backup);
  // A job that could not be undone refuses before it changes anything.
  if (record_) record_->Open();
}

Route::Removed Route::Duplicates() const {
  std::unordered_set<std::string> seen;
  const std::string route = platform::FoldCase(Name);
  Removed duplicates(Entries.size());
  for (size_t i = 0; i < Entries.size(); ++i) {
    const std::string& name = Entries[i].GetValue(kFileName);
    duplicates[i] =
        !name.empty() && !seen.insert(ComparedName(platform::FoldCase(name), route)).second;
  }
  return duplicates;
}

Route::Removed Route::DeleteDuplicates() {
  RefuseIfUnreadable();
  const Removed removed = Duplicates();
  if (std::find(removed.begin(), removed.end(), true) == removed.end()) return removed;
  CheckClearing(true);
  for (size_t i = 0; i < Entries.size(); ++i) {
    if (removed[i]) services_.log.Add("Deleted " + Entries[i].GetValue(kFileName));
  }
  RemoveEntries(removed);
  WriteRef();
  return removed;
}

Route::Removed Route::Nonexistent() const {
  // One listing of SHAPES\ answers for every bare name.
  const std::string shapes = Folder + services_.language[core::Msg::ShapesFolder];
  const std::optional<std::vector<std::string>> listing = services_.files.FileNames(shapes);
  if (!listing) {
    throw core::Error(services_.language.Format(core::Msg::FolderUnreadable, shapes));
  }
  std::unordered_set<std::string> present;
  for (const std::string& name : *listing) present.insert(platform::FoldCase(name));
  return Nonexistent([&present](const std::string& folded) { return present.count(folded) != 0; });
}

Route::Removed Route::Nonexistent(const std::function<bool(const std::string&)>& listed) const {
  // A name with a folder part is looked up on its own, its folder read when
  // it seems missing. A folder that cannot be read stops the job: every
  // shape in it would look missing. A file elsewhere in the MSTS root is
  // looked up there; one past it, or through a link out of the root, is
  // never looked up, and its entry stays.
  const std::string shapes = Folder + services_.language[core::Msg::ShapesFolder];
  const std::string route = platform::FoldCase(Name);
  const platform::FileSystem& files = services_.files;
  auto missing = [&](const std::string& folder, const std::string& name) {
    if (files.FileExists(folder + name)) return false;
    const std::string part = FolderPart(name);
    if (files.KindAt(folder + part) != platform::EntryKind::kNone &&
        !files.FindListed(folder + part + "*", platform::kAnyAttributes)) {
      throw core::Error(services_.language.Format(core::Msg::FolderUnreadable, folder + part));
    }
    return true;
  };
  Removed removed(Entries.size());
  for (size_t i = 0; i < Entries.size(); ++i) {
    const std::string& name = Entries[i].GetValue(kFileName);
    if (name.empty() || !NamesMatch(Entries[i].BlockType(), "static")) continue;
    const std::string compared = ComparedName(platform::FoldCase(name), route);
    switch (PlaceOf(compared)) {
      case NamePlace::kRouteShapes:
        if (compared.find('\\') == std::string::npos) {
          removed[i] = !listed(compared);
        } else if (InRoute(shapes, compared)) {
          removed[i] = missing(shapes, compared);
        }
        break;
      case NamePlace::kRoot: {
        const std::string below = BelowRoot(compared, Name);
        if (!files.LinkOutOf(Root, Root + "\\" + below)) removed[i] = missing(Root + "\\", below);
        break;
      }
      case NamePlace::kOutside:
        break;
    }
  }
  return removed;
}

Route::Removed Route::DeleteNonexistent() {
  RefuseIfUnreadable();
  const Removed removed = Nonexistent();
  if (std::find(removed.begin(), removed.end(), true) == removed.end()) return removed;
  CheckClearing(true);
  for (size_t i = 0; i < Entries.size(); ++i) {
    if (!removed[i]) continue;
    services_.log.Add(Entries[i].GetValue(kFileName));
    services_.ui.KeepAlive();
  }
  RemoveEntries(removed);
  return removed;
}

Route::Removed Route::DeleteEntries(const std::vector<bool>& marked, bool move_shape_files,
                                    bool move_textures, ShapeReader& reader,
                                    TextureWearers* wearers) {
  RefuseIfUnreadable();
  Removed removed(Entries.size());
  for (size_t i = 0; i < removed.size() && i < marked.size(); ++i) removed[i] = marked[i];
  if (std::find(removed.begin(), removed.end(), true) == removed.end()) return removed;
  CheckClearing(true);
  // Every shape is read before the first file moves.
  std::vector<ShapeFiles> shapes(Entries.size());
  for (size_t i = 0; i < Entries.size(); ++i) {
    if (!removed[i]) continue;
    shapes[i] =
        ReadShapeFiles(Entries[i].GetValue(kFileName), move_shape_files, move_textures, reader);
    services_.ui.KeepAlive();
  }
  for (size_t i = 0; i < Entries.size(); ++i) {
    if (!removed[i]) continue;
    removed[i] = TakeShapeOut(shapes[i], move_shape_files, wearers);
    services_.ui.KeepAlive();
  }
  RemoveEntries(removed);
  return removed;
}

bool Route::DeleteEntry(const std::string& file_name, bool move_shape_files, bool move_textures,
                        ShapeReader& reader, TextureWearers* wearers) {
  CheckClearing(false);
  return TakeShapeOut(ReadShapeFiles(file_name, move_shape_files, move_textures, reader),
                      move_shape_files, wearers);
}

std::string Route::BackupFolder() const {
  return Folder + services_.language[core::Msg::BackupFolder];
}

std::string Route::JournalPath() const { return BackupFolder() + std::string(kJournalName); }

std::string Route::InFolder(const std::string& path) const { return path.substr(Folder.size()); }

bool Route::MakeFolders(const std::string& folder) {
  platform::FileSystem& files = services_.files;
  const std::string current = files.CurrentFolder();
  const std::optional<platform::WindowsPath> route = platform::ParseWindowsPath(Folder, current);
  std::optional<platform::WindowsPath> path = platform::ParseWindowsPath(folder, current);
  if (!route || !path || !platform::LiesInside(folder, Folder, current) ||
      files.LinkOutOf(Folder, folder)) {
    return false;
  }
  platform::WindowsPath level{path->drive, route->components};
  for (size_t i = route->components.size(); i < path->components.size(); ++i) {
    level.components.push_back(path->components[i]);
    const std::string text = level.Text();
    if (!files.FolderExists(text) && !files.CreateFolder(text)) return false;
  }
  return true;
}

bool Route::InRoute(const std::string& folder, const std::string& name) const {
  return InRouteFolder(services_.files, Folder, folder, name);
}

bool InRouteFolder(const platform::FileSystem& files, const std::string& route_folder,
                   const std::string& folder, const std::string& name) {
  if (name.empty() || name.front() == '\\' || name.front() == '/' ||
      name.find(':') != std::string::npos) {
    return false;
  }
  const std::string current = files.CurrentFolder();
  return platform::LiesInside(folder, route_folder, current) &&
         platform::LiesInside(folder + name, folder, current) &&
         !files.LinkOutOf(route_folder, folder + name);
}

int Route::FreeNumber(const std::string& folder, const std::vector<std::string>& names) const {
  for (int number = 0;; ++number) {
    const bool free = std::none_of(names.begin(), names.end(), [&](const std::string& name) {
      return services_.files.KindAt(folder + NumberedName(name, number)) !=
             platform::EntryKind::kNone;
    });
    if (free) return number;
  }
}

std::string Route::DiskName(const std::string& folder, const std::string& name) const {
  const std::vector<platform::FindEntry> found =
      services_.files.Find(folder + name, platform::kAnyAttributes);
  return found.size() == 1 ? found.front().name : FileNameOf(name);
}

Route::Removal Route::TakeOut(const std::string& folder, const std::string& name,
                              const std::string& backup, const std::string& disk_name) {
  if (!InRoute(folder, name)) return {Fate::kOutside, {}};
  const std::string path = folder + name;
  switch (services_.files.KindAt(path)) {
    case platform::EntryKind::kFile:
      break;
    case platform::EntryKind::kLink:
      // Moved into the backups, a relative link would lead nowhere.
      return {Fate::kLink, {}};
    default:
      return {Fate::kMissing, {}};
  }
  if (backup.empty()) {
    if (!services_.files.DeleteFile(path)) return {Fate::kFailed, {}};
    if (record_) record_->Deleted(InFolder(path));
    return {Fate::kMoved, {}};
  }
  const platform::FolderAndName target = platform::SplitLastName(backup);
  if (!InRoute(std::string(target.folder), std::string(target.name)) ||
      !MakeFolders(std::string(target.folder))) {
    return {Fate::kOutside, {}};
  }
  // Told before it moves, with the name the disk has, which it gets back:
  // after a kill the file lies in one of the two places, and restore looks
  // in both.
  const std::string from = InFolder(folder + FolderPart(name) + disk_name);
  if (record_) record_->Moving(from, InFolder(backup));
  const bool moved = services_.files.MoveFile(path, backup);
  // Undone, should the job not finish, even when its outcome is not told.
  if (moved) job_moves_.emplace_back(from, InFolder(backup));
  if (record_) record_->Moved(moved);
  if (!moved) return {Fate::kFailed, {}};
  ++files_moved_;
  return {Fate::kMoved, backup};
}

bool Route::FolderInRoute(std::string_view folder, bool make) {
  if ((!folder.empty() && (folder.front() == '\\' || folder.front() == '/')) ||
      folder.find(':') != std::string_view::npos) {
    return false;
  }
  const std::string key = (make ? "+" : "-") + std::string(folder);
  if (record_ && folders_in_route_.count(key)) return true;
  const std::string path = Folder + std::string(folder);
  const bool in_route =
      make ? MakeFolders(path)
           : platform::LiesInside(path, Folder, services_.files.CurrentFolder()) &&
                 !services_.files.LinkOutOf(Folder, path);
  if (in_route && record_) folders_in_route_.insert(key);
  return in_route;
}

bool Route::IsBackupOf(std::string_view moved_to, std::string_view place) const {
  const core::Language& language = services_.language;
  const std::string_view backup = language[core::Msg::BackupFolder];
  const auto starts = [](std::string_view path, std::string_view start) {
    return path.size() > start.size() && platform::EqualsIgnoreCase(path.substr(0, start.size()), start);
  };
  // Plain names all the way: no "..", "." or empty step to lead elsewhere.
  const auto plain = [](std::string_view path) {
    for (const std::string& step : core::SplitText(path, '\\')) {
      if (step.empty() || step == "." || step == ".." || step.find('/') != std::string::npos) {
        return false;
      }
    }
    return true;
  };
  if (!starts(moved_to, backup) || !plain(moved_to) || !plain(place)) return false;
  moved_to.remove_prefix(backup.size());
  const platform::FolderAndName there = platform::SplitLastName(moved_to);
  const platform::FolderAndName back = platform::SplitLastName(place);
  // The backup keeps the name, or gets it with a number: Oak_2.s for Oak.s.
  bool same_name = platform::EqualsIgnoreCase(there.name, back.name);
  for (int number = 1; !same_name && number < 1000; ++number) {
    const std::string numbered = NumberedName(std::string(back.name), number);
    if (numbered.size() > there.name.size()) break;
    same_name = platform::EqualsIgnoreCase(there.name, numbered);
  }
  if (!same_name) return false;
  // A shape goes to the backup's SHAPES\ whatever folder of SHAPES\ it
  // left; a texture keeps its folder below TEXTURES\.
  const std::string_view shapes = language[core::Msg::ShapesFolder];
  const std::string_view textures = language[core::Msg::TexturesFolder];
  if (platform::EqualsIgnoreCase(there.folder, shapes)) return starts(place, shapes);
  return platform::EqualsIgnoreCase(there.folder.substr(0, textures.size()), textures) &&
         platform::EqualsIgnoreCase(there.folder, back.folder);
}

Route::Return Route::MoveBack(const std::string& moved_to, const std::string& place) {
  const platform::FolderAndName there_parts = platform::SplitLastName(moved_to);
  const platform::FolderAndName back_parts = platform::SplitLastName(place);
  const auto plain = [](std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find(':') == std::string_view::npos;
  };
  // The folders are looked at once a job; each file itself is a link or not.
  // A restore undone moves its files into the backups again.
  if (!plain(there_parts.name) || !plain(back_parts.name) ||
      !(IsBackupOf(moved_to, place) || IsBackupOf(place, moved_to)) ||
      !FolderInRoute(there_parts.folder, false) || !FolderInRoute(back_parts.folder, false)) {
    return Return::kOutside;
  }
  const std::string from = Folder + moved_to, to = Folder + place;
  platform::FileSystem& files = services_.files;
  const platform::EntryKind there = files.KindAt(from), back = files.KindAt(to);
  // Put back before (by a restore cut short, or by hand): recorded as this
  // job's, so that undoing it takes the file out again.
  const auto already_back = [&] {
    if (!record_) return;
    record_->Moving(moved_to, place);
    record_->Moved(true);
  };
  if (there == platform::EntryKind::kNone) {
    if (back != platform::EntryKind::kFile) return Return::kMissing;
    already_back();
    return Return::kAlreadyBack;
  }
  if (there != platform::EntryKind::kFile) return Return::kLink;
  if (back != platform::EntryKind::kNone) {
    // A move across drives killed between its copy and its delete leaves
    // the file in both places.
    if (back != platform::EntryKind::kFile) return Return::kPlaceTaken;
    const std::optional<std::string> kept = files.ReadFile(from), placed = files.ReadFile(to);
    if (!kept || !placed || *kept != *placed) return Return::kPlaceTaken;
    if (record_) record_->Deleted(moved_to);
    if (!files.DeleteFile(from)) return Return::kFailed;
    already_back();
    return Return::kCopyDropped;
  }
  if (!FolderInRoute(back_parts.folder, true)) return Return::kFailed;
  if (record_) record_->Moving(moved_to, place);
  const bool moved = files.MoveFile(from, to);
  if (moved) job_moves_.emplace_back(moved_to, place);
  if (record_) record_->Moved(moved);
  return moved ? Return::kMoved : Return::kFailed;
}

Route::ShapeFiles Route::ReadShapeFiles(const std::string& file_name, bool move_shape_files,
                                        bool move_textures, ShapeReader& reader) {
  ShapeFiles shape;
  if (file_name.empty() || (!move_shape_files && !move_textures)) return shape;
  const core::Language& language = services_.language;
  const std::string shapes = Folder + language[core::Msg::ShapesFolder];
  if (!InRoute(shapes, file_name)) {
    services_.log.AddFailure(language.Format(core::Msg::OutsideRoute, file_name));
    shape.outside = true;
    return shape;
  }
  const std::string shape_path = shapes + file_name;
  if (!services_.files.FileExists(shape_path)) {
    services_.log.Add(language.Format(core::Msg::ShapeMissing, shape_path));
    return shape;
  }
  shape.name = file_name;
  if (!move_textures) return shape;
  std::string why;
  if (std::optional<std::vector<std::string>> images = reader.ImageNames(shape_path, why)) {
    // A texture named twice is taken out once.
    std::unordered_set<std::string> seen;
    for (std::string& texture : *images) {
      if (!texture.empty() && seen.insert(platform::FoldCase(texture)).second) {
        shape.textures.push_back(std::move(texture));
      }
    }
  } else {
    services_.log.AddFailure(language.Format(core::Msg::TexturesUnreadable, shape_path, why));
  }
  return shape;
}

bool Route::TakeShapeOut(const ShapeFiles& shape, bool move_shape_files,
                         TextureWearers* wearers) {
  if (shape.outside) return !move_shape_files;
  if (shape.name.empty()) return true;
  const core::Language& language = services_.language;
  if (move_shape_files) {
    const std::string shapes = Folder + language[core::Msg::ShapesFolder];
    const std::string backup = BackupFolder() + language[core::Msg::ShapesFolder];
    const std::string shape_path = shapes + shape.name;
    // The companions follow the shape: house.s -> house.sd; a name without
    // a dot of its own keeps it whole (shed -> shed.sd).
    const size_t dot = shape.name.rfind('.');
    const bool own_dot =
        dot != std::string::npos && shape.name.find_first_of("\\/", dot) == std::string::npos;
    const std::string base = own_dot ? shape.name.substr(0, dot + 1) : shape.name + ".";
    // The backups keep the names the files have on disk, and the shape and
    // its companions one number, so that they still belong together.
    const std::string own_name = DiskName(shapes, shape.name);
    const std::string sd_name = DiskName(shapes, base + "sd");
    const int number = FreeNumber(backup, {own_name, sd_name, DiskName(shapes, base + "thm")});
    const Removal moved =
        TakeOut(shapes, shape.name, backup + NumberedName(own_name, number), own_name);
    switch (moved.fate) {
      case Fate::kMoved:
        break;
      case Fate::kMissing:
        services_.log.Add(language.Format(core::Msg::ShapeMissing, shape_path));
        return true;
      case Fate::kLink:
        services_.log.AddFailure(language.Format(core::Msg::LinkStays, shape_path));
        return false;
      case Fate::kOutside:
      case Fate::kFailed:
        services_.log.AddFailure(language.Format(core::Msg::NotMoved, shape_path));
        return false;
    }
    services_.log.Add(shape_path + language[core::Msg::ShapeDeleted] +
                      KeptAs(language, number == 0 ? "" : FileNameOf(moved.backup)));
    const Removal sd =
        TakeOut(shapes, base + "sd", backup + NumberedName(sd_name, number), sd_name);
    if (sd.fate == Fate::kMoved && number != 0) {
      services_.log.Add(shapes + base + "sd" + KeptAs(language, FileNameOf(sd.backup)));
    } else if (sd.fate == Fate::kFailed || sd.fate == Fate::kOutside) {
      services_.log.AddFailure(language.Format(core::Msg::NotMoved, shapes + base + "sd"));
    } else if (sd.fate == Fate::kLink) {
      services_.log.AddFailure(language.Format(core::Msg::LinkStays, shapes + base + "sd"));
    }
    TakeOut(shapes, base + "thm", "", "");
  }
  for (const std::string& texture : shape.textures) TakeTextureOut(texture, wearers);
  return true;
}

void Route::TakeTextureOut(const std::string& name, TextureWearers* wearers) {
  const core::Language& language = services_.language;
  const std::string textures = Folder + language[core::Msg::TexturesFolder];
  const std::string backup = BackupFolder() + language[core::Msg::TexturesFolder];
  if (!InRoute(textures, name)) {
    services_.log.AddFailure(language.Format(core::Msg::OutsideRoute, name));
    return;
  }
  // A texture keeps its folder part: NIGHT\window.ace goes to the backup's
  // TEXTURES\NIGHT\, beside, not over, a window.ace of TEXTURES\ itself.
  const std::string folder_part = FolderPart(name);
  bool moved = false;
  auto take_out = [&](const std::string& season) {
    const std::string own_name = DiskName(textures + season, name);
    const std::string target = backup + season + folder_part;
    const int number = FreeNumber(target, {own_name});
    const Removal removal =
        TakeOut(textures + season, name, target + NumberedName(own_name, number), own_name);
    const std::string shown = season + name;
    switch (removal.fate) {
      case Fate::kMoved:
        services_.log.Add(shown + language[core::Msg::TextureDeleted] +
                          KeptAs(language, number == 0 ? "" : FileNameOf(removal.backup)));
        moved = true;
        break;
      case Fate::kMissing:
        services_.log.Add(language.Format(core::Msg::TextureMissing, shown));
        break;
      case Fate::kLink:
        services_.log.AddFailure(language.Format(core::Msg::LinkStays, shown));
        break;
      case Fate::kOutside:
      case Fate::kFailed:
        services_.log.AddFailure(language.Format(core::Msg::NotMoved, shown));
        break;
    }
  };
  take_out("");
  for (const std::string& season : SplitList(language[core::Msg::SeasonFolders], ' ')) {
    const platform::EntryKind kind = services_.files.KindAt(textures + season + name);
    if (kind == platform::EntryKind::kFile || kind == platform::EntryKind::kLink) take_out(season);
  }
  if (!moved || !wearers) return;
  // Moved all the same, as a texture of the shapes taken out; those that
  // stay show without it until a restore puts it back.
  const std::vector<std::string> shapes = wearers->Wearing(name);
  if (shapes.empty()) return;
  constexpr size_t kNamed = 10;
  std::string list;
  for (size_t i = 0; i < shapes.size() && i < kNamed; ++i) list += (i ? ", " : "") + shapes[i];
  if (shapes.size() > kNamed) {
    list = language.Format(core::Msg::AndMore, list, std::to_string(shapes.size() - kNamed));
  }
  services_.log.Add(language.Format(core::Msg::TextureStillWorn, name, list));
}

}  // namespace route
