#include "console/console.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "convert/shape_text.h"
#include "convert/textures.h"
#include "core/strings.h"
#include "platform/text.h"
#include "platform/windows_path.h"
#include "tools/run_tool.h"

namespace console {
namespace {

using core::Msg;

constexpr const char* kHelp =
    "Enter 'main' to return to the window mode\n\n"
    "makeace([-dir=...;][-zlib;][-no;][-dxt;][-trans;][-bmp;[-width=...;-height=...;]]) "
    "FILE1;[[FILE 2;]FILE3;]...\n=====\n"
    "makeacedir([-zlib;][-no;][-dxt;][-trans;][-bmp;[-width=...;-height=...;]]-dir=...)\n=====\n"
    "shape(-dir=...;[-b;][-mm=...;]) PREFIX1 OUTPUT1;[ PREFIX2 OUTPUT2]\n=====\n"
    "shapedir(-dir=...;[-b])\n=====\n"
    "batchadd(-dir=...;-route=...;[class=...;][-over;][-sub;][-texs;])\n=====\n"
    "aceinfo([-dir=...]) FILE1;[FILE2;]...\n=====\n"
    "acetopng([-dir=...]) FILE1;[FILE2;]...\n=====\n"
    "acetopngdir(-dir=...)\n=====\n";

// The second page, "help route": clearing a route and comparing it.
constexpr const char* kRouteHelp =
    "listref(-route=...;[-props=...;])\n=====\n"
    "deldup(-route=...)\n=====\n"
    "delunex(-route=...)\n=====\n"
    "delentry(-route=...) N1;[N2;]...\n=====\n"
    "delunused(-route=...)\n=====\n"
    "delnotinref(-route=...)\n=====\n"
    "restore(-route=...)\n=====\n"
    "checkroute(-route=...;[-save=...;])\n=====\n"
    "compare(-route=...;[-shapes;][-textures;][-eur1;][-eur2;][-us1;][-us2;][-jp1;][-jp2;]"
    "[-common;|-unique;|-bat=...;])\n=====\n";

// The options of each command. The conversion commands and batchadd find
// theirs anywhere in the option text; the rest only as whole options.
using O = OptionRule;
constexpr OptionRule kTextureOptions[] = {
    {"-dir", O::kValue, O::kAnywhere},   {"-zlib", O::kFlag, O::kAnywhere},
    {"-no", O::kFlag, O::kAnywhere},     {"-dxt", O::kFlag, O::kAnywhere},
    {"-trans", O::kFlag, O::kAnywhere},  {"-bmp", O::kFlag, O::kAnywhere},
    {"-width", O::kValue, O::kAnywhere}, {"-height", O::kValue, O::kAnywhere},
};
constexpr OptionRule kShapeOptions[] = {
    {"-dir", O::kValue, O::kAnywhere},
    {"-b", O::kFlag, O::kAnywhere},
    // help shows the bias as "-mm=".
    {"-mip", O::kValue, O::kAnywhere, "-mm"},
};
constexpr OptionRule kBatchAddOptions[] = {
    {"-dir", O::kValue, O::kAnywhere},   {"-route", O::kValue, O::kAnywhere},
    // help shows the class as "class=".
    {"-class", O::kValue, O::kAnywhere, "class"},
    {"-sub", O::kFlag, O::kAnywhere},
    // Found within other options ("-class=cross-over"), it would replace
    // edited files without a question.
    {"-over", O::kFlag, O::kWhole},      {"-texs", O::kFlag, O::kAnywhere},
};
constexpr OptionRule kAceOptions[] = {{"-dir", O::kValue, O::kWhole}};
constexpr OptionRule kListRefOptions[] = {
    {"-route", O::kValue, O::kWhole},
    {"-props", O::kValue, O::kWhole},
};
constexpr OptionRule kRouteOptions[] = {{"-route", O::kValue, O::kWhole}};
constexpr OptionRule kCheckOptions[] = {
    {"-route", O::kValue, O::kWhole},
    {"-save", O::kValue, O::kWhole},
};
constexpr OptionRule kCompareOptions[] = {
    {"-route", O::kValue, O::kWhole}, {"-shapes", O::kFlag, O::kWhole},
    {"-textures", O::kFlag, O::kWhole}, {"-eur1", O::kFlag, O::kWhole},
    {"-eur2", O::kFlag, O::kWhole},   {"-us1", O::kFlag, O::kWhole},
    {"-us2", O::kFlag, O::kWhole},    {"-jp1", O::kFlag, O::kWhole},
    {"-jp2", O::kFlag, O::kWhole},    {"-common", O::kFlag, O::kWhole},
    {"-unique", O::kFlag, O::kWhole}, {"-bat", O::kValue, O::kWhole},
};

// "-dir=..., -zlib": what a command takes, for its hint.
std::string Describe(std::span<const OptionRule> rules) {
  std::string text;
  for (const OptionRule& rule : rules) {
    text += (text.empty() ? "" : ", ") + std::string(rule.name) +
            (rule.kind == OptionRule::kValue ? "=..." : "");
  }
  return text;
}

// The comparison's options that switch a check box on; given ones replace
// the defaults of their group.
struct CompareSwitch {
  const char* option;
  bool core::Fields::*field;
};
constexpr CompareSwitch kTrees[] = {{"-shapes", &core::Fields::CrSh},
                                    {"-textures", &core::Fields::CrTex}};
constexpr CompareSwitch kDefaultRoutes[] = {
    {"-eur1", &core::Fields::CrEur1}, {"-eur2", &core::Fields::CrEur2},
    {"-us1", &core::Fields::CrUS1},   {"-us2", &core::Fields::CrUS2},
    {"-jp1", &core::Fields::CrJP1},   {"-jp2", &core::Fields::CrJP2},
};

// Prints every log line as it is added, for as long as it lives.
class LogPrinter {
 public:
  LogPrinter(core::Log& log, platform::Terminal& terminal)
      : log_(log),
        observer_(log.Observe([&terminal](const std::string& line) { terminal.Write(line + "\n"); })) {}
  ~LogPrinter() { log_.StopObserving(observer_); }
  LogPrinter(const LogPrinter&) = delete;
  LogPrinter& operator=(const LogPrinter&) = delete;

