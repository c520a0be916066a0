#include "ops/comparison.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <unordered_set>
#include <utility>

#include "core/error.h"
#include "ops/user_file.h"
#include "platform/text.h"
#include "platform/windows_path.h"
#include "route/discovery.h"

namespace ops {
namespace {

struct DefaultRoute {
  bool core::Fields::*ticked;
  const char* folder;
};

// A file belongs to the first ticked route of this order that has it.
constexpr DefaultRoute kDefaultRoutes[] = {
    {&core::Fields::CrEur1, "EUROPE1"}, {&core::Fields::CrEur2, "EUROPE2"},
    {&core::Fields::CrUS1, "USA1"},     {&core::Fields::CrUS2, "USA2"},
    {&core::Fields::CrJP1, "JAPAN1"},   {&core::Fields::CrJP2, "JAPAN2"},
};

struct Tree {
  const char* folder;
  const char* fragment;  // what a file name of the route must hold
};

constexpr Tree kShapes{"SHAPES", ".s"};
constexpr Tree kTextures{"TEXTURES", ".ace"};

// The progress label of a walk: the folder being walked and the number of
// entries met so far. The console rewrites its progress line for every
// label, so within a folder the count is shown a few times a second at most,
// and once more for the whole tree when it is walked: the line left standing
// on the terminal must not show the count as it was at some folder's start.
class WalkLabel {
 public:
  explicit WalkLabel(core::Progress* bar) : bar_(bar) {}

  void Enter(const std::string& folder) {
    folder_ = folder.substr(0, folder.size() - 1);
    Show();
  }
  void Count() {
    ++count_;
    if (bar_ && std::chrono::steady_clock::now() - shown_ >= std::chrono::milliseconds(100)) Show();
  }

 private:
  void Show() {
    if (!bar_) return;
    bar_->SetLabel(folder_ + ": " + std::to_string(count_));
    shown_ = std::chrono::steady_clock::now();
  }

  core::Progress* bar_;
  std::string folder_;
  size_t count_ = 0;
  std::chrono::steady_clock::time_point shown_{};
};

// Walks a folder tree depth first in the order of the folder listings:
// visit(relative path, entry) for every entry, and the entries of a
// subfolder right after it. Each folder is walked once, however many links
// lead to it, and only inside the tree's real folder: a link out of it is
// listed but not followed. A name Windows could not hold names no file
// there and is left out, reported to `skipped` when one is given.
template <typename Visit>
class TreeWalk {
 public:
  TreeWalk(const platform::FileSystem& files, core::Ui& ui, core::Progress* bar,
           std::function<void(const std::string&)> skipped, Visit visit)
      : files_(files),
        ui_(ui),
        label_(bar),
        skipped_(std::move(skipped)),
        visit_(std::move(visit)) {}

  void Walk(const std::string& folder, const std::string& prefix) {
    root_ = folder;
    WalkFolder(folder, prefix);
    label_.Enter(folder);
  }

 private:
  void WalkFolder(const std::string& folder, const std::string& prefix) {
    const std::optional<platform::FolderId> id = files_.FolderIdentity(folder);
    if (!id || !walked_.insert(*id).second) return;
    label_.Enter(folder);
    for (const platform::FindEntry& entry : files_.Find(folder + "*.*", platform::kAnyAttributes)) {
      if (entry.name == "." || entry.name == "..") continue;
      const std::string relative = prefix + "\\" + entry.name;
      if (!platform::IsWindowsFileName(entry.name)) {
        if (skipped_) skipped_(relative);
        continue;
      }
      label_.Count();
      ui_.KeepAlive();
      visit_(relative, entry);
      const std::string subfolder = folder + entry.name + "\\";
      if ((entry.attributes & platform::kDirectory) && !files_.LinkOutOf(root_, subfolder)) {
        WalkFolder(subfolder, relative);
      }
    }
  }

  struct FolderHash {
    size_t operator()(const platform::FolderId& id) const {
      return std::hash<uint64_t>{}(id.device * 0x9E3779B97F4A7C15ull ^ id.node);
    }
  };

