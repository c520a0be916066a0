#include "ops/route_check.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <type_traits>

#include "core/error.h"
#include "formats/ace.h"
#include "ops/ace_export.h"
#include "ops/name_set.h"
#include "ops/read_ahead.h"
#include "ops/shape_images.h"
#include "ops/unused.h"
#include "ops/user_file.h"
#include "platform/text.h"
#include "platform/windows_path.h"
#include "route/blocks.h"
#include "route/shape_names.h"

namespace ops {
namespace {

using core::Msg;

// The files of a folder, listed once, found by their folded names.
class FolderIndex {
 public:
  // False, with nothing listed, when the folder cannot be listed.
  bool List(const platform::FileSystem& files, const std::string& folder) {
    std::optional<std::vector<std::string>> found = files.FileNames(folder);
    if (!found) return false;
    names_ = NameSet(found->size());
    for (std::string& name : *found) {
      const size_t n = names_.Insert(platform::FoldCase(name));
      // Of names that differ in letter case alone, the first in byte order
      // is the one a path opens.
      if (n == disk_.size()) {
        disk_.push_back(std::move(name));
      } else if (name < disk_[n]) {
        disk_[n] = std::move(name);
      }
    }
    return true;
  }
  bool Has(std::string_view folded) const { return names_.Contains(folded); }
  // The name on disk of a folded one that is there.
  const std::string& DiskName(std::string_view folded) const { return disk_[names_.Find(folded)]; }
  // The names as they are on disk.
  const std::vector<std::string>& disk() const { return disk_; }

