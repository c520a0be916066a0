#include "ops/unused.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <tuple>

#include "core/error.h"
#include "formats/simis.h"
#include "formats/text.h"
#include "formats/world_names.h"
#include "ops/clearing.h"
#include "ops/name_set.h"
#include "ops/read_ahead.h"
#include "ops/restore.h"
#include "ops/worn_textures.h"
#include "platform/text.h"
#include "platform/wildcard.h"
#include "platform/windows_path.h"
#include "route/blocks.h"
#include "route/journal.h"

namespace ops {
namespace {

constexpr std::string_view kFileName = "FileName";

// A name as a file gives it: written in a text (quotes, escapes), or the
// value of a string of tokens; either way trimmed.
std::string NameOf(std::string_view raw, size_t width, bool written) {
  const std::string text = width == 2 ? platform::Utf16LeToUtf8(raw) : std::string(raw);
  return written ? formats::text::NameOf(text) : std::string(formats::text::TrimView(text));
}

// Folds the names found in a file into one buffer: ASCII names, nearly all
// of them, without a conversion or an allocation of their own.
class NameFolder {
 public:
  // The name (formats::text::NameOf of a written one, a value trimmed),
  // folded, of a piece of a file whose units are Width bytes (1: UTF-8, 2:
  // UTF-16LE), and its NameSet::Hash; valid until the next call.
  // `in_folder`: whether it holds a \, a / or a drive's :, which no plain
  // name of a file in SHAPES does.
  template <size_t Width>
  std::string_view Fold(std::string_view raw, bool written, bool& in_folder, uint32_t& hash) {
    using formats::name_scan::UnitAt;
    const auto* units = reinterpret_cast<const unsigned char*>(raw.data());
    // Cleaned as the units stand: the blanks and quotes cut off are ASCII.
    size_t first = 0, last = raw.size() / Width;
    auto trim = [&] {
      while (first < last && UnitAt<Width>(units, first) <= 32) ++first;
      while (last > first && UnitAt<Width>(units, last - 1) <= 32) --last;
    };
    trim();
    // A name written in one quoted run, as names with blanks are; what the
    // format reads otherwise than as it stands is left to NameOf: a quote
    // anywhere else, and inside the run a backslash or a line break.
    const bool quoted = written && last - first >= 2 && UnitAt<Width>(units, first) == '"' &&
                        UnitAt<Width>(units, last - 1) == '"';
    if (quoted) {
      ++first;
      --last;
      trim();
    }
    const size_t length = last - first;
    if (buffer_.size() < length) buffer_.resize(length);
    std::string_view name(buffer_.data(), length);
#ifdef RASTOLIN_SCAN_SSE2
    if (Width == 2 && length >= 8) {
      if (!LowerEights(units + 2 * first, length, written, quoted, buffer_.data(), in_folder,
                       hash))
        return Unicode<Width>(raw, written, in_folder, hash);
      return name;
    }
#endif
    bool separator = false;
    for (size_t i = 0; i < length; ++i) {
      const unsigned unit = UnitAt<Width>(units, first + i);
      if (unit >= 0x80 || (written && unit == '"') ||
          (quoted && (unit == '\\' || unit == '\r' || unit == '\n')))
        return Unicode<Width>(raw, written, in_folder, hash);
      buffer_[i] = platform::AsciiLower(static_cast<char>(unit));
      separator |= buffer_[i] == '\\' || buffer_[i] == '/' || buffer_[i] == ':';
    }
    in_folder = separator;
    hash = NameSet::Hash(name);
    return name;
  }

