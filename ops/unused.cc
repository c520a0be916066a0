#include "ops/unused.h"

#include "core/error.h"
#include "ops/clearing.h"
#include "ops/name_set.h"
#include "platform/text.h"
#include "route/blocks.h"

namespace ops {
namespace {

constexpr std::string_view kFileName = "FileName";

// The text as UTF-16LE code units, for searching a Unicode file as it lies.
std::string Wide(std::string_view ascii) {
  std::string wide;
  for (char c : ascii) wide.append({c, '\0'});
  return wide;
}

// The first occurrence at or after `from` that starts a whole character.
size_t FindAligned(std::string_view text, std::string_view part, size_t from, size_t width) {
  for (size_t at = text.find(part, from); at != std::string_view::npos;
       at = text.find(part, at + 1)) {
    if (at % width == 0) return at;
  }
  return std::string_view::npos;
}

// Folds the names found in a file into one buffer: ASCII names, nearly all
// of them, without a conversion or an allocation of their own.
class NameFolder {
 public:
  // The clean (route::CleanName), folded name of a piece of text whose characters are
  // `width` bytes (1: UTF-8, 2: UTF-16LE); valid until the next call.
  std::string_view Fold(std::string_view raw, size_t width) {
    const size_t length = raw.size() / width;
    if (buffer_.size() < length) buffer_.resize(length);
    for (size_t i = 0; i < length; ++i) {
      const unsigned unit = static_cast<unsigned char>(raw[i * width]) |
                            (width == 2 ? static_cast<unsigned char>(raw[i * width + 1]) << 8 : 0u);
      if (unit >= 0x80) {
        buffer_ = platform::FoldCase(
            route::CleanName(width == 2 ? platform::Utf16LeToUtf8(raw) : std::string(raw)));
        return buffer_;
      }
      buffer_[i] = platform::AsciiLower(static_cast<char>(unit));
    }
    std::string_view name(buffer_.data(), length);
    auto trim = [&] {
      while (!name.empty() && static_cast<unsigned char>(name.front()) <= 32) name.remove_prefix(1);
      while (!name.empty() && static_cast<unsigned char>(name.back()) <= 32) name.remove_suffix(1);
    };
    trim();
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
      name = name.substr(1, name.size() - 2);
      trim();
    }
    return name;
  }

 private:
  std::string buffer_;
};

// Calls found(raw, width) with the text between the parentheses of every
// "FileName ( name )" of a text whose characters are `width` bytes, in time
// linear in its length. The keyword is matched case-sensitively wherever
// it stands.
template <typename Found>
void ScanFileNames(std::string_view text, size_t width, Found found) {
  static const std::string kWideKey = Wide(kFileName), kWideOpen = Wide("("),
                           kWideClose = Wide(")");
  const std::string_view key = width == 1 ? kFileName : std::string_view(kWideKey);
  const std::string_view open_mark = width == 1 ? "(" : std::string_view(kWideOpen);
  const std::string_view close_mark = width == 1 ? ")" : std::string_view(kWideClose);
  size_t pos = 0;
  while ((pos = FindAligned(text, key, pos, width)) != std::string_view::npos) {
    pos += key.size();
    const size_t open = FindAligned(text, open_mark, pos, width);
    if (open == std::string_view::npos) return;
    const size_t close = FindAligned(text, close_mark, open + width, width);
    if (close == std::string_view::npos) return;
    found(text.substr(open + width, close - open - width), width);
    pos = close + width;
  }
}

// The shape at the start of a list value: a quoted name, else the text up
// to the first blank (or, for the car spawner's "name count", the last).
std::string LeadingShape(std::string_view value, bool up_to_last_blank) {
  if (value.starts_with('"')) {
    const size_t close = value.find('"', 1);
    return std::string(value.substr(1, close == std::string_view::npos ? close : close - 1));
  }
  const size_t blank = up_to_last_blank ? value.find_last_of(" \t") : value.find_first_of(" \t");
  return blank == std::string_view::npos ? std::string() : std::string(value.substr(0, blank));
}

bool IsSpeedpostKey(std::string_view name) {
  for (std::string_view key : {"speed_sign_shape", "speed_warning_sign_shape",
                               "speed_resume_sign_shape", "restricted_shape", "milepost_shape"}) {
    if (route::NamesMatch(name, key)) return true;
  }
  return false;
}

// The text of a special list; nothing for a list the route lacks.
std::optional<std::string> ListText(core::ConvMain& main, SimisReader& reader,
                                    const std::string& path) {
  if (!main.files.FileExists(path)) return std::nullopt;
  std::optional<std::string> text = reader.ReadText(path);
  if (!text) throw core::Error(main.language.Format(core::Msg::FileUnreadable, path));
  return text;
}

std::vector<platform::FindEntry> FilesOf(const platform::FileSystem& files,
                                         const std::string& pattern) {
  std::vector<platform::FindEntry> found = files.Find(pattern, platform::kAnyAttributes);
  std::erase_if(found, [](const platform::FindEntry& entry) {
    return entry.attributes & platform::kDirectory;
  });
  return found;
}

// The file names of a route's Static entries, each marked once a world
// file or a special list names it. Only these names are ever asked about.
class StaticNames {
 public:
  explicit StaticNames(const route::Route& route)
      : route_(route),
        names_(route.Entries.size()),
        number_of_(route.Entries.size(), NameSet::npos) {
    for (size_t i = 0; i < route.Entries.size(); ++i) {
      const std::string& name = route.Entries[i].GetValue(kFileName);
      if (!name.empty() && route::NamesMatch(route.Entries[i].BlockType(), "static")) {
        number_of_[i] = names_.Insert(platform::FoldCase(name));
      }
    }
    marked_.resize(names_.size());
  }