 private:
  NameSet names_;
  std::vector<std::string> disk_;
};

enum class Presence { kThere, kMissing, kOutside };

// Whether a name with a folder part may be looked up in a folder.
using Inside = std::function<bool(const std::string& folder, const std::string& name)>;

// Whether a folded name is there in the folder: a bare one is looked up in
// its listing; one with a folder part, unless `inside(folder, name)`
// refuses it, on disk.
Presence Look(const platform::FileSystem& files, const FolderIndex& index,
              const std::string& folder, std::string_view folded, const Inside& inside) {
  if (folded.find_first_of("\\/:") == std::string_view::npos) {
    return index.Has(folded) ? Presence::kThere : Presence::kMissing;
  }
  const std::string name(folded);
  if (!inside(folder, name)) return Presence::kOutside;
  return files.FileExists(folder + name) ? Presence::kThere : Presence::kMissing;
}

// A path below the MSTS root in the letter case found on disk, as far as
// its folders are there (the simulator's own folders, else, in capitals),
// ending in a backslash.
std::string DiskPath(const platform::FileSystem& files, const std::string& root,
                     std::string_view below) {
  std::string path = root;
  for (const std::string& part : route::SplitList(below, '\\')) {
    if (part.empty()) continue;
    const std::vector<platform::FindEntry> found =
        files.Find(path + "\\" + part, platform::kAnyAttributes);
    std::string name = found.size() == 1 ? found.front().name : part;
    if (found.size() != 1 && (part == "global" || part == "routes" || part == "shapes" ||
                              part == "textures")) {
      for (char& c : name) c = static_cast<char>(c - 'a' + 'A');
    }
    path += "\\" + name;
  }
  return path + "\\";
}

// The folder part of a path with its last backslash, or nothing.
std::string_view FolderOf(std::string_view path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

// The TEXTURES folder (below the root) beside the SHAPES folder holding a
// shape below the root; nothing for a shape in no SHAPES folder.
std::string TexturesBeside(std::string_view below) {
  const std::string folder = "\\" + std::string(FolderOf(below));
  const size_t shapes = folder.rfind("\\shapes\\");
  if (shapes == std::string::npos) return {};
  return folder.substr(1, shapes) + "textures\\";
}

Msg ReasonOf(Unreadable why) {
  switch (why) {
    case Unreadable::kFolder:
      return Msg::CheckFolderUnlisted;
    case Unreadable::kNoWorldFiles:
      return Msg::CheckNoWorldFiles;
    case Unreadable::kNotWindowsName:
      return Msg::CheckNotWindowsName;
    case Unreadable::kNotOpened:
      return Msg::CheckNotOpened;
    case Unreadable::kTooLarge:
      return Msg::CheckTooLarge;
    case Unreadable::kNotText:
      return Msg::CheckNotText;
    case Unreadable::kCutShort:
      return Msg::CheckCutShort;
  }
  return Msg::CheckNotText;
}

bool NameLess(const std::string& a, const std::string& b) { return platform::LessIgnoreCase(a, b); }

// The shape and texture halves of the check, writing into one report.
class Checker {
 public:
  Checker(core::ConvMain& main, const route::Route& route, SimisReader& reader,
          core::Progress& progress, RouteReport& report, bool texture_files)
      : main_(main),
        route_(route),
        reader_(reader),
        progress_(progress),
        report_(report),
        texture_files_(texture_files),
        route_name_(platform::FoldCase(route.Name)) {
    // The route's own TEXTURES, first.
    TextureFolderOf({});
  }

  void Problem(const std::string& path, std::string text) {
    report_.unreadable.push_back({path, std::move(text)});
  }
  void Problem(const std::string& path, Unreadable why, const std::string& detail = {}) {
    Problem(path, main_.language.Format(ReasonOf(why), path, detail));
  }

  // Every shape the route's files name, with how often and where first.
  // False when a file could not be read whole.
  bool GatherNamed(WorldScan& scan) {
    bool whole = true;
    const UnreadableSink unreadable = [&](const std::string& path, Unreadable why,
                                          const std::string& detail) {
      whole = false;
      Problem(path, why, detail);
    };
    const auto placed = [this](const PlacedName& name) {
      Name(
          name.compared, name.file, [&] { return name.Written(); }, static_cast<int>(name.count));
      if (!name.other.empty()) others_.Insert(name.other);
    };
    ScanWorldFiles(main_, reader_, progress_, placed, unreadable, scan);
    for (const ListedShape& listed : ListedShapes(main_, route_, reader_, unreadable)) {
      Name(route::ComparedName(platform::FoldCase(listed.name), route_name_), listed.list,
           [&] { return listed.name; });
    }
    return whole;
  }

  // How many Static entries no file names, from either base.
  int Unused(const route::Route& entries) const {
    StaticNames statics(entries);
    for (size_t n = 0; n < named_.size(); ++n) statics.Mark(named_[n]);
    for (size_t n = 0; n < others_.size(); ++n) statics.Mark(others_[n]);
    for (std::string_view fixed : kFixedShapes) statics.Mark(fixed);
    return static_cast<int>(statics.Unmarked().size());
  }

  // Sections 1 and 4, the shapes taken from outside the route, and the
  // shapes that are there for section 2.
  void CheckShapes(const FolderIndex& shapes) {
    const std::string folder = ShapesFolder();
    auto& missing = report_.missing_shapes.emplace();
    for (size_t n = 0; n < named_.size(); ++n) {
      RouteReport::MissingShape& shape = named_shapes_[n];
      const std::string_view compared = named_[n];
      switch (route::PlaceOf(compared)) {
        case route::NamePlace::kRouteShapes:
          switch (Look(main_.files, shapes, folder, compared, InRoute())) {
            case Presence::kThere:
              // Opened by the name it has on disk, no letter case to look up.
              used_.push_back({shape.name, std::string(compared),
                               folder + (shapes.Has(compared) ? shapes.DiskName(compared)
                                                              : std::string(compared)),
                               0});
              break;
            case Presence::kMissing:
              missing.push_back(std::move(shape));
              break;
            case Presence::kOutside:
              LeadsOut(folder + shape.name);
              break;
          }
          break;
        case route::NamePlace::kRoot:
          CheckElsewhere(shape, compared, missing);
          break;
        case route::NamePlace::kOutside:
          LeadsOut(folder + shape.name);
          break;
      }
    }
    auto& taken = report_.taken_from_outside.emplace();
    for (const auto& [below, from] : root_folders_) {
      if (from.taken > 0) taken.push_back({from.path, from.taken});
    }
    std::sort(taken.begin(), taken.end(),
              [](const auto& a, const auto& b) { return NameLess(a.folder, b.folder); });
    auto& without_sd = report_.shapes_without_sd.emplace();
    for (const std::string& name : shapes.disk()) {
      const std::string folded = platform::FoldCase(name);
      if (!folded.ends_with(".s")) continue;
      if (!platform::IsWindowsFileName(name)) {
        Problem(folder + name, Unreadable::kNotWindowsName);
      } else if (!shapes.Has(folded + "d")) {
        without_sd.push_back(name);
      }
    }
  }

  // The shapes that are there start to be read for their textures, each
  // once, in the order of their folded names, so that the first shape
  // naming a texture is the first by name.
  void StartReadingShapes() {
    // Their numbers sorted, not the shapes with their three names each.
    std::vector<uint32_t> order(used_.size());
    for (size_t n = 0; n < order.size(); ++n) order[n] = static_cast<uint32_t>(n);
    std::sort(order.begin(), order.end(),
              [this](uint32_t a, uint32_t b) { return used_[a].compared < used_[b].compared; });
    std::vector<UsedShape> sorted;
    sorted.reserve(used_.size());
    for (const uint32_t n : order) {
      shape_paths_.push_back(used_[n].path);
      sorted.push_back(std::move(used_[n]));
    }
    used_ = std::move(sorted);
    shapes_ahead_ =
        std::make_unique<ReadAhead>(main_.files, shape_paths_, DigestShape, kShapeWindow);
  }

  // Section 2: the textures of the shapes being read, each shape's from the
  // TEXTURES beside its SHAPES.
  void CheckTextures() {
    const core::Language& language = main_.language;
    const std::vector<std::string> season_names =
        route::SplitList(language[Msg::SeasonFolders], ' ');
    for (TextureFolder& textures : texture_folders_) {
      if (!textures.index.List(main_.files, textures.path))
        return Problem(textures.path, Unreadable::kFolder);
      for (const std::string& season : season_names) {
        FolderIndex& index = textures.seasons.emplace_back(season, FolderIndex()).second;
        // A seasonal folder is there or not; one that cannot be listed would
        // make its textures look missing.
        if (main_.files.KindAt(textures.path + season) != platform::EntryKind::kNone &&
            !index.List(main_.files, textures.path + season)) {
          return Problem(textures.path + season, Unreadable::kFolder);
        }
      }
    }
    auto& missing = report_.missing_textures.emplace();
    auto& seasonal = report_.seasonal_textures.emplace();
    if (texture_files_) report_.damaged_textures.emplace();
    progress_.SetRange(static_cast<int>(used_.size()));
    progress_.SetPosition(0);
    ReadAhead& ahead = *shapes_ahead_;
    int number = 0;
    for (size_t n = 0; n < used_.size(); ++n) {
      const std::string& shape = used_[n].name;
      TextureFolder& textures = texture_folders_[used_[n].textures];
      const std::string& folder = textures.path;
      progress_.SetItem(++number, static_cast<int>(used_.size()));
      progress_.SetLabel(language[Msg::SearchIn] + shape);
      for (const std::string& texture : ImagesOf(shape_paths_[n], ahead)) {
        const std::string folded = platform::FoldCase(texture);
        // Each texture of a folder once, with the first shape naming it.
        const size_t known = textures.seen.size();
        if (texture.empty() || textures.seen.Insert(folded) < known) continue;
        switch (Look(main_.files, textures.index, folder, folded, InsideOf(textures))) {
          case Presence::kThere:
            if (!texture_files_) continue;
            Examine(textures, textures.index, folded, texture, shape);
            for (const auto& [season, index] : textures.seasons) {
              if (Look(main_.files, index, folder + season, folded, InsideOf(textures)) ==
                  Presence::kThere) {
                Examine(textures, index, folded, texture, shape, season);
              }
            }
            continue;
          case Presence::kOutside:
            LeadsOut(folder + texture);
            continue;
          case Presence::kMissing:
            break;
        }
        std::string found_in;
        for (const auto& [season, index] : textures.seasons) {
          if (Look(main_.files, index, folder + season, folded, InsideOf(textures)) !=
              Presence::kThere) {
            continue;
          }
          found_in += (found_in.empty() ? "" : " ") + season;
          if (texture_files_) Examine(textures, index, folded, texture, shape, season);
        }
        (found_in.empty() ? missing : seasonal)
            .push_back({texture, shape, found_in, used_[n].textures == 0 ? "" : folder});
      }
      progress_.Step();
      main_.ui.KeepAlive();
    }
  }

 private:
  // A TEXTURES folder that shapes being read take their textures from.
  struct TextureFolder {
    std::string path;  // ends in a backslash
    bool in_route;     // the route's own; else elsewhere in the MSTS root
    FolderIndex index;
    std::vector<std::pair<std::string, FolderIndex>> seasons;
    NameSet seen;  // the textures met so far
    // Each texture's header is read through the folder, opened once.
    std::unique_ptr<platform::FolderReader> reader;
  };
  // A folder of the MSTS root outside the route that names lead into.
  struct RootFolder {
    std::string path;  // as on disk, ending in a backslash
    bool unlisted = false;  // there, but it cannot be listed
    FolderIndex index;
    int taken = 0;  // shapes found there
  };

  std::string ShapesFolder() const { return route_.Folder + main_.language[Msg::ShapesFolder]; }

  // Reads a texture's header, and the length of its file, and notes the
  // texture when they say it cannot be read; its pixels are not read. A
  // seasonal copy is read from its folder below TEXTURES.
  void Examine(TextureFolder& textures, const FolderIndex& index, const std::string& folded,
               const std::string& texture, const std::string& shape,
               const std::string& season = {}) {
    const std::string& folder = textures.path;
    if (!textures.reader) textures.reader = main_.files.ReadFolder(folder);
    const bool bare = folded.find_first_of("\\/") == std::string::npos;
    // Opened by the name it has on disk, no letter case to look up.
    const std::string name = bare ? index.DiskName(folded) : folded;
    int64_t length = 0;
    const bool read =
        season.empty() && bare
            ? textures.reader->ReadFileStart(name, formats::kAceHeadBytes, head_, length)
            : main_.files.ReadFileStart(folder + season + name, formats::kAceHeadBytes, head_,
                                        length);
    if (!read) return Problem(folder + season + name, Unreadable::kNotOpened);
    formats::AceHeader header;
    const formats::AceFault fault =
        formats::CheckAceHead(head_, static_cast<uint64_t>(length), &header);
    if (fault == formats::AceFault::kNone) return;
    report_.damaged_textures->push_back(
        {season + texture, shape, AceFaultText(main_.language, fault, header)});
  }

  void LeadsOut(const std::string& path) {
    Problem(path, main_.language.Format(Msg::CheckLeadsOut, path));
  }

  Inside InRoute() const {
    return [this](const std::string& folder, const std::string& name) {
      return route_.InRoute(folder, name);
    };
  }
  // Whether a texture name with a folder part stays in its TEXTURES, no
  // link on the way leading out of the route (or out of the MSTS root).
  Inside InsideOf(const TextureFolder& textures) const {
    return [this, &textures](const std::string& folder, const std::string& name) {
      if (textures.in_route) return route_.InRoute(folder, name);
      const platform::FileSystem& files = main_.files;
      return name.front() != '\\' && name.front() != '/' &&
             name.find(':') == std::string::npos &&
             platform::LiesInside(folder + name, folder, files.CurrentFolder()) &&
             !files.LinkOutOf(route_.Root, folder + name);
    };
  }

  // The number of the TEXTURES folder with that path below the root (or
  // the route's own, for nothing), made when first asked for.
  size_t TextureFolderOf(const std::string& below) {
    const auto [at, added] = texture_numbers_.try_emplace(below, texture_folders_.size());
    if (added) {
      TextureFolder& textures = texture_folders_.emplace_back();
      textures.in_route = below.empty();
      textures.path = below.empty() ? route_.Folder + main_.language[Msg::TexturesFolder]
                                    : DiskPath(main_.files, route_.Root, below);
    }
    return at->second;
  }

  // A named shape that lies elsewhere in the MSTS root: looked up there,
  // read only, unless a link on the way leads out of the root.
  void CheckElsewhere(RouteReport::MissingShape& shape, std::string_view compared,
                      std::vector<RouteReport::MissingShape>& missing) {
    const std::string below = route::BelowRoot(compared, route_.Name);
    const std::string path = route_.Root + "\\" + below;
    if (main_.files.LinkOutOf(route_.Root, path)) return LeadsOut(path);
    const std::string folder_below(FolderOf(below));
    const std::string file = below.substr(folder_below.size());
    const auto [at, added] = root_folders_.try_emplace(folder_below);
    RootFolder& folder = at->second;
    if (added) {
      folder.path = DiskPath(main_.files, route_.Root, folder_below);
      // Missing, its shapes are missing; there but unreadable, unknown.
      folder.unlisted = !folder.index.List(main_.files, folder.path) &&
                        main_.files.KindAt(folder.path) != platform::EntryKind::kNone;
      if (folder.unlisted) Problem(folder.path, Unreadable::kFolder);
    }
    if (folder.unlisted) return;
    if (!folder.index.Has(file)) {
      shape.folder = folder.path;
      missing.push_back(std::move(shape));
      return;
    }
    ++folder.taken;
    used_.push_back({shape.name, std::string(compared), folder.path + folder.index.DiskName(file),
                     TextureFolderOf(TexturesBeside(below))});
  }

  // Counts a name `count` times; the first time, keeps it as written, made
  // only then.
  template <typename Written>
  void Name(std::string_view compared, std::string_view file, Written written, int count = 1) {
    const size_t n = named_.Insert(compared);
    if (n == named_shapes_.size()) named_shapes_.push_back({written(), 0, std::string(file), {}});
    named_shapes_[n].placements += count;
  }

  // A shape's texture names; none, with the reason among the problems,
  // when they cannot be had. A shape the readers cannot read needs the
  // editor tool.
  std::vector<std::string> ImagesOf(const std::string& path, ReadAhead& ahead) {
    ImagesUnread why;
    std::string reason;
    std::vector<std::string> images = TakeImages(ahead, reader_, path, why, reason);
    switch (why) {
      case ImagesUnread::kNone:
        break;
      case ImagesUnread::kNotOpened:
        Problem(path, Unreadable::kNotOpened);
        break;
      case ImagesUnread::kTooLarge:
        Problem(path, Unreadable::kTooLarge);
        break;
      case ImagesUnread::kNotRead:
        Problem(path, Unreadable::kNotText, reason);
        break;
    }
    return images;
  }

  core::ConvMain& main_;
  const route::Route& route_;
  SimisReader& reader_;
  core::Progress& progress_;
  RouteReport& report_;
  const std::string route_name_;  // folded
  // The names the route's files give, as they compare from the base of
  // their block, and per name what the report says of it when it is
  // missing; the forms from the other base, which count for the unused
  // entries only.
  NameSet named_;
  std::vector<RouteReport::MissingShape> named_shapes_;
  NameSet others_;
  // The shapes that are there.
  struct UsedShape {
    std::string name;      // as first written
    std::string compared;  // as names compare
    std::string path;      // the file's
    size_t textures;       // its TEXTURES folder's number
  };
  std::vector<UsedShape> used_;
  std::vector<std::string> shape_paths_;  // of used_, once they are being read
  std::unique_ptr<ReadAhead> shapes_ahead_;
  const bool texture_files_;
  std::string head_;  // of the texture read last
  std::vector<TextureFolder> texture_folders_;
  std::map<std::string, size_t> texture_numbers_;  // by path below the root
  std::map<std::string, RootFolder> root_folders_;  // by folded path below the root
};

// "%s" of a count line: the count, or that the section was not checked.
template <typename Items>
std::string CountOf(const core::Language& language, const std::optional<Items>& items) {
  if (!items) return language[Msg::CheckNotChecked];
  if constexpr (std::is_same_v<Items, int>) {
    return std::to_string(*items);
  } else {
    return std::to_string(items->size());
  }
}

}  // namespace

RouteReport CheckRoute(core::ConvMain& main, const route::Route& route, SimisReader& reader,
                       core::Progress& progress, bool texture_files) {
  RouteReport report;
  report.route = route.Name;
  Checker checker(main, route, reader, progress, report, texture_files);
  progress.SetRange(500);
  // Read while the world files are read and scanned: the entries and the
  // SHAPES folder.
  WorldScan scan(main, route.Folder);

  // The entries, as the clearing jobs see them. A route whose .ref file is
  // not read (or could not be) is read here; one that cannot be read is
  // reported, and what needs its entries is not checked.
  std::optional<route::Route> again;
  const route::Route* entries = &route;
  if (route.Unreadable()) {
    again.emplace(RouteServices(main), route.Name, MstsRootOf(route.Folder));
    try {
      again->ReadRef();
    } catch (const core::Error& error) {
      checker.Problem(route.RefPath, error.what());
      entries = nullptr;
    }
    if (entries) entries = &*again;
  }
  const std::string shapes_folder = route.Folder + main.language[Msg::ShapesFolder];
  FolderIndex shapes;
  const bool shapes_listed = shapes.List(main.files, shapes_folder);

  const bool named_whole = checker.GatherNamed(scan);
  if (shapes_listed) {
    checker.CheckShapes(shapes);
    // Read while the entries are counted.
    checker.StartReadingShapes();
  }
  if (entries) {
    const route::Route::Removed duplicates = entries->Duplicates();
    report.duplicates = static_cast<int>(std::count(duplicates.begin(), duplicates.end(), true));
    // Counted from files read only in part, shapes would count as unused.
    if (named_whole) report.unused = checker.Unused(*entries);
  }

  if (!shapes_listed) {
    checker.Problem(shapes_folder, Unreadable::kFolder);
  } else {
    if (entries) {
      try {
        const route::Route::Removed dangling =
            entries->Nonexistent([&](const std::string& folded) { return shapes.Has(folded); });
        auto& names = report.dangling_entries.emplace();
        for (size_t i = 0; i < dangling.size(); ++i) {
          if (dangling[i]) names.push_back(entries->Entries[i].GetValue("FileName"));
        }
      } catch (const core::Error& error) {
        checker.Problem(shapes_folder, error.what());
      }
    }
    checker.CheckTextures();
  }

  auto sort_once = [](std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), NameLess);
    names.erase(std::unique(names.begin(), names.end(),
                            [](const std::string& a, const std::string& b) {
                              return platform::EqualsIgnoreCase(a, b);
                            }),
                names.end());
  };
  auto by_name = [](const auto& a, const auto& b) { return NameLess(a.name, b.name); };
  if (report.missing_shapes)
    std::sort(report.missing_shapes->begin(), report.missing_shapes->end(), by_name);
  if (report.missing_textures) {
    std::sort(report.missing_textures->begin(), report.missing_textures->end(), by_name);
    std::sort(report.seasonal_textures->begin(), report.seasonal_textures->end(), by_name);
  }
  if (report.damaged_textures) {
    std::sort(report.damaged_textures->begin(), report.damaged_textures->end(), by_name);
  }
  if (report.dangling_entries) sort_once(*report.dangling_entries);
  if (report.shapes_without_sd) sort_once(*report.shapes_without_sd);
  std::sort(report.unreadable.begin(), report.unreadable.end(),
            [](const auto& a, const auto& b) { return NameLess(a.path, b.path); });
  return report;
}

