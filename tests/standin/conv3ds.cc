// Stand-in for the SDK's conv3ds.exe:
//   conv3ds.exe "<output .s>" <a.3ds> [<b.3ds> ...]
// run in the models' folder. It writes 8-bit shape text listing one image
// and one texture per texture map named in the models, in the layout the
// converter leaves and the shape editing relies on.
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/text.h"
#include "tests/standin/standin_tool.h"
#include "demo/three_ds.h"
#include "tests/support/msts_text.h"

namespace {

std::string ImageName(const std::string& map_name) {
  size_t slash = map_name.find_last_of("\\/");
  size_t dot = map_name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return map_name + ".ace";
  return map_name.substr(0, dot) + ".ace";
}

std::string ShapeText(const std::vector<std::string>& images) {
  const std::string count = std::to_string(images.size());
  std::string text =
      "SIMISA@@@@@@@@@@JINX0s1t______\n\nshape (\n"
      "\tshape_header ( 00000000 00000000 )\n"
      "\tshader_names ( 1\n\t\tnamed_shader ( TexDiff )\n\t)\n"
      "\timages ( " + count + "\n";
  for (const std::string& image : images) text += "\t\timage ( " + image + " )\n";
  text += "\t)\n\ttextures ( " + count + "\n";
  for (size_t i = 0; i < images.size(); ++i)
    text += "\t\ttexture ( " + std::to_string(i) + " 0 0 ff000000 )\n";
  return test_support::Crlf(text + "\t)\n\tlod_controls ( 0 )\n)\n");
}

}  // namespace

int main(int argc, char** argv) {
  standin::Tool tool("conv3ds", argc, argv);
  const std::vector<std::string>& args = tool.args();
  if (args.size() < 2) return tool.Fail(2, "usage: conv3ds <output.s> <model.3ds>...");
  if (!tool.ready()) return tool.Fail(1, "the working folder lies on no drive");

  std::vector<std::string> images;
  std::unordered_set<std::string> seen;
  for (size_t i = 1; i < args.size(); ++i) {
    std::optional<std::string> model = tool.files().ReadFile(args[i]);
    if (!model) return tool.Fail(1, "cannot read " + args[i]);
    std::optional<std::vector<std::string>> maps = standin::ReadTextureNames(*model);
    if (!maps) return tool.Fail(1, args[i] + " is not a 3DS file");
    for (const std::string& map : *maps) {
      if (seen.insert(platform::FoldCase(map)).second) images.push_back(ImageName(map));
    }
  }
  if (!tool.files().ReplaceFile(args[0], ShapeText(images)))
    return tool.Fail(1, "cannot write " + args[0]);
  return 0;
}