 private:
  // A name with a character beyond ASCII, or written otherwise than
  // plainly, folded whole.
  template <size_t Width>
  std::string_view Unicode(std::string_view raw, bool written, bool& in_folder, uint32_t& hash) {
    buffer_ = platform::FoldCase(NameOf(raw, Width, written));
    in_folder = buffer_.find_first_of("\\/:") != std::string::npos;
    hash = NameSet::Hash(buffer_);
    return buffer_;
  }

#ifdef RASTOLIN_SCAN_SSE2
  // Writes the `length` (at least 8) UTF-16 units at `raw` to `out` in
  // lower case, eight at a time, the last eight overlapping the ones before
  // when the name is no multiple of eight long: the words NameSet::Hash
  // takes, hashed as they are made. False at a unit beyond ASCII, and at
  // one that Fold leaves to NameOf.
  static bool LowerEights(const unsigned char* raw, size_t length, bool written, bool quoted,
                          char* out, bool& in_folder, uint32_t& hash) {
    __m128i beyond_ascii = _mm_setzero_si128(), separators = _mm_setzero_si128();
    __m128i quotes = _mm_setzero_si128(), in_run = _mm_setzero_si128();
    NameSet::Hasher hasher(length);
    for (size_t at = 0;; at = std::min(at + 8, length - 8)) {
      const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(raw + 2 * at));
      beyond_ascii = _mm_or_si128(beyond_ascii, units);
      const __m128i bytes = _mm_packus_epi16(units, units);
      const __m128i upper = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('A' - 1)),
                                          _mm_cmplt_epi8(bytes, _mm_set1_epi8('Z' + 1)));
      const __m128i backslashes = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\'));
      separators = _mm_or_si128(
          separators,
          _mm_or_si128(backslashes, _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('/')),
                                                 _mm_cmpeq_epi8(bytes, _mm_set1_epi8(':')))));
      quotes = _mm_or_si128(quotes, _mm_cmpeq_epi8(bytes, _mm_set1_epi8('"')));
      in_run = _mm_or_si128(
          in_run, _mm_or_si128(backslashes, _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')),
                                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')))));
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + at),
                       _mm_or_si128(bytes, _mm_and_si128(upper, _mm_set1_epi8(0x20))));
      uint64_t word;
      std::memcpy(&word, out + at, sizeof word);
      hasher.Add(word);
      if (at == length - 8) break;
    }
    in_folder = _mm_movemask_epi8(separators) != 0;
    hash = hasher.Hash();
    if ((written && _mm_movemask_epi8(quotes) != 0) || (quoted && _mm_movemask_epi8(in_run) != 0))
      return false;
    const __m128i high = _mm_and_si128(beyond_ascii, _mm_set1_epi16(static_cast<short>(0xff80)));
    return _mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) == 0xffff;
  }
#endif

  std::string buffer_;
};

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

// The shapes a list names. In text, carspawn.dat's items name theirs
// first ("name count"), and speedpost.dat's sets under the keys of
// IsSpeedpostKey. In tokens, whose table does not give those keys, each
// block of values that begins with a string names it: carspawn.dat's
// items all, speedpost.dat's those that name a shape (".s").
std::vector<std::string> ListNames(const formats::SimisFile& file, bool car_spawner,
                                   formats::Fault& fault) {
  std::vector<std::string> names;
  auto add = [&names](std::string name) {
    if (!name.empty()) names.push_back(std::move(name));
  };
  switch (file.form()) {
    case formats::Form::kUnicodeText:
    case formats::Form::kEightBitText: {
      const std::string text = file.Text();
      route::Shape blocks;
      route::ParseBlocks(text, blocks);
      for (const route::Props& block : blocks.PropList()) {
        if (car_spawner) {
          add(LeadingShape(block.PropValue, true));
          continue;
        }
        // The shapes stand one level inside the sets; every set counts.
        route::Shape pairs;
        pairs.AddProp(block.PropName, block.PropValue);
        route::ParseBlocks(block.PropValue, pairs);
        for (const route::Props& pair : pairs.PropList()) {
          if (IsSpeedpostKey(pair.PropName)) add(LeadingShape(pair.PropValue, false));
        }
      }
      return names;
    }
    case formats::Form::kTokens:
      fault = formats::WalkTokenBlocks(
          file.body(), [&](const formats::TokenBlock& block, uint16_t, bool nested) {
            std::string_view units;
            if (nested || !formats::TokenReader(block.content).String(units)) {
              return formats::Fault::kNone;
            }
            std::string name = NameOf(units, 2, false);
            if (car_spawner || platform::FoldCase(name).ends_with(".s")) add(std::move(name));
            return formats::Fault::kNone;
          });
      return names;
    case formats::Form::kPlain:
      if (file.body().empty()) return names;
      break;
    case formats::Form::kNoTypeLine:
      break;
    case formats::Form::kDamaged:
      fault = file.fault();
      return names;
  }
  fault = formats::Fault::kUnknownForm;
  return names;
}