  void Mark(std::string_view folded) { Mark(names_.Find(folded)); }
  // A file's names are gathered, then looked up together (NameSet::Prefetch).
  void Gather(std::string_view folded) {
    const uint32_t hash = NameSet::Hash(folded);
    names_.Prefetch(hash);
    gathered_ += folded;
    gathered_ends_.push_back({gathered_.size(), hash});
  }
  void MarkGathered() {
    size_t start = 0;
    for (const auto& [end, hash] : gathered_ends_) {
      Mark(names_.Find(std::string_view(gathered_).substr(start, end - start), hash));
      start = end;
    }
    gathered_.clear();
    gathered_ends_.clear();
  }

  // The lower-case names of the entries never marked, in entry order.
  std::vector<std::string> Unmarked() const {
    std::vector<std::string> unmarked;
    for (size_t i = 0; i < route_.Entries.size(); ++i) {
      if (number_of_[i] != NameSet::npos && !marked_[number_of_[i]]) {
        unmarked.push_back(platform::LowerCase(route_.Entries[i].GetValue(kFileName)));
      }
    }
    return unmarked;
  }

 private:
  void Mark(size_t number) {
    if (number != NameSet::npos) marked_[number] = 1;
  }

  const route::Route& route_;
  NameSet names_;
  std::vector<size_t> number_of_;  // per entry; npos for one that is not asked about
  std::vector<char> marked_;       // per name
  std::string gathered_;
  std::vector<std::pair<size_t, uint32_t>> gathered_ends_;
};

}  // namespace

std::vector<std::string> CollectSpecialShapes(core::ConvMain& main, const route::Route& route,
                                              SimisReader& reader) {
  std::vector<std::string> names;
  auto add = [&names](std::string name) {
    if (!name.empty()) names.push_back(std::move(name));
  };
  if (std::optional<std::string> text = ListText(main, reader, route.Folder + "carspawn.dat")) {
    route::Shape pairs;
    route::ParseBlocks(*text, pairs);
    for (const route::Props& pair : pairs.PropList()) add(LeadingShape(pair.PropValue, true));
  }
  if (std::optional<std::string> text = ListText(main, reader, route.Folder + "speedpost.dat")) {
    // The shapes stand one level inside the sets; every set counts.
    route::Shape sets;
    route::ParseBlocks(*text, sets);
    for (const route::Props& set : sets.PropList()) {
      route::Shape pairs;
      pairs.AddProp(set.PropName, set.PropValue);
      route::ParseBlocks(set.PropValue, pairs);
      for (const route::Props& pair : pairs.PropList()) {
        if (IsSpeedpostKey(pair.PropName)) add(LeadingShape(pair.PropValue, false));
      }
    }
  }
  for (const char* fixed : {"telepole.s", "teleshad.s", "yard.s"}) add(fixed);
  return names;
}