 private:
  core::Log& log_;
  int observer_;
};

// Empties a text field for as long as it lives.
class EmptiedField {
 public:
  explicit EmptiedField(std::string& field) : field_(field), kept_(std::exchange(field, {})) {}
  ~EmptiedField() { field_ = std::move(kept_); }
  EmptiedField(const EmptiedField&) = delete;
  EmptiedField& operator=(const EmptiedField&) = delete;

 private:
  std::string& field_;
  std::string kept_;
};

}  // namespace

Console::Console(core::ConvMain& main, ConsoleUi& ui, platform::Terminal& terminal,
                 Operations& operations)
    : main_(main), ui_(ui), terminal_(terminal), operations_(operations) {}

std::span<const Console::CommandRow> Console::Commands() {
  static const CommandRow kCommands[] = {
      {"makeace", kTextureOptions, CommandRow::kAfter, &Console::MakeAce},
      {"makeacedir", kTextureOptions, CommandRow::kNone, &Console::MakeAceDir},
      {"shape", kShapeOptions, CommandRow::kAfter, &Console::Shape},
      {"shapedir", kShapeOptions, CommandRow::kNone, &Console::ShapeDir},
      {"batchadd", kBatchAddOptions, CommandRow::kNone, &Console::BatchAdd},
      {"aceinfo", kAceOptions, CommandRow::kAfter, &Console::AceFiles},
      {"acetopng", kAceOptions, CommandRow::kAfter, &Console::AceFiles},
      {"acetopngdir", kAceOptions, CommandRow::kNone, &Console::AceToPngDir},
      {"listref", kListRefOptions, CommandRow::kNone, &Console::Clearing},
      {"deldup", kRouteOptions, CommandRow::kNone, &Console::Clearing},
      {"delunex", kRouteOptions, CommandRow::kNone, &Console::Clearing},
      {"delentry", kRouteOptions, CommandRow::kAfter, &Console::Clearing},
      {"delunused", kRouteOptions, CommandRow::kNone, &Console::Clearing},
      {"delnotinref", kRouteOptions, CommandRow::kNone, &Console::Clearing},
      {"restore", kRouteOptions, CommandRow::kNone, &Console::Restore},
      {"checkroute", kCheckOptions, CommandRow::kNone, &Console::CheckRoute},
      {"compare", kCompareOptions, CommandRow::kNone, &Console::Compare},
      {"changelang", {}, CommandRow::kInParentheses, &Console::ChangeLang},
  };
  return kCommands;
}

int Console::Run(const std::string& command_line) {
  terminal_.SetTitle("Rastolin v1.2b - console version");
  terminal_.Write("Rastolin v1.2b - console.\nEnter 'help' or '/?' for help\n");
  const bool from_command_line = command_line != "-console";
  // Printed as they come, log lines stand before the questions and errors
  // that follow them.
  LogPrinter printer(main_.log, terminal_);
  std::string line = command_line;
  // "-console" itself is no command.
  bool execute = from_command_line;
  bool failed = false;
  for (;;) {
    if (execute) {
      hinted_ = false;
      const size_t failures = main_.log.failures();
      try {
        if (!Execute(line)) return kExitNormal;
      } catch (const std::exception& error) {
        ui_.ReportError(error.what());
      }
      failed = ui_.TakeTrouble() || hinted_ || main_.log.failures() != failures;
    }
    execute = true;
    terminal_.Write(from_command_line ? "Press any key.."
                                      : "Enter new command('q' for exit):\n$ ");
    std::optional<std::string> next = terminal_.ReadLine(kMaxLine);
    main_.log.Clear();
    if (!next) {
      // End of input: leave the terminal on a fresh line.
      terminal_.Write("\n");
      break;
    }
    if (!next->empty() && next->front() == 'q') break;
    if (from_command_line) break;
    line = *next;
  }
  return from_command_line && failed ? kExitFailed : kExitNormal;
}

bool Console::Execute(const std::string& text) {
  const ParsedLine line = ParseLine(text);
  for (const CommandRow& row : Commands()) {
    if (row.name != line.CommandName) continue;
    if (row.arguments != CommandRow::kAfter && !line.ArgumentText.empty()) {
      Hint(Text(Msg::NotTakenAfter, line.CommandName, line.ArgumentText));
      return true;
    }
    if (row.arguments != CommandRow::kInParentheses) {
      const std::vector<std::string> unknown = UnknownOptions(row.options, line.OptionText);
      if (!unknown.empty()) {
        std::string keys;
        for (const std::string& key : unknown) keys += (keys.empty() ? "\"" : ", \"") + key + "\"";
        Hint(Text(unknown.size() > 1 ? Msg::UnknownOptions : Msg::UnknownOption, line.CommandName,
                  keys, Describe(row.options)));
        return true;
      }
      const std::vector<std::string> repeated = RepeatedOptions(row.options, line.OptionText);
      if (!repeated.empty()) {
        std::string keys;
        for (const std::string& key : repeated) keys += (keys.empty() ? "" : ", ") + key;
        Hint(Text(Msg::RepeatedOption, line.CommandName, keys));
        return true;
      }
    }
    const Options options(row.options, line.OptionText);
    (this->*row.run)(Command{line.CommandName, options, line.OptionText, line.FileList});
    return true;
  }
  if (line.ArgumentText == "help" || line.ArgumentText == "/?") {
    terminal_.Write(kHelp);
  } else if (line.ArgumentText == "help route" || line.ArgumentText == "/? route") {
    terminal_.Write(kRouteHelp);
  } else if (line.ArgumentText == "main") {
    return !Main();
  } else if (const std::string typed = core::Trim(text); !typed.empty()) {
    Hint(Text(Msg::NoCommand, typed, FormHint(line.CommandName, typed)));
  }
  return true;
}

std::string Console::FormHint(const std::string& command_name, const std::string& typed) const {
  // "listref -route=x" or "listref(-route=x": a command's own name, its
  // parentheses missing or not closed.
  const std::string word = command_name.empty()
                               ? platform::LowerCase(typed.substr(0, typed.find_first_of(" \t();")))
                               : std::string();
  for (const CommandRow& row : Commands()) {
    if (row.name == word) {
      return Text(Msg::TakesParentheses, word, word);
    }
  }
  return "";
}

std::string Console::TransferTextureOptions(const Command& command) {
  core::Fields& fields = main_.fields;
  const Options& options = command.options;
  fields.SelectCompression(core::Compression::kZlib, options.Has("-zlib"));
  fields.SelectCompression(core::Compression::kNo, options.Has("-no"));
  fields.SelectCompression(core::Compression::kDxt, options.Has("-dxt"));
  fields.TexTrans = options.Has("-trans");
  if (options.Has("-bmp")) {
    fields.TexCab = true;
    operations_.TexCabClick();
    fields.TexWidth = options.Value("-width");
    fields.TexHeight = options.Value("-height");
  }
  std::string folder = FromCurrentFolder(options.Value("-dir"));
  if (!folder.empty() && folder.back() != '\\') folder += "\\";
  return folder;
}

std::optional<std::string> Console::TransferShapeOptions(const Command& command) {
  const std::string& name = command.name;
  const Options& options = command.options;
  std::string folder = options.Value("-dir");
  if (folder.empty()) {
    Hint(Text(Msg::FolderNeeded, name, name + "(-dir=c:\\models)"));
    return std::nullopt;
  }
  const std::string mip = options.Value("-mip");
  // Checked before any field changes, so that a later command does not
  // inherit the value either.
  if (!mip.empty() && !convert::IsMipMapBias(mip)) {
    Hint(name + ": " + Text(Msg::BadMipMapBias, mip));
    return std::nullopt;
  }
  core::Fields& fields = main_.fields;
  fields.ShCompress = options.Has("-b");
  fields.ShUnicode = true;
  operations_.ShUnicodeClick();
  if (!mip.empty()) {
    fields.ShMipMap = true;
    fields.ShMipMapV = mip;
    operations_.ShMipMapClick();
  }
  folder = FromCurrentFolder(folder);
  if (folder.back() == '\\') folder.pop_back();
  fields.ShapeDir = folder;
  return folder;
}

void Console::MakeAce(const Command& command) {
  const std::string folder = TransferTextureOptions(command);
  if (command.files.empty()) {
    Hint(Text(Msg::NoFileGiven, command.name, "makeace(-dir=c:\\tex) a.tga;b.tga"));
  }
  if (!FolderFound(command, folder)) return;
  for (const std::string& entry : command.files) {
    if (core::Trim(entry).empty()) {
      Hint(Text(Msg::EntrySkipped, command.name));
      continue;
    }
    const std::string source = folder.empty() ? FromCurrentFolder(entry) : entry;
    main_.fields.TexSource = folder + source;
    if (main_.files.FolderExists(main_.fields.TexSource)) {
      Hint(Text(Msg::ImagesAreInFolder, command.name, main_.fields.TexSource));
      continue;
    }
    if (!main_.files.FileExists(main_.fields.TexSource)) {
      Hint(Text(Msg::FileNotFoundHint, command.name, main_.fields.TexSource));
      continue;
    }
    main_.fields.TexOutput = folder + convert::AceNameFor(source);
    operations_.TexProcClick();
  }
}

void Console::MakeAceDir(const Command& command) {
  const std::string folder = TransferTextureOptions(command);
  if (folder.empty()) {
    Hint(Text(Msg::FolderNeeded, command.name, "makeacedir(-dir=c:\\tex)"));
    return;
  }
  if (!FolderFound(command, folder)) return;
  int images = 0;
  operations_.ConvertTextureFolder(folder, [this, &images](const std::string& path) {
    ++images;
    terminal_.Write(path + "\n");
  });
  if (images == 0) Hint(Text(Msg::NoImagesIn, folder));
}

void Console::Shape(const Command& command) {
  const std::optional<std::string> folder = TransferShapeOptions(command);
  if (!folder) return;
  if (command.files.empty()) {
    Hint(Text(Msg::NoModelGiven));
  }
  if (!FolderFound(command, *folder)) return;
  for (const std::string& entry : command.files) {
    std::vector<std::string> tokens = core::SplitText(core::Trim(entry), ' ');
    if (tokens.empty()) {
      Hint(Text(Msg::EntrySkipped, command.name));
      continue;
    }
    const std::string& prefix = tokens.front();
    main_.fields.ShOutput = main_.fields.ShapeDir + "\\" + tokens.back();
    std::string inputs;
    for (const platform::FindEntry& found :
         main_.files.Find(*folder + "\\" + prefix + "?*.3ds", platform::kAnyAttributes)) {
      const std::string& name = found.name;
      size_t dot = name.rfind('.');
      if (dot == std::string::npos || dot < prefix.size()) continue;
      if (!core::IsWholeNumber(name.substr(prefix.size(), dot - prefix.size()))) continue;
      inputs += tools::Argument(name) + " ";
      terminal_.Write(name + "\n");
    }
    if (inputs.empty()) Hint(Text(Msg::NoModelFound, *folder + "\\" + prefix + "<number>.3ds"));
    main_.fields.ShInput = inputs;
    operations_.ShProcClick();
  }
}

void Console::ShapeDir(const Command& command) {
  const std::optional<std::string> folder = TransferShapeOptions(command);
  if (!folder || !FolderFound(command, *folder)) return;
  int groups = 0;
  operations_.ShConvertDir(*folder, [this, &groups](const std::string& names) {
    ++groups;
    terminal_.Write(names + "\n");
  });
  if (groups == 0) Hint(Text(Msg::NoModelsIn, *folder));
}

void Console::BatchAdd(const Command& command) {
  const Options& options = command.options;
  BatchAddRequest request;
  request.route = options.Value("-route");
  request.folder = main_.files.FromUserPath(options.Value("-dir"));
  request.class_name = options.Value("-class");
  request.sub = options.Has("-sub");
  request.over = options.Has("-over");
  request.texs = options.Has("-texs");
  // Without a folder the search would start at the drive's root, and with
  // -sub take in the whole drive.
  if (request.folder.empty() || request.route.empty()) {
    Hint(Text(Msg::FolderAndRouteNeeded));
    return;
  }
  if (!FolderFound(command, request.folder)) return;
  if (operations_.BatchAdd(request) == 0) {
    Hint(Text(request.texs ? Msg::NoShapesOrTexturesIn : Msg::NoShapesIn,
              request.sub ? Text(Msg::OrSubfolders, request.folder) : request.folder));
  }
}

void Console::AceFiles(const Command& command) {
  const std::string& name = command.name;
  std::string folder = FromCurrentFolder(command.options.Value("-dir"));
  if (!folder.empty() && folder.back() != '\\') folder += "\\";
  if (command.files.empty())
    Hint(name + ": no file given, as in " + name + "(-dir=c:\\tex) a.ace;b.ace");
  if (!FolderFound(command, folder)) return;
  for (const std::string& entry : command.files) {
    if (core::Trim(entry).empty()) {
      Hint(name + ": an empty entry is skipped");
      continue;
    }
    const std::string path = folder.empty() ? FromCurrentFolder(entry) : folder + entry;
    if (!main_.files.FileExists(path)) {
      Hint(name + ": " + path + " not found");
      continue;
    }
    if (name == "aceinfo") {
      operations_.AceInfo(path);
    } else {
      operations_.AceToPng(path);
    }
  }
}

void Console::AceToPngDir(const Command& command) {
  std::string folder = FromCurrentFolder(command.options.Value("-dir"));
  if (folder.empty()) {
    Hint("acetopngdir: a folder is needed, as in acetopngdir(-dir=c:\\tex)");
    return;
  }
  if (!FolderFound(command, folder)) return;
  if (folder.back() != '\\') folder += "\\";
  const std::vector<platform::FindEntry> found =
      main_.files.FindFiles(folder + "*.ace").value_or(std::vector<platform::FindEntry>{});
  if (found.empty()) Hint("acetopngdir: no *.ace file in " + folder);
  for (const platform::FindEntry& texture : found) operations_.AceToPng(folder + texture.name);
}

void Console::ChangeLang(const Command& command) {
  const std::string text = core::Trim(command.option_text);
  int number = 0;
  if (!core::ParseWholeNumber(text, number) ||
      (number != core::kRussian && number != core::kEnglish)) {
    Hint(Text(Msg::NotALanguage, text));
    return;
  }
  main_.language.SetTexts(number);
}

std::optional<std::string> Console::RouteOption(const Command& command) {
  const std::string route = command.options.Value("-route");
  if (!route.empty()) return route;
  Hint(Text(Msg::RouteNeeded, command.name, command.name));
  return std::nullopt;
}

void Console::Clearing(const Command& command) {
  const std::optional<std::string> route = RouteOption(command);
  if (!route) return;
  const std::string& name = command.name;
  if (name == "listref") {
    const std::string props = command.options.Value("-props");
    main_.fields.ClProps = props.empty() ? core::Fields().ClProps : props;
    const Operations::EntryRows listed = operations_.ClPropPrClick(*route);
    for (size_t row = 0; row < listed.rows.size(); ++row) {
      terminal_.Write(std::to_string(row + 1) + "  " + listed.rows[row] + "\n");
    }
    for (const std::string& unknown : listed.unknown) {
      Hint(Text(Msg::NoSuchProperty, unknown));
    }
  } else if (name == "delentry") {
    DelEntry(command, *route);
  } else {
    // These jobs show no entry list: with no properties to show, neither
    // choosing the route nor the job builds its rows, one per entry.
    const EmptiedField no_list(main_.fields.ClProps);
    if (name == "deldup") {
      operations_.ClDuplicatesClick(*route);
    } else if (name == "delunex") {
      operations_.ClDelUnexClick(*route);
    } else if (name == "delunused") {
      operations_.ClUnusedClick(*route);
    } else {
      operations_.ClDelUnnamedClick(*route);
    }
  }
}

void Console::Restore(const Command& command) {
  if (const std::optional<std::string> route = RouteOption(command)) {
    operations_.ClRestoreClick(*route);
  }
}

void Console::DelEntry(const Command& command, const std::string& route) {
  std::vector<int> numbers;
  for (const std::string& entry : command.files) {
    const std::string text = core::Trim(entry);
    int number = 0;
    if (!core::ParseWholeNumber(text, number)) {
      Hint(Text(Msg::NotAnEntryNumber, text));
      return;
    }
    numbers.push_back(number);
  }
  if (numbers.empty()) {
    Hint(Text(Msg::NoEntryNumber));
    return;
  }
  const std::vector<int> missing = operations_.ClDeleteClick(route, numbers);
  if (missing.empty()) return;
  std::string list;
  for (int number : missing) list += (list.empty() ? "" : ", ") + std::to_string(number);
  Hint(Text(Msg::NoSuchEntry, list));
}

void Console::CheckRoute(const Command& command) {
  const std::optional<std::string> route = RouteOption(command);
  if (!route) return;
  const std::optional<std::string>& save = command.options.Given("-save");
  if (save && save->empty()) {
    Hint(Text(Msg::SaveNeedsFile));
    return;
  }
  operations_.CheckRoute(*route,
                         save ? std::optional(main_.files.FromUserPath(*save)) : std::nullopt);
}

void Console::Compare(const Command& command) {
  const std::optional<std::string> route = RouteOption(command);
  if (!route) return;
  const Options& options = command.options;
  const std::optional<std::string>& batch = options.Given("-bat");
  const bool common = options.Has("-common");
  const bool unique = options.Has("-unique");
  if (int{common} + int{unique} + int{batch.has_value()} > 1) {
    Hint(Text(Msg::CompareExclusive));
    return;
  }
  if (batch && batch->empty()) {
    Hint(Text(Msg::BatNeedsFile));
    return;
  }
  core::Fields& fields = main_.fields;
  const core::Fields defaults;
  auto set_group = [&](const auto& group) {
    const bool given = std::any_of(std::begin(group), std::end(group),
                                   [&](const CompareSwitch& s) { return options.Has(s.option); });
    for (const CompareSwitch& s : group) {
      fields.*s.field = given ? options.Has(s.option) : defaults.*s.field;
    }
  };
  set_group(kTrees);
  set_group(kDefaultRoutes);
  fields.CrOutput = common   ? core::ComparisonOutput::kCommon
                    : unique ? core::ComparisonOutput::kUnique
                             : core::ComparisonOutput::kBatch;
  // A command prints, and saves, only its own batch lines.
  fields.CrOut.clear();
  auto print = [&] {
    for (const std::string& out : fields.CrOut) terminal_.Write(out + "\n");
  };
  try {
    operations_.CrProcClick(*route, batch ? std::optional(main_.files.FromUserPath(*batch))
                                          : std::nullopt);
  } catch (const std::exception&) {
    // The lines stand before the error that kept them from being saved.
    print();
    throw;
  }
  print();
}

bool Console::Main() {
  const std::string missing = operations_.NoWindow();
  if (!missing.empty()) {
    Hint(Text(Msg::MainRefused, missing));
    return false;
  }
  if (!main_.processes.RestartDetached()) {
    Hint(Text(Msg::WindowDidNotOpen));
    return false;
  }
  return true;
}

std::string Console::FromCurrentFolder(const std::string& typed) const {
  const std::string path = main_.files.FromUserPath(typed);
  return path.empty() ? path : platform::JoinPath(main_.files.CurrentFolder(), path);
}

void Console::Hint(const std::string& text) {
  hinted_ = true;
  terminal_.WriteError(text + "\n");
}

bool Console::FolderFound(const Command& command, const std::string& folder) {
  if (folder.empty() || main_.files.FolderExists(folder)) return true;
  Hint(Text(Msg::FolderMissing, command.name, folder));
  return false;
}

}  // namespace console