// The shapes of a special list; none for a list the route lacks or one
// that cannot be read, which goes to `unreadable`.
std::vector<std::string> ListedIn(core::ConvMain& main, SimisReader& reader,
                                  const std::string& path, bool car_spawner,
                                  const UnreadableSink& unreadable) {
  if (!main.files.FileExists(path)) return {};
  const std::optional<std::string> bytes = main.files.ReadFile(path);
  if (!bytes) {
    unreadable(path, platform::TooLargeToRead(main.files, path) ? Unreadable::kTooLarge
                                                                : Unreadable::kNotOpened,
               {});
    return {};
  }
  formats::Fault fault = formats::Fault::kNone;
  std::vector<std::string> names = ListNames(formats::SimisFile(*bytes), car_spawner, fault);
  if (fault == formats::Fault::kNone) return names;
  std::string why;
  const std::optional<std::string> text = reader.ThroughTool(path, fault, why);
  if (!text) {
    unreadable(path, Unreadable::kNotText, why);
    return {};
  }
  fault = formats::Fault::kNone;
  return ListNames(formats::SimisFile(*text), car_spawner, fault);
}

// The unused searches stop at a file they cannot read whole: the shapes it
// names would count as unused.
void Refuse(const core::ConvMain& main, const std::string& path, Unreadable why,
            const std::string& detail) {
  const core::Language& language = main.language;
  switch (why) {
    case Unreadable::kFolder:
      throw core::Error(language.Format(core::Msg::FolderUnreadable, path));
    case Unreadable::kNoWorldFiles:
      throw core::Error(language.Format(core::Msg::NoWorldFiles, path));
    case Unreadable::kNotWindowsName:
      throw core::Error(language.Format(core::Msg::WorldNotWindowsName, path));
    case Unreadable::kNotOpened:
      throw core::Error("Cannot open file " + path);
    case Unreadable::kTooLarge:
      throw core::Error(language.Format(core::Msg::FileTooLarge, path));
    case Unreadable::kNotText:
      throw core::Error(language.Format(core::Msg::FileUnreadable, path, detail));
    case Unreadable::kCutShort:
      throw core::Error(language.Format(core::Msg::WorldCutShort, path));
  }
}

UnreadableSink Refusing(const core::ConvMain& main) {
  return [&main](const std::string& path, Unreadable why, const std::string& detail) {
    Refuse(main, path, why, detail);
  };
}

}  // namespace

std::string PlacedName::Written() const { return NameOf(raw, width, written); }

StaticNames::StaticNames(const route::Route& route) : names_(route.Entries.size()) {
  const std::string route_name = platform::FoldCase(route.Name);
  for (const route::Shape& entry : route.Entries) {
    if (!route::NamesMatch(entry.BlockType(), "static")) continue;
    const std::string& name = entry.GetValue(kFileName);
    if (name.empty()) continue;
    const std::string compared = route::ComparedName(platform::FoldCase(name), route_name);
    global_plain_ |= compared.starts_with(route::kGlobalShapes) &&
                     compared.find('\\', route::kGlobalShapes.size()) == std::string::npos;
    const bool offered = route::PlaceOf(compared) == route::NamePlace::kRouteShapes;
    entries_.push_back({&name, names_.Insert(compared), offered});
  }
  marked_.resize(names_.size());
}

void StaticNames::MarkEither(std::string_view compared, uint32_t hash) {
  Mark(names_.Find(compared, hash));
  if (global_plain_ && compared.find('\\') == std::string_view::npos)
    Mark(names_.Find(std::string(route::kGlobalShapes) + std::string(compared)));
}

void StaticNames::Gather(std::string_view folded, uint32_t hash) {
  names_.Prefetch(hash);
  gathered_ += folded;
  gathered_ends_.push_back({gathered_.size(), hash});
  // Enough names for the fetches to overlap; few enough to stay in cache.
  if (gathered_ends_.size() == 256) MarkGathered();
}

void StaticNames::MarkGathered() {
  size_t start = 0;
  for (const auto& [end, hash] : gathered_ends_) {
    MarkEither(std::string_view(gathered_).substr(start, end - start), hash);
    start = end;
  }
  gathered_.clear();
  gathered_ends_.clear();
}