std::vector<std::string> FindUnused(core::ConvMain& main, const route::Route& route,
                                    SimisReader& reader, core::Progress& progress) {
  StaticNames statics(route);
  for (const std::string& name : CollectSpecialShapes(main, route, reader))
    statics.Mark(platform::FoldCase(name));
  const std::string world = route.Folder + "WORLD\\";
  const std::vector<platform::FindEntry> tiles = FilesOf(main.files, world + "*.w");
  if (tiles.empty()) throw core::Error(main.language.Format(core::Msg::NoWorldFiles, world));
  constexpr int kBarEnd = 500;
  NameFolder folder;
  size_t names_found = 0;
  int number = 0;
  for (const platform::FindEntry& tile : tiles) {
    const std::string path = world + tile.name;
    progress.SetPosition(5);
    progress.SetItem(++number, static_cast<int>(tiles.size()));
    progress.SetLabel(main.language[core::Msg::SearchIn] + tile.name);
    const std::optional<std::string> bytes = main.files.ReadFile(path);
    if (!bytes) throw core::Error("Cannot open file " + path);
    progress.SetPosition(100);
    main.ui.KeepAlive();
    int position = 100;
    auto found = [&](std::string_view raw, size_t width) {
      statics.Gather(folder.Fold(raw, width));
      if (position < kBarEnd) {
        progress.Step();
        ++position;
      }
      // Often enough for a repaint a few times a second, and cheaper than
      // asking the clock for every name.
      if (++names_found % 64 == 0) main.ui.KeepAlive();
    };
    if (IsUnicodeText(*bytes)) {
      ScanFileNames(*bytes, 2, found);
    } else {
      const std::optional<std::string> text = reader.TextOf(path, *bytes);
      if (!text) throw core::Error(main.language.Format(core::Msg::FileUnreadable, path));
      ScanFileNames(*text, 1, found);
    }
    statics.MarkGathered();
  }
  return statics.Unmarked();
}

std::vector<std::string> FindNotInRef(core::ConvMain& main, const route::Route& route,
                                      SimisReader& reader) {
  NameSet known;
  for (const std::string& name : CollectSpecialShapes(main, route, reader))
    known.Insert(platform::FoldCase(name));
  for (const route::Shape& entry : route.Entries)
    known.Insert(platform::FoldCase(entry.GetValue(kFileName)));
  std::vector<std::string> names;
  for (const platform::FindEntry& file : FilesOf(main.files, route.Folder + "SHAPES\\*.s")) {
    if (!known.Contains(platform::FoldCase(file.name))) names.push_back(file.name);
  }
  return names;
}

void AddNamesToRef(const core::ConvMain& main, route::Route& route,
                   const std::vector<std::string>& names) {
  const core::Language& language = main.language;
  route.BackupRef();
  for (const std::string& name : names) {
    route::Shape entry;
    entry.AddProp(language[core::Msg::KeyFileName], name);
    entry.AddProp(language[core::Msg::KeyDescription], name);
    entry.AddProp(language[core::Msg::KeyClass], language[core::Msg::ProgramName]);
    route.AddEntry(entry);
  }
  route.WriteRef();
}

void ClUnusedClick(core::ConvMain& main, RouteState& routes) {
  route::Route* route = ClearableRoute(main, routes);
  if (!route) return;
  SimisReader reader(main, *route);
  std::vector<std::string> unused;
  {
    std::unique_ptr<core::Progress> fence = main.ui.ShowProgress();
    fence->SetRange(500);
    unused = FindUnused(main, *route, reader, *fence);
  }
  core::ChoiceList list(std::move(unused));
  if (main.ui.ChooseObjects(list)) {
    route->BackupRef();
    const bool move_files = main.ui.Ask(main.language[core::Msg::DeleteShapeFiles]);
    const bool move_textures = main.ui.Ask(main.language[core::Msg::DeleteUsedTextures]);
    const int moved = route->FilesMoved();
    for (const std::string& name : list.SelectedNames()) {
      route->DeleteEntry(name, move_files, move_textures, reader);
      main.ui.KeepAlive();
    }
    route->WriteRef();
    NoteMovedFiles(main, *route, moved);
  }
  ClPropPrClick(main, routes);
}

void ClDelUnnamedClick(core::ConvMain& main, RouteState& routes) {
  route::Route* route = ClearableRoute(main, routes);
  if (!route) return;
  SimisReader reader(main, *route);
  core::ChoiceList list(
      FindNotInRef(main, *route, reader),
      [&](const std::vector<std::string>& names) { AddNamesToRef(main, *route, names); });
  if (!main.ui.ChooseObjects(list)) return;
  const std::vector<std::string> selected = list.SelectedNames();
  std::unique_ptr<core::Progress> fence = main.ui.ShowProgress();
  fence->SetRange(static_cast<int>(selected.size()));
  const bool move_files = main.ui.Ask(main.language[core::Msg::DeleteShapeFiles]);
  const bool move_textures = main.ui.Ask(main.language[core::Msg::DeleteUsedTextures]);
  const int moved = route->FilesMoved();
  for (const std::string& name : selected) {
    fence->SetLabel(name);
    route->DeleteEntry(name, move_files, move_textures, reader);
    fence->Step();
    main.ui.KeepAlive();
  }
  NoteMovedFiles(main, *route, moved);
}

}  // namespace ops
