#include "convert/shape_text.h"

#include <algorithm>

#include "core/error.h"
#include "core/strings.h"
#include "platform/text.h"

namespace convert {
namespace {

// Where the old name starts and how long it is, in an image entry.
struct NameSpan {
  size_t start = 0;
  size_t length = 0;
};

std::optional<NameSpan> ImageNameSpan(const std::string& line) {
  size_t open = line.find('(');
  size_t close = line.find(')');
  if (open == std::string::npos || close == std::string::npos || close < open + 2) {
    return std::nullopt;
  }
  // The character just before ")" is the blank of "( name )", never the name's.
  return NameSpan{open + 1, close - 1 - (open + 1)};
}

std::string WithoutExtension(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

void AddCandidates(core::ConvMain& main, const std::string& folder,
                   std::vector<std::string>& candidates) {
  for (const platform::FindEntry& entry :
       main.files.Find(folder + "\\*.ace", platform::kAnyAttributes)) {
    candidates.push_back(WithoutExtension(entry.name));
  }
}

// The texture names the replacement dialog offers: the output folder's,
// then the source folder's when that is another folder.
std::vector<std::string> Candidates(core::ConvMain& main, const std::string& output_folder) {
  std::vector<std::string> candidates;
  AddCandidates(main, output_folder, candidates);
  if (main.fields.ShapeDir != output_folder) AddCandidates(main, main.fields.ShapeDir, candidates);
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const std::string& a, const std::string& b) {
                     return platform::LessIgnoreCase(a, b);
                   });
  return candidates;
}

void CheckImage(core::ConvMain& main, const core::TextureChoice& dialog, std::string& line) {
  std::optional<std::string> name = ImageName(line);
  if (!name) return;
  if (main.files.FileExists(main.fields.ShapeDir + "\\" + *name)) return;
  if (!main.ui.Ask(*name + main.language[core::Msg::TextureNotFound])) return;
  core::TextureChoice choice = dialog;
  choice.caption = main.language[core::Msg::CapTextureReplace] + *name;
  size_t dot = name->rfind('.');
  choice.text = dot == std::string::npos ? "" : name->substr(0, dot);
  std::optional<std::string> chosen = main.ui.ChooseTexture(choice);
  if (chosen) ReplaceImageName(line, *chosen);
}

}  // namespace

bool IsMipMapBias(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  size_t digits = 0;
  bool point = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits > 0;
}

bool SetMipMapBias(std::string& line, const std::string& value) {
  size_t open = line.find('(');
  if (open == std::string::npos) return false;
  // The third value starts after the third blank that follows "(".
  size_t at = open + 1;
  int blanks = 0;
  while (blanks < 3 && at + 1 < line.size()) {
    if (line[at] == ' ') ++blanks;
    ++at;
  }
  if (blanks < 3) return false;
  size_t end = line.find(' ', at);
  if (end == std::string::npos) end = line.size();
  line.replace(at, end - at, value);
  return true;
}

std::optional<std::string> ImageName(const std::string& line) {
  std::optional<NameSpan> span = ImageNameSpan(line);
  if (!span) return std::nullopt;
  return core::Trim(std::string_view(line).substr(span->start, span->length));
}

void ReplaceImageName(std::string& line, const std::string& name) {
  std::optional<NameSpan> span = ImageNameSpan(line);
  if (!span) return;
  line.replace(span->start, span->length, " " + name + ".ace");
}

void ShPostProcess(core::ConvMain& main) {
  const core::Fields& fields = main.fields;
  size_t slash = fields.ShOutput.rfind('\\');
  const std::string output_folder =
      slash == std::string::npos ? "" : fields.ShOutput.substr(0, slash);

  core::TextureChoice dialog;
  dialog.group_caption = main.language[core::Msg::CapTextures];
  dialog.label = main.language[core::Msg::CapChangeOn];
  if (fields.ShCheckTex) dialog.candidates = Candidates(main, output_folder);

  std::optional<std::string> text = main.files.ReadFile(fields.ShOutput);
  if (!text) throw core::Error("Cannot open file " + fields.ShOutput);
  std::vector<std::string> lines = core::SplitLines(*text);
  text.reset();

  for (std::string& line : lines) {
    if (fields.ShMipMap && core::Contains(line, "\ttexture ")) {
      SetMipMapBias(line, fields.ShMipMapV);
    }
    if (fields.ShCheckTex && core::Contains(line, "\timage ")) CheckImage(main, dialog, line);
  }

  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  if (!main.files.ReplaceFile(fields.ShOutput, out)) {
    throw core::Error("Cannot create file " + fields.ShOutput);
  }
}

}  // namespace convert