std::vector<std::string> StaticNames::Unmarked() const {
  std::vector<std::string> unmarked;
  for (const Entry& entry : entries_) {
    if (entry.offered && !marked_[entry.number])
      unmarked.push_back(platform::LowerCase(*entry.name));
  }
  return unmarked;
}

void StaticNames::Mark(size_t number) {
  if (number != NameSet::npos) marked_[number] = 1;
}

std::vector<ListedShape> ListedShapes(core::ConvMain& main, const route::Route& route,
                                      SimisReader& reader, const UnreadableSink& unreadable) {
  std::vector<ListedShape> shapes;
  for (const char* list : {"carspawn.dat", "speedpost.dat"}) {
    const bool car_spawner = list == std::string_view("carspawn.dat");
    for (std::string& name : ListedIn(main, reader, route.Folder + list, car_spawner, unreadable))
      shapes.push_back({std::move(name), list});
  }
  return shapes;
}

std::vector<std::string> CollectSpecialShapes(core::ConvMain& main, const route::Route& route,
                                              SimisReader& reader) {
  std::vector<std::string> names;
  for (ListedShape& listed : ListedShapes(main, route, reader, Refusing(main))) {
    names.push_back(std::move(listed.name));
  }
  names.insert(names.end(), kFixedShapes.begin(), kFixedShapes.end());
  return names;
}

namespace {

// The FileNames of one world file, found on a reading thread: the names as
// they compare from either base and as written, each one after another.
struct WorldNames : ReadAhead::Digest {
  struct Name {
    uint32_t end;        // of its compared form, in `compared`
    uint32_t other_end;  // of its form from the other base, in `others`
    uint32_t raw_end;    // of its written form, in `raw`
    uint32_t hash;
    uint32_t count;  // how often the file gives it
  };
  std::string compared;
  std::string others;
  std::string raw;
  std::vector<Name> names;
  size_t width = 2;      // of the units of `raw`: 1 (UTF-8) or 2 (UTF-16LE)
  bool written = true;   // raw as a text writes it, not a string's value
  bool closed = true;    // false: the text ends inside a block
  formats::Fault fault = formats::Fault::kNone;  // the file could not be read

  size_t Bytes() const override {
    return compared.size() + others.size() + raw.size() + names.size() * sizeof(Name);
  }
  // The taker gives a file the readers cannot read to the editor tool.
  bool NeedsBytes() const override { return fault != formats::Fault::kNone; }
  void Add(std::string_view name_compared, std::string_view name_other, std::string_view name_raw,
           uint32_t hash, uint32_t count) {
    compared += name_compared;
    others += name_other;
    raw += name_raw;
    names.push_back({static_cast<uint32_t>(compared.size()), static_cast<uint32_t>(others.size()),
                     static_cast<uint32_t>(raw.size()), hash, count});
  }
  // Name n's compared form and its other one.
  std::pair<std::string_view, std::string_view> Forms(size_t n) const {
    const Name* before = n == 0 ? nullptr : &names[n - 1];
    const uint32_t start = before ? before->end : 0, other_start = before ? before->other_end : 0;
    return {std::string_view(compared).substr(start, names[n].end - start),
            std::string_view(others).substr(other_start, names[n].other_end - other_start)};
  }
};

// How a reading thread compares the names of a route's world files, with
// the forms of the names it resolved before: a route's tiles place the
// same few thousand names over and over.
class NameForms {
 public:
  // `blocks`: from the base of each name's block, else the route's SHAPES.
  NameForms(std::string route, bool blocks) : route_(std::move(route)), blocks_(blocks) {}
  NameForms(const NameForms& other) : NameForms(other.route_, other.blocks_) {}