  const platform::FileSystem& files_;
  core::Ui& ui_;
  WalkLabel label_;
  std::function<void(const std::string&)> skipped_;
  Visit visit_;
  std::string root_;
  std::unordered_set<platform::FolderId, FolderHash> walked_;
};

// Adds the case-folded relative path of every file (not folder) of a tree.
void ListFiles(const platform::FileSystem& files, core::Ui& ui, const std::string& folder,
               const std::string& prefix, core::Progress* progress,
               std::unordered_set<std::string>& present) {
  TreeWalk walk(files, ui, progress, {},
                [&present](const std::string& relative, const platform::FindEntry& entry) {
                  if (entry.attributes & platform::kDirectory) return;
                  present.insert(platform::FoldCase(relative));
                });
  walk.Walk(folder, prefix);
}

struct Comparison {
  std::vector<std::string> common;  // with the default route's folder in front
  std::vector<std::string> unique;  // relative to the route's folder
};

// The ticked default routes, in their order. A default route compared with
// the others is not compared with itself: every file of it would be found
// there.
std::vector<std::string> ChosenRoutes(const core::Fields& fields, const std::string& name) {
  std::vector<std::string> chosen;
  for (const DefaultRoute& route : kDefaultRoutes) {
    if (fields.*route.ticked && !platform::EqualsIgnoreCase(route.folder, name)) {
      chosen.emplace_back(route.folder);
    }
  }
  return chosen;
}

// Each default route's trees are listed once into a set, rather than asking
// for every route file whether it exists there: on a host that matches
// names without regard to case, every such question may read a folder.
Comparison Compare(core::ConvMain& main, const std::string& routes_folder, const std::string& name,
                   const std::vector<std::string>& chosen) {
  const core::Fields& fields = main.fields;
  std::vector<Tree> trees;
  if (fields.CrSh) trees.push_back(kShapes);
  if (fields.CrTex) trees.push_back(kTextures);

  std::unique_ptr<core::Progress> progress = main.ui.ShowProgress();
  progress->SetRange(static_cast<int>(trees.size() * (chosen.size() + 1)));
  Comparison out;
  for (const Tree& tree : trees) {
    CollectRouteFiles(main.files, main.ui, routes_folder + name + "\\" + tree.folder + "\\", tree.folder,
                      tree.fragment, out.unique, progress.get(), [&main](const std::string& odd) {
                        main.log.AddFailure(main.language.Format(core::Msg::NotAWindowsName, odd));
                      });
    progress->Step();
  }
  std::vector<std::string> keys;
  keys.reserve(out.unique.size());
  for (const std::string& file : out.unique) keys.push_back(platform::FoldCase(file));

  for (const std::string& route : chosen) {
    if (out.unique.empty()) break;
    std::unordered_set<std::string> present;
    for (const Tree& tree : trees) {
      ListFiles(main.files, main.ui, routes_folder + route + "\\" + tree.folder + "\\", tree.folder,
                progress.get(), present);
      progress->Step();
    }
    size_t kept = 0;
    for (size_t i = 0; i < out.unique.size(); ++i) {
      if (present.count(keys[i])) {
        out.common.push_back(route + "\\" + out.unique[i]);
      } else {
        if (kept != i) {
          out.unique[kept] = std::move(out.unique[i]);
          keys[kept] = std::move(keys[i]);
        }
        ++kept;
      }
    }
    out.unique.resize(kept);
    keys.resize(kept);
  }
  return out;
}

// A batch file's text for a path: "%" would start a variable.
std::string BatchText(const std::string& path) {
  std::string text;
  for (char c : path) {
    text += c;
    if (c == '%') text += '%';
  }
  return text;
}

}  // namespace

void CollectRouteFiles(const platform::FileSystem& files, core::Ui& ui, const std::string& folder,
                       const std::string& prefix, const std::string& fragment,
                       std::vector<std::string>& list, core::Progress* progress,
                       const std::function<void(const std::string&)>& skipped) {
  TreeWalk walk(files, ui, progress, skipped,
                [&](const std::string& relative, const platform::FindEntry& entry) {
                  if (entry.name.find(fragment) != std::string::npos) list.push_back(relative);
                });
  walk.Walk(folder, prefix);
}

void CompareRoute(core::ConvMain& main, const std::string& name,
                  const std::optional<std::string>& batch_file) {
  const core::Language& texts = main.language;
  core::Fields& fields = main.fields;
  if (name.empty()) {
    main.ui.Message("", texts[core::Msg::SelectRoute]);
    return;
  }
  if (fields.MSTSRoot.empty()) {
    main.ui.Message("Warning", texts[core::Msg::SelectMstsRoot]);
    return;
  }
  const std::string routes_folder = fields.MSTSRoot + "\\ROUTES\\";
  if (!route::IsRouteName(name) || !main.files.FolderExists(routes_folder + name)) {
    main.ui.Message("Warning", texts.Format(core::Msg::RouteNotFound, name));
    return;
  }

  const std::vector<std::string> chosen = ChosenRoutes(fields, name);
  Comparison result = Compare(main, routes_folder, name, chosen);
  switch (fields.CrOutput) {
    case core::ComparisonOutput::kCommon:
      fields.CrOut = std::move(result.common);
      return;
    case core::ComparisonOutput::kUnique:
      fields.CrOut = std::move(result.unique);
      return;
    case core::ComparisonOutput::kBatch:
      break;
  }
  // Run from ROUTES: copies each file from the default route into the route.
  for (const std::string& common : result.common) {
    fields.CrOut.push_back("copy \"" + BatchText(common) + "\" \"" +
                           BatchText(name + common.substr(common.find('\\'))) + "\"");
  }
  std::optional<std::string> target = batch_file;
  if (!target) {
    core::FileDialog dialog;
    dialog.filter = "*.*|*.*";
    dialog.default_extension = "bat";
    dialog.initial_folder = fields.MSTSRoot + "\\ROUTES";
    target = main.ui.SaveFile(dialog);
    if (!target) return;
  }
  // Written in a route being compared, it could replace one of its files.
  std::vector<std::string> compared = {routes_folder + name};
  for (const std::string& route : chosen) compared.push_back(routes_folder + route);
  std::string bytes;
  for (const std::string& line : fields.CrOut) bytes += line + "\r\n";
  if (ReplaceWhenAgreed(main, *target, bytes, compared, core::Msg::InComparedRoute)) {
    main.log.Add(texts.Format(core::Msg::BatchSaved, *target));
  }
}

void CrProcClick(core::ConvMain& main, const RouteState& routes) {
  const int index = routes.CrRouteIndex;
  const bool chosen = index >= 0 && index < static_cast<int>(routes.CrRoute.size());
  CompareRoute(main, chosen ? routes.CrRoute[index] : std::string());
}

}  // namespace ops