std::vector<ReportLine> ReportLines(const core::Language& language, const RouteReport& report) {
  std::vector<ReportLine> lines;
  lines.push_back({language.Format(Msg::CheckTitle, report.route)});
  // A count line is a fault when it counts faults or could not be checked.
  auto count = [&](Msg key, const auto& counted, bool faults) {
    const std::string text = CountOf(language, counted);
    lines.push_back({language.Format(key, text), !counted || (faults && text != "0")});
  };
  auto section = [&](Msg key, const auto& items, bool faults, auto item_text) {
    count(key, items, faults);
    if (!items) return;
    for (const auto& item : *items) lines.push_back({"  " + item_text(item)});
  };
  const auto name = [](const std::string& name) { return name; };
  const auto looked_in = [&](const std::string& folder) {
    return folder.empty() ? std::string() : language.Format(Msg::CheckLookedIn, folder);
  };
  section(Msg::CheckMissingShapes, report.missing_shapes, true, [&](const auto& shape) {
    return shape.name +
           language.Format(Msg::CheckPlacements, std::to_string(shape.placements), shape.first) +
           looked_in(shape.folder);
  });
  if (report.taken_from_outside) {
    int shapes = 0;
    for (const RouteReport::TakenFrom& from : *report.taken_from_outside) shapes += from.shapes;
    lines.push_back({language.Format(Msg::CheckTakenOutside, std::to_string(shapes))});
    for (const RouteReport::TakenFrom& from : *report.taken_from_outside)
      lines.push_back(
          {"  " + language.Format(Msg::CheckTakenFrom, from.folder, std::to_string(from.shapes))});
  } else {
    count(Msg::CheckTakenOutside, std::optional<int>(), false);
  }
  section(Msg::CheckMissingTextures, report.missing_textures, true, [&](const auto& texture) {
    return texture.name + language.Format(Msg::CheckFirstIn, texture.first) +
           looked_in(texture.folder);
  });
  section(Msg::CheckSeasonalTextures, report.seasonal_textures, false, [&](const auto& texture) {
    return texture.name + language.Format(Msg::CheckSeasonalIn, texture.seasons, texture.first) +
           looked_in(texture.folder);
  });
  section(Msg::CheckDamagedTextures, report.damaged_textures, true, [&](const auto& texture) {
    return texture.name + ": " + texture.why + language.Format(Msg::CheckFirstIn, texture.first);
  });
  section(Msg::CheckDanglingEntries, report.dangling_entries, true, name);
  section(Msg::CheckWithoutSd, report.shapes_without_sd, true, name);
  count(Msg::CheckDuplicates, report.duplicates, false);
  count(Msg::CheckUnused, report.unused, false);
  section(Msg::CheckUnreadable, std::optional(report.unreadable), true,
          [](const RouteReport::Problem& problem) { return problem.text; });
  return lines;
}

