#include "console/console.h"

#include <algorithm>
#include <vector>

#include "convert/shape_text.h"
#include "convert/textures.h"
#include "core/strings.h"

namespace console {
namespace {

constexpr const char* kHelp =
    "Enter 'main' to return to the window mode\n\n"
    "makeace([-dir=...;][-zlib;][-no;][-dxt;][-trans;][-bmp;[-width=...;-height=...;]]) "
    "FILE1;[[FILE 2;]FILE3;]...\n=====\n"
    "makeacedir([-zlib;][-no;][-dxt;][-trans;][-bmp;[-width=...;-height=...;]]-dir=...)\n=====\n"
    "shape(-dir=...;[-b;][-mm=...;]) PREFIX1 OUTPUT1;[ PREFIX2 OUTPUT2]\n=====\n"
    "shapedir(-dir=...;[-b])\n=====\n"
    "batchadd(-dir=...;-route=...;[class=...;][-over;][-sub;][-texs;])\n=====\n";

// The second page, "help route": clearing a route and comparing it.
constexpr const char* kRouteHelp =
    "listref(-route=...;[-props=...;])\n=====\n"
    "deldup(-route=...)\n=====\n"
    "delunex(-route=...)\n=====\n"
    "delentry(-route=...) N1;[N2;]...\n=====\n"
    "delunused(-route=...)\n=====\n"
    "delnotinref(-route=...)\n=====\n"
    "compare(-route=...;[-shapes;][-textures;][-eur1;][-eur2;][-us1;][-us2;][-jp1;][-jp2;]"
    "[-common;|-unique;|-bat=...;])\n=====\n";

// The commands that work on the entries and files of one route.
bool IsClearing(std::string_view command) {
  return command == "listref" || command == "deldup" || command == "delunex" ||
         command == "delentry" || command == "delunused" || command == "delnotinref";
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

// The options each command takes effect with; any other gets a hint.
const std::vector<std::string>* KnownOptions(std::string_view command) {
  static const std::vector<std::string> kTexture = {"-dir",   "-zlib", "-no",    "-dxt",
                                                    "-trans", "-bmp",  "-width", "-height"};
  static const std::vector<std::string> kShape = {"-dir", "-b", "-mip"};
  static const std::vector<std::string> kBatchAdd = {"-dir", "-route", "-class",
                                                     "-sub", "-over",  "-texs"};
  static const std::vector<std::string> kListRef = {"-route", "-props"};
  static const std::vector<std::string> kClearing = {"-route"};
  static const std::vector<std::string> kCompare = {
      "-route", "-shapes", "-textures", "-eur1",   "-eur2",   "-us1",
      "-us2",   "-jp1",    "-jp2",      "-common", "-unique", "-bat"};
  if (command == "makeace" || command == "makeacedir") return &kTexture;
  if (command == "shape" || command == "shapedir") return &kShape;
  if (command == "batchadd") return &kBatchAdd;
  if (command == "listref") return &kListRef;
  if (IsClearing(command)) return &kClearing;
  if (command == "compare") return &kCompare;
  return nullptr;
}

std::string JoinKeys(const std::vector<std::string>& keys) {
  std::string text;
  for (const std::string& key : keys) text += (text.empty() ? "" : ", ") + key;
  return text;
}

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

}  // namespace

Console::Console(core::ConvMain& main, platform::Terminal& terminal, Operations& operations)
    : main_(main), terminal_(terminal), operations_(operations) {}

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
      try {
        if (!Execute(line)) return kExitNormal;
      } catch (const std::exception& error) {
        main_.ui.ReportError(error.what());
        failed = true;
      }
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
  ParsedLine line = ParseLine(text);
  HintUnknownOptions(line);
  // Options reach the fields by the family a name belongs to, before the
  // command itself is looked up.
  if (core::Contains(line.CommandName, "makeace")) {
    TransferTextureOptions(line);
  } else if (core::Contains(line.CommandName, "shape")) {
    if (!TransferShapeOptions(line)) return true;
  }