  bool blocks() const { return blocks_; }
  // The forms (route::ComparedName) of a folded name that is not plain, or
  // from GLOBAL\SHAPES, from its base and the other. `hash`:
  // NameSet::Hash(folded), and then of the compared form.
  std::pair<std::string_view, std::string_view> Of(std::string_view folded, uint32_t& hash,
                                                   route::NameBase base, bool plain) {
    Resolved& resolved = resolved_[base == route::NameBase::kGlobalShapes];
    const size_t known = resolved.names.size();
    const size_t n = resolved.names.Insert(folded, hash);
    if (n == known) {
      const route::NameBase other = base == route::NameBase::kRouteShapes
                                        ? route::NameBase::kGlobalShapes
                                        : route::NameBase::kRouteShapes;
      // A plain name's other form is itself or kGlobalShapes and it: the
      // former is kept for a track piece; the latter an entry seldom needs
      // (StaticNames).
      std::string compared = route::ComparedName(folded, route_, base);
      const uint32_t compared_hash = NameSet::Hash(compared);
      resolved.forms.push_back({std::move(compared),
                                plain ? std::string(folded)
                                      : route::ComparedName(folded, route_, other),
                                compared_hash});
    }
    const Forms& forms = resolved.forms[n];
    hash = forms.hash;
    return {forms.compared, forms.other};
  }

 private:
  struct Forms {
    std::string compared, other;
    uint32_t hash;  // of `compared`
  };
  struct Resolved {
    NameSet names;
    std::deque<Forms> forms;  // of each of `names`
  };
  const std::string route_;
  const bool blocks_;
  Resolved resolved_[2];  // from the route's SHAPES, from GLOBAL\SHAPES
};

bool InTrackObj(const formats::PlacedFileName& name) {
  return platform::EqualsIgnoreCase(name.Block(), "TrackObj");
}

// Every FileName of the file, or only those `keep(folded, hash, base)`
// keeps, asked before a name is resolved.
template <typename Keep>
void FindNames(const formats::SimisFile& file, NameForms& forms, WorldNames& into, Keep keep) {
  NameFolder folder;
  into.width = file.form() == formats::Form::kEightBitText ? 1 : 2;
  into.written = file.form() != formats::Form::kTokens;
  const formats::WorldScanEnd end =
      formats::ScanWorldFile(file, [&](const formats::PlacedFileName& name) {
        bool in_folder = false;
        uint32_t hash = 0;
        std::string_view compared = name.width == 2
                                        ? folder.Fold<2>(name.raw, name.written, in_folder, hash)
                                        : folder.Fold<1>(name.raw, name.written, in_folder, hash);
        const route::NameBase base = forms.blocks() && InTrackObj(name)
                                         ? route::NameBase::kGlobalShapes
                                         : route::NameBase::kRouteShapes;
        if (!keep(compared, hash, base)) return;
        std::string_view other;
        if (in_folder || base != route::NameBase::kRouteShapes) {
          std::tie(compared, other) = forms.Of(compared, hash, base, !in_folder);
        }
        into.Add(compared, other, name.raw, hash, 1);
      });
  into.closed = end.closed;
  into.fault = end.fault;
}

void FindNames(const formats::SimisFile& file, NameForms& forms, WorldNames& into) {
  FindNames(file, forms, into, [](std::string_view, uint32_t, route::NameBase) { return true; });
}

// The names of `found` each once, as first written, with how often each
// stands: a tile places the few shapes of its neighbourhood many times.
void KeepDistinct(const WorldNames& found, WorldNames& into) {
  size_t size = 16;
  while (size < found.names.size() * 2) size *= 2;
  std::vector<uint32_t> slots(size);  // a name's number + 1; 0 for a free slot
  into.width = found.width;
  into.written = found.written;
  into.closed = found.closed;
  into.fault = found.fault;
  uint32_t raw_start = 0;
  for (size_t n = 0; n < found.names.size(); ++n) {
    const WorldNames::Name& name = found.names[n];
    const auto forms = found.Forms(n);
    const std::string_view raw =
        std::string_view(found.raw).substr(raw_start, name.raw_end - raw_start);
    raw_start = name.raw_end;
    for (size_t at = name.hash & (size - 1);; at = (at + 1) & (size - 1)) {
      if (slots[at] == 0) {
        into.Add(forms.first, forms.second, raw, name.hash, name.count);
        slots[at] = static_cast<uint32_t>(into.names.size());
        break;
      }
      WorldNames::Name& kept = into.names[slots[at] - 1];
      if (kept.hash == name.hash && into.Forms(slots[at] - 1) == forms) {
        kept.count += name.count;
        break;
      }
    }
  }
}

// A world file's names, which are all that is kept of it: each once, or
// (`first_met`) only those its reading thread met in no file before.
// Whether a name is placed at all needs each name once, and a route's
// tiles place the same few thousand shapes over and over. Each reading
// thread digests with a copy of its own. The set starts small: a table
// much larger than its names spreads them over more pages than the
// processor keeps translated, and each look-up would wait for a page walk.
class WorldDigester {
 public:
  WorldDigester(NameForms forms, bool first_met) : forms_(std::move(forms)), first_met_(first_met) {}

