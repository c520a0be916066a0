#include "console/console.h"

#include "convert/textures.h"
#include "core/strings.h"
#include "tools/shape_groups.h"

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

// The path up to and including its last "." (all of it when it has none),
// followed by "ace".
std::string AceNameFor(const std::string& path) {
  size_t dot = path.rfind('.');
  return (dot == std::string::npos ? "" : path.substr(0, dot + 1)) + "ace";
}

}  // namespace

Console::Console(core::ConvMain& main, platform::Terminal& terminal, Operations& operations)
    : main_(main), terminal_(terminal), operations_(operations) {}

void Console::Run(const std::string& command_line) {
  terminal_.SetTitle("Rastolin v1.2b - console version");
  terminal_.Write("Rastolin v1.2b - console.\nEnter 'help' or '/?' for help\n");
  const bool from_command_line = command_line != "-console";
  std::string line = command_line;
  for (;;) {
    if (!Execute(ParseLine(line))) return;
    for (const std::string& logged : main_.log.lines()) terminal_.Write(logged + "\n");
    terminal_.Write(from_command_line ? "Press any key.."
                                      : "Enter new command('q' for exit):\n$ ");
    std::optional<std::string> next = terminal_.ReadLine(kMaxLine);
    main_.log.Clear();
    if (!next) {
      // End of input: leave the terminal on a fresh line.
      terminal_.Write("\n");
      return;
    }
    if (!next->empty() && next->front() == 'q') return;
    if (from_command_line) return;
    line = *next;
  }
}

bool Console::Execute(ParsedLine line) {
  // Options reach the fields by the family a name belongs to, before the
  // command itself is looked up.
  if (core::Contains(line.CommandName, "makeace")) {
    TransferTextureOptions(line);
  } else if (core::Contains(line.CommandName, "shape")) {
    if (line.DirOption.empty()) {
      terminal_.Write(line.CommandName + ": a folder is needed, as in " + line.CommandName +
                      "(-dir=c:\\models); the command is skipped\n");
      return true;
    }
    TransferShapeOptions(line);
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
  } else if (line.ArgumentText == "help" || line.ArgumentText == "/?") {
    Help();
  } else if (line.CommandName == "changelang") {
    ChangeLang(line);
  } else if (line.ArgumentText == "main") {
    main_.processes.RestartDetached();
    return false;
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
    convert::TexCabClick(main_);
    fields.TexWidth = GetOption("-width", options);
    fields.TexHeight = GetOption("-height", options);
  }
  line.DirOption = main_.files.FromUserPath(line.DirOption);
  if (!line.DirOption.empty() && line.DirOption.back() != '\\') line.DirOption += "\\";
}

void Console::TransferShapeOptions(ParsedLine& line) {
  core::Fields& fields = main_.fields;
  const std::string& options = line.OptionText;
  fields.ShCompress = core::Contains(options, "-b");
  fields.ShUnicode = true;
  std::string mip = GetOption("-mip", options);
  if (!mip.empty()) {
    fields.ShMipMap = true;
    fields.ShMipMapV = mip;
  }
  line.DirOption = main_.files.FromUserPath(line.DirOption);
  if (line.DirOption.back() == '\\') line.DirOption.pop_back();
  fields.ShapeDir = line.DirOption;
}

void Console::MakeAce(const ParsedLine& line) {
  for (const std::string& entry : line.FileList) {
    std::string source = line.DirOption.empty() ? main_.files.FromUserPath(entry) : entry;
    main_.fields.TexSource = line.DirOption + source;
    main_.fields.TexOutput = line.DirOption + AceNameFor(source);
    operations_.TexProcClick();
  }
}

void Console::MakeAceDir(const ParsedLine& line) {
  if (line.DirOption.empty() || !main_.files.FolderExists(line.DirOption)) return;
  MakeAceFrom(line.DirOption, "*.tga");
  MakeAceFrom(line.DirOption, "*.bmp");
}

void Console::MakeAceFrom(const std::string& folder, const std::string& pattern) {
  for (const platform::FindEntry& entry : main_.files.Find(folder + pattern, platform::kAnyAttributes)) {
    std::string path = folder + entry.name;
    terminal_.Write(path + "\n");
    main_.fields.TexSource = path;
    main_.fields.TexOutput = AceNameFor(path);
    operations_.TexProcClick();
  }
}

void Console::Shape(const ParsedLine& line) {
  for (const std::string& entry : line.FileList) {
    std::vector<std::string> tokens = core::SplitText(core::Trim(entry), ' ');
    if (tokens.empty()) {
      terminal_.Write("shape: an empty entry is skipped\n");
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
  const std::string folder = line.DirOption + "\\";
  std::vector<std::string> names;
  for (const platform::FindEntry& found : main_.files.Find(folder + "*.3ds", platform::kAnyAttributes)) {
    names.push_back(found.name);
  }
  for (const tools::ShapeGroup& group : tools::GroupByStem(names)) {
    terminal_.Write(group.names + "\n");
    main_.fields.ShInput = group.names;
    main_.fields.ShOutput = folder + group.stem + ".s";
    operations_.ShProcClick();
  }
}

void Console::BatchAdd(const ParsedLine& line) {
  const std::string& options = line.OptionText;
  BatchAddRequest request;
  request.route = GetOption("-route", options);
  request.folder = main_.files.FromUserPath(line.DirOption);
  request.class_name = GetOption("-class", options);
  request.sub = core::Contains(options, "-sub");
  request.over = core::Contains(options, "-over");
  request.texs = core::Contains(options, "-texs");
  // Without a folder the search would start at the drive's root, and with
  // -sub take in the whole drive.
  if (request.folder.empty() || request.route.empty()) {
    terminal_.Write("batchadd: a folder and a route are needed, as in "
                    "batchadd(-dir=c:\\content;-route=myroute); the command is skipped\n");
    return;
  }
  operations_.BatchAdd(request);
}

void Console::ChangeLang(const ParsedLine& line) {
  int number = 0;
  if (!core::ParseWholeNumber(core::Trim(line.OptionText), number)) {
    terminal_.Write("changelang: \"" + line.OptionText +
                    "\" is not a language number (0 Russian, 1 English)\n");
    return;
  }
  main_.language.SetTexts(number);
}

void Console::Help() { terminal_.Write(kHelp); }

}  // namespace console