  if (line.CommandName == "makeace") {
    MakeAce(line);
  } else if (line.CommandName == "makeacedir") {
    MakeAceDir(line);
  } else if (line.CommandName == "shape") {
    Shape(line);
  } else if (line.CommandName == "shapedir") {
    ShapeDir(line);
  } else if (line.CommandName == "batchadd") {
    BatchAdd(line);
  } else if (IsClearing(line.CommandName)) {
    Clearing(line);
  } else if (line.CommandName == "compare") {
    Compare(line);
  } else if (line.ArgumentText == "help" || line.ArgumentText == "/?") {
    Help();
  } else if (line.ArgumentText == "help route" || line.ArgumentText == "/? route") {
    RouteHelp();
  } else if (line.CommandName == "changelang") {
    ChangeLang(line);
  } else if (line.ArgumentText == "main") {
    main_.processes.RestartDetached();
    return false;
  } else if (const std::string typed = core::Trim(text); !typed.empty()) {
    Hint("\"" + typed + "\" is no command; enter 'help' for the commands");
  }
  return true;
}

void Console::TransferTextureOptions(ParsedLine& line) {
  core::Fields& fields = main_.fields;
  const std::string& options = line.OptionText;
  fields.SelectCompression(core::Compression::kZlib, core::Contains(options, "-zlib"));
  fields.SelectCompression(core::Compression::kNo, core::Contains(options, "-no"));
  fields.SelectCompression(core::Compression::kDxt, core::Contains(options, "-dxt"));
  fields.TexTrans = core::Contains(options, "-trans");
  if (core::Contains(options, "-bmp")) {
    fields.TexCab = true;
    operations_.TexCabClick();
    fields.TexWidth = GetOption("-width", options);
    fields.TexHeight = GetOption("-height", options);
  }
  line.DirOption = main_.files.FromUserPath(line.DirOption);
  if (!line.DirOption.empty() && line.DirOption.back() != '\\') line.DirOption += "\\";
}

bool Console::TransferShapeOptions(ParsedLine& line) {
  const std::string& name = line.CommandName;
  if (line.DirOption.empty()) {
    Hint(name + ": a folder is needed, as in " + name + "(-dir=c:\\models); the command is skipped");
    return false;
  }
  const std::string& options = line.OptionText;
  const std::string mip = GetOption("-mip", options);
  // Checked before any field changes, so that a later command does not
  // inherit the value either.
  if (!mip.empty() && !convert::IsMipMapBias(mip)) {
    Hint(name + ": " + main_.language.Format(core::Msg::BadMipMapBias, mip));
    return false;
  }
  core::Fields& fields = main_.fields;
  fields.ShCompress = core::Contains(options, "-b");
  fields.ShUnicode = true;
  operations_.ShUnicodeClick();
  if (!mip.empty()) {
    fields.ShMipMap = true;
    fields.ShMipMapV = mip;
    operations_.ShMipMapClick();
  }
  line.DirOption = main_.files.FromUserPath(line.DirOption);
  if (line.DirOption.back() == '\\') line.DirOption.pop_back();
  fields.ShapeDir = line.DirOption;
  return true;
}

void Console::MakeAce(const ParsedLine& line) {
  if (line.FileList.empty()) Hint("makeace: no file given, as in makeace(-dir=c:\\tex) a.tga;b.tga");
  HintMissingFolder(line, line.DirOption);
  for (const std::string& entry : line.FileList) {
    std::string source = line.DirOption.empty() ? main_.files.FromUserPath(entry) : entry;
    main_.fields.TexSource = line.DirOption + source;
    main_.fields.TexOutput = line.DirOption + convert::AceNameFor(source);
    operations_.TexProcClick();
  }
}

void Console::MakeAceDir(const ParsedLine& line) {
  if (line.DirOption.empty()) {
    Hint("makeacedir: a folder is needed, as in makeacedir(-dir=c:\\tex)");
    return;
  }
  if (!main_.files.FolderExists(line.DirOption)) {
    HintMissingFolder(line, line.DirOption);
    return;
  }
  operations_.ConvertTextureFolder(line.DirOption,
                                   [this](const std::string& path) { terminal_.Write(path + "\n"); });
}

void Console::Shape(const ParsedLine& line) {
  if (line.FileList.empty()) {
    Hint("shape: no model given, as in shape(-dir=c:\\models) house house.s");
  }
  HintMissingFolder(line, line.DirOption);
  for (const std::string& entry : line.FileList) {
    std::vector<std::string> tokens = core::SplitText(core::Trim(entry), ' ');
    if (tokens.empty()) {
      Hint("shape: an empty entry is skipped");
      continue;
    }
    const std::string& prefix = tokens.front();
    main_.fields.ShOutput = main_.fields.ShapeDir + "\\" + tokens.back();
    std::string inputs;
    for (const platform::FindEntry& found :
         main_.files.Find(line.DirOption + "\\" + prefix + "?*.3ds", platform::kAnyAttributes)) {
      const std::string& name = found.name;
      size_t dot = name.rfind('.');
      if (dot == std::string::npos || dot < prefix.size()) continue;
      if (!core::IsWholeNumber(name.substr(prefix.size(), dot - prefix.size()))) continue;
      inputs += name + " ";
      terminal_.Write(name + "\n");
    }
    main_.fields.ShInput = inputs;
    operations_.ShProcClick();
  }
}

void Console::ShapeDir(const ParsedLine& line) {
  if (!main_.files.FolderExists(line.DirOption)) {
    HintMissingFolder(line, line.DirOption);
    return;
  }
  operations_.ShConvertDir(line.DirOption,
                           [this](const std::string& names) { terminal_.Write(names + "\n"); });
}

void Console::BatchAdd(const ParsedLine& line) {
  const std::string& options = line.OptionText;
  BatchAddRequest request;
  request.route = GetOption("-route", options);
  request.folder = main_.files.FromUserPath(line.DirOption);
  request.class_name = GetOption("-class", options);
  request.sub = core::Contains(options, "-sub");
  // Found within other options ("-class=cross-over"), it would replace
  // edited files without a question.
  request.over = HasWholeOption("-over", options);
  request.texs = core::Contains(options, "-texs");
  // Without a folder the search would start at the drive's root, and with
  // -sub take in the whole drive.
  if (request.folder.empty() || request.route.empty()) {
    Hint("batchadd: a folder and a route are needed, as in "
         "batchadd(-dir=c:\\content;-route=myroute); the command is skipped");
    return;
  }
  HintMissingFolder(line, request.folder);
  operations_.BatchAdd(request);
}

void Console::ChangeLang(const ParsedLine& line) {
  const std::string text = core::Trim(line.OptionText);
  int number = 0;
  if (!core::ParseWholeNumber(text, number) ||
      (number != core::kRussian && number != core::kEnglish)) {
    Hint("changelang: \"" + text + "\" is not a language number (0 Russian, 1 English)");
    return;
  }
  main_.language.SetTexts(number);
}

std::optional<std::string> Console::RouteOption(const ParsedLine& line) {
  std::optional<std::string> route = OptionValue("-route", line.OptionText);
  if (route && !route->empty()) return route;
  Hint(line.CommandName + ": a route is needed, as in " + line.CommandName +
       "(-route=myroute); the command is skipped");
  return std::nullopt;
}

void Console::Clearing(const ParsedLine& line) {
  const std::optional<std::string> route = RouteOption(line);
  if (!route) return;
  const std::string& name = line.CommandName;
  if (name == "listref") {
    const std::string props = OptionValue("-props", line.OptionText).value_or("");
    main_.fields.ClProps = props.empty() ? core::Fields().ClProps : props;
    const std::vector<std::string> rows = operations_.ClPropPrClick(*route);
    for (size_t row = 0; row < rows.size(); ++row) {
      terminal_.Write(std::to_string(row + 1) + "  " + rows[row] + "\n");
    }
  } else if (name == "deldup") {
    operations_.ClDuplicatesClick(*route);
  } else if (name == "delunex") {
    operations_.ClDelUnexClick(*route);
  } else if (name == "delentry") {
    DelEntry(line, *route);
  } else if (name == "delunused") {
    operations_.ClUnusedClick(*route);
  } else {
    operations_.ClDelUnnamedClick(*route);
  }
}

void Console::DelEntry(const ParsedLine& line, const std::string& route) {
  std::vector<int> numbers;
  for (const std::string& entry : line.FileList) {
    const std::string text = core::Trim(entry);
    int number = 0;
    if (!core::ParseWholeNumber(text, number)) {
      Hint("delentry: \"" + text + "\" is no entry number; nothing is deleted");
      return;
    }
    numbers.push_back(number);
  }
  if (numbers.empty()) {
    Hint("delentry: no entry number given, as in delentry(-route=myroute) 3;5;9 "
         "(listref shows the numbers)");
    return;
  }
  const std::vector<int> missing = operations_.ClDeleteClick(route, numbers);
  if (missing.empty()) return;
  std::string list;
  for (int number : missing) list += (list.empty() ? "" : ", ") + std::to_string(number);
  Hint("delentry: the route has no entry " + list + "; nothing is deleted");
}

void Console::Compare(const ParsedLine& line) {
  const std::optional<std::string> route = RouteOption(line);
  if (!route) return;
  const std::string& options = line.OptionText;
  const std::optional<std::string> batch = OptionValue("-bat", options);
  const bool common = HasWholeOption("-common", options);
  const bool unique = HasWholeOption("-unique", options);
  if (int{common} + int{unique} + int{batch.has_value()} > 1) {
    Hint("compare: -common, -unique and -bat exclude each other; the command is skipped");
    return;
  }
  if (batch && batch->empty()) {
    Hint("compare: -bat needs a file, as in -bat=c:\\msts\\routes\\copy.bat; "
         "the command is skipped");
    return;
  }
  core::Fields& fields = main_.fields;
  const core::Fields defaults;
  auto set_group = [&](const auto& group) {
    const bool given = std::any_of(std::begin(group), std::end(group), [&](const CompareSwitch& s) {
      return HasWholeOption(s.option, options);
    });
    for (const CompareSwitch& s : group) {
      fields.*s.field = given ? HasWholeOption(s.option, options) : defaults.*s.field;
    }
  };
  set_group(kTrees);
  set_group(kDefaultRoutes);
  fields.CrOutput = common   ? core::ComparisonOutput::kCommon
                    : unique ? core::ComparisonOutput::kUnique
                             : core::ComparisonOutput::kBatch;
  // In the window the batch lines gather in CrOut from one press to the
  // next; a command prints, and saves, only its own.
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

void Console::Help() { terminal_.Write(kHelp); }

void Console::RouteHelp() { terminal_.Write(kRouteHelp); }

void Console::Hint(const std::string& text) { terminal_.WriteError(text + "\n"); }

void Console::HintUnknownOptions(const ParsedLine& line) {
  const std::vector<std::string>* known = KnownOptions(line.CommandName);
  if (!known) return;
  for (const std::string& option : Options(line.OptionText)) {
    const std::string key = OptionKey(option);
    if (std::find(known->begin(), known->end(), key) != known->end()) continue;
    Hint(line.CommandName + ": unknown option \"" + key + "\"; it takes " + JoinKeys(*known));
  }
}

void Console::HintMissingFolder(const ParsedLine& line, const std::string& folder) {
  if (folder.empty() || main_.files.FolderExists(folder)) return;
  Hint(line.CommandName + ": the folder " + folder + " does not exist");
}

}  // namespace console