  std::unique_ptr<ReadAhead::Digest> operator()(const std::string& bytes) {
    auto names = std::make_unique<WorldNames>();
    if (first_met_) {
      // A name as written stands for the same file wherever it stands in
      // the same kind of block.
      FindNames(formats::SimisFile(bytes), forms_, *names,
                [this](std::string_view folded, uint32_t hash, route::NameBase base) {
                  NameSet& met = met_[base == route::NameBase::kGlobalShapes];
                  const size_t known = met.size();
                  return met.Insert(folded, hash) == known;
                });
      return names;
    }
    // Gathered in a list of their own, then kept at their size: the digests
    // of many files are in hand at once.
    WorldNames found;
    FindNames(formats::SimisFile(bytes), forms_, found);
    KeepDistinct(found, *names);
    return names;
  }

 private:
  NameForms forms_;
  const bool first_met_;
  NameSet met_[2];  // the names met, as written, from the route's SHAPES and GLOBAL\SHAPES
};

// Names take a few kilobytes of a world file's fifty: the scan can run far
// ahead, as when it overlaps reading the .ref, in a few megabytes whatever
// the number of world files.
constexpr ReadWindow kWorldWindow = {4096, size_t{4} << 20};

// The *.w files of a WORLD folder, in the order a file search lists them.
// Only their names count: a large route's thousands of tiles are not
// looked at one by one for attributes nobody asks about.
std::optional<std::vector<std::string>> WorldFileNames(const platform::FileSystem& files,
                                                       const std::string& world) {
  std::optional<std::vector<std::string>> names = files.FileNames(world);
  if (!names) return names;
  std::erase_if(*names,
                [](const std::string& name) { return !platform::MatchesWildcard("*.w", name); });
  std::sort(names->begin(), names->end(), platform::LessIgnoreCase);
  return names;
}

// The last part of a folder path that ends in "\\".
std::string LastFolder(const std::string& folder) {
  const size_t end = folder.size() - (folder.ends_with('\\') ? 1 : 0);
  const size_t start = folder.rfind('\\', end == 0 ? 0 : end - 1);
  return folder.substr(start == std::string::npos ? 0 : start + 1,
                       end - (start == std::string::npos ? 0 : start + 1));
}

}  // namespace

WorldScan::WorldScan(const core::ConvMain& main, const std::string& route_folder, Names names)
    : route_folder_(route_folder),
      world_(route_folder + "WORLD\\"),
      route_(platform::FoldCase(LastFolder(route_folder))),
      blocks_(names == Names::kEveryFile),
      tiles_(WorldFileNames(main.files, world_)) {
  if (!tiles_) return;
  std::vector<std::string> paths;
  for (const std::string& tile : *tiles_) {
    // Such a name would be read as a path to another file.
    if (platform::IsWindowsFileName(tile)) paths.push_back(world_ + tile);
  }
  ReadAhead::Digester digester =
      WorldDigester(NameForms(route_, blocks_), names == Names::kFirstMet);
  ahead_ =
      std::make_unique<ReadAhead>(main.files, std::move(paths), std::move(digester), kWorldWindow);
}

WorldScan::~WorldScan() = default;