void LogReport(core::ConvMain& main, const std::vector<ReportLine>& lines) {
  for (const ReportLine& line : lines) {
    if (line.fault) {
      main.log.AddFailure(line.text);
    } else {
      main.log.Add(line.text);
    }
  }
}

void SaveReport(core::ConvMain& main, const std::string& path, const route::Route& route,
                const std::vector<ReportLine>& lines) {
  std::string bytes;
  for (const ReportLine& line : lines) bytes += line.text + "\r\n";
  if (ReplaceWhenAgreed(main, path, bytes, {route.Folder}, Msg::InCheckedRoute)) {
    main.log.Add(main.language.Format(Msg::CheckSaved, path));
  }
}

void ClCheckClick(core::ConvMain& main, RouteState& routes) {
  const route::Route* route = routes.CurrentRoute.get();
  if (!route) return;
  SimisReader reader(main, *route);
  RouteReport report;
  {
    std::unique_ptr<core::Progress> fence = main.ui.ShowProgress();
    report = CheckRoute(main, *route, reader, *fence);
  }
  const std::vector<ReportLine> lines = ReportLines(main.language, report);
  LogReport(main, lines);
  if (!main.ui.Ask(main.language[Msg::CheckSaveQuestion])) return;
  core::FileDialog dialog;
  dialog.filter = "*.txt|*.txt";
  dialog.default_extension = "txt";
  dialog.initial_folder = main.fields.MSTSRoot;
  if (const std::optional<std::string> path = main.ui.SaveFile(dialog)) {
    SaveReport(main, *path, *route, lines);
  }
}

void CheckNamedRoute(core::ConvMain& main, const std::string& name,
                     const std::optional<std::string>& save_file) {
  // Not read here: CheckRoute reads it, and reports it when it cannot.
  const route::Route route(RouteServices(main), name, main.fields.MSTSRoot);
  SimisReader reader(main, route);
  RouteReport report;
  {
    std::unique_ptr<core::Progress> progress = main.ui.ShowProgress();
    report = CheckRoute(main, route, reader, *progress);
  }
  const std::vector<ReportLine> lines = ReportLines(main.language, report);
  LogReport(main, lines);
  if (save_file) SaveReport(main, *save_file, route, lines);
}

}  // namespace ops