void ScanWorldFiles(core::ConvMain& main, SimisReader& reader, core::Progress& progress,
                    const std::function<void(const PlacedName&)>& found,
                    const UnreadableSink& unreadable, WorldScan& scan) {
  const std::string& world = scan.world_;
  if (!scan.tiles_) return unreadable(world, Unreadable::kFolder, {});
  const std::vector<std::string>& tiles = *scan.tiles_;
  if (tiles.empty()) return unreadable(world, Unreadable::kNoWorldFiles, {});
  ReadAhead& ahead = *scan.ahead_;
  constexpr int kBarEnd = 500;
  size_t names_found = 0;
  int number = 0;
  for (const std::string& tile : tiles) {
    const std::string path = world + tile;
    if (!platform::IsWindowsFileName(tile)) {
      unreadable(path, Unreadable::kNotWindowsName, {});
      continue;
    }
    progress.SetPosition(5);
    progress.SetItem(++number, static_cast<int>(tiles.size()));
    progress.SetLabel(main.language[core::Msg::SearchIn] + tile);
    ReadAhead::Read read = ahead.Take();
    if (!read.bytes) {
      unreadable(path, read.too_large ? Unreadable::kTooLarge : Unreadable::kNotOpened, {});
      continue;
    }
    std::unique_ptr<WorldNames> names(static_cast<WorldNames*>(read.digest.release()));
    if (names->fault != formats::Fault::kNone) {
      // The editor tool works through the file system.
      const ReadAhead::Hold hold(ahead);
      std::string why;
      const std::optional<std::string> text = reader.ThroughTool(path, names->fault, why);
      if (!text) {
        unreadable(path, Unreadable::kNotText, why);
        continue;
      }
      WorldNames found;
      NameForms forms(scan.route_, scan.blocks_);
      FindNames(formats::SimisFile(*text), forms, found);
      names = std::make_unique<WorldNames>();
      KeepDistinct(found, *names);
    }
    progress.SetPosition(100);
    main.ui.KeepAlive();
    int position = 100;
    size_t raw_start = 0;
    for (size_t n = 0; n < names->names.size(); ++n) {
      const WorldNames::Name& name = names->names[n];
      const auto [compared, other] = names->Forms(n);
      found(PlacedName{compared, other,
                       std::string_view(names->raw).substr(raw_start, name.raw_end - raw_start),
                       names->width, names->written, tile, name.hash, name.count});
      raw_start = name.raw_end;
      if (position < kBarEnd) {
        progress.Step();
        ++position;
      }
      // Often enough for a repaint a few times a second, and cheaper than
      // asking the clock for every name.
      if (++names_found % 64 == 0) main.ui.KeepAlive();
    }
    if (!names->closed) unreadable(path, Unreadable::kCutShort, {});
  }
}

std::vector<std::string> FindUnused(core::ConvMain& main, const route::Route& route,
                                    SimisReader& reader, core::Progress& progress,
                                    WorldScan* started) {
  std::optional<WorldScan> own;
  if (!started || started->route_folder() != route.Folder)
    started = &own.emplace(main, route.Folder, WorldScan::Names::kFirstMet);
  // Made while the world files are read.
  StaticNames statics(route);
  ScanWorldFiles(
      main, reader, progress,
      [&](const PlacedName& name) {
        statics.Gather(name.compared, name.hash);
        if (!name.other.empty()) statics.Gather(name.other, NameSet::Hash(name.other));
      },
      Refusing(main),
      *started);
  statics.MarkGathered();
  // After the world files, all read: a binary list is made text by a tool,
  // which writes to the file system.
  const std::string route_name = platform::FoldCase(route.Name);
  for (const std::string& name : CollectSpecialShapes(main, route, reader))
    statics.Mark(route::ComparedName(platform::FoldCase(name), route_name));
  return statics.Unmarked();
}

std::vector<std::string> FindNotInRef(core::ConvMain& main, const route::Route& route,
                                      SimisReader& reader) {
  NameSet known;
  const std::string route_name = platform::FoldCase(route.Name);
  for (const std::string& name : CollectSpecialShapes(main, route, reader))
    known.Insert(route::ComparedName(platform::FoldCase(name), route_name));
  for (const route::Shape& entry : route.Entries)
    known.Insert(route::ComparedName(platform::FoldCase(entry.GetValue(kFileName)), route_name));
  std::vector<std::string> names;
  const std::string shapes = route.Folder + "SHAPES\\";
  const std::optional<std::vector<platform::FindEntry>> files =
      main.files.FindFiles(shapes + "*.s");
  // What it holds would count as missing.
  if (!files) Refuse(main, shapes, Unreadable::kFolder, {});
  for (const platform::FindEntry& file : *files) {
    // Offered, such a name would move the file its path leads to.
    if (!platform::IsWindowsFileName(file.name)) {
      main.log.AddFailure(main.language.Format(core::Msg::NotAWindowsName, shapes + file.name));
    } else if (!known.Contains(platform::FoldCase(file.name))) {
      names.push_back(file.name);
    }
  }
  return names;
}

void AddNamesToRef(const core::ConvMain& main, route::Route& route,
                   const std::vector<std::string>& names) {
  const core::Language& language = main.language;
  const route::Route::Writing writing(route);
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

namespace {

// What the shapes staying use, when the chosen shapes' textures leave.
std::optional<WornTextures> WornBy(core::ConvMain& main, const route::Route& route,
                                   SimisReader& reader, const std::vector<std::string>& chosen,
                                   bool move_files, bool move_textures) {
  if (!move_textures) return std::nullopt;
  return std::optional<WornTextures>(
      std::in_place, main, route, reader, move_files ? chosen : std::vector<std::string>());
}

}  // namespace

void ClUnusedClick(core::ConvMain& main, RouteState& routes) {
  DeleteUnused(main, routes, nullptr);
}

void DeleteUnused(core::ConvMain& main, RouteState& routes, WorldScan* started) {
  route::Route* route = ClearableRoute(main, routes);
  if (!route) return;
  RowsFollowEntries rows(main, routes);
  SimisReader reader(main, *route);
  std::vector<std::string> unused;
  {
    std::unique_ptr<core::Progress> fence = main.ui.ShowProgress();
    fence->SetRange(500);
    unused = FindUnused(main, *route, reader, *fence, started);
  }
  core::ChoiceList list(std::move(unused));
  list.route_folder = route->Folder;
  if (!main.ui.ChooseObjects(list)) return;
  const bool move_files = main.ui.Ask(main.language[core::Msg::DeleteShapeFiles]);
  const bool move_textures = main.ui.Ask(main.language[core::Msg::DeleteUsedTextures]);
  const route::Route::Writing writing(*route);
  route::JobRecord record(*route, std::string(kUnusedJob));
  // The entries stay, so the .ref file is backed up but not written.
  route->CheckClearing(false);
  route->BackupRef();
  const int moved = route->FilesMoved();
  const std::vector<std::string> selected = list.SelectedNames();
  std::optional<WornTextures> worn =
      WornBy(main, *route, reader, selected, move_files, move_textures);
  for (const std::string& name : selected) {
    route->DeleteEntry(name, move_files, move_textures, reader, worn ? &*worn : nullptr);
    main.ui.KeepAlive();
  }
  record.Complete();
  NoteMovedFiles(main, *route, moved);
}

void ClDelUnnamedClick(core::ConvMain& main, RouteState& routes) {
  route::Route* route = ClearableRoute(main, routes);
  if (!route) return;
  // "Add" adds entries while the list is open.
  RowsFollowEntries rows(main, routes);
  SimisReader reader(main, *route);
  // The entries added from the list belong to the job as well.
  route::JobRecord record(*route, std::string(kNotInRefJob));
  core::ChoiceList list(
      FindNotInRef(main, *route, reader),
      [&](const std::vector<std::string>& names) { AddNamesToRef(main, *route, names); });
  list.route_folder = route->Folder;
  if (!main.ui.ChooseObjects(list)) {
    record.Complete();
    return;
  }
  const std::vector<std::string> selected = list.SelectedNames();
  std::unique_ptr<core::Progress> fence = main.ui.ShowProgress();
  fence->SetRange(static_cast<int>(selected.size()));
  const bool move_files = main.ui.Ask(main.language[core::Msg::DeleteShapeFiles]);
  const bool move_textures = main.ui.Ask(main.language[core::Msg::DeleteUsedTextures]);
  const route::Route::Writing writing(*route);
  route->CheckClearing(false);
  const int moved = route->FilesMoved();
  std::optional<WornTextures> worn =
      WornBy(main, *route, reader, selected, move_files, move_textures);
  for (const std::string& name : selected) {
    fence->SetLabel(name);
    route->DeleteEntry(name, move_files, move_textures, reader, worn ? &*worn : nullptr);
    fence->Step();
    main.ui.KeepAlive();
  }
  record.Complete();
  NoteMovedFiles(main, *route, moved);
}

}  // namespace ops
