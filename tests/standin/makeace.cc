// Stand-in for the SDK's makeace.exe:
//   makeace.exe <source> "<output>" [-trans] [-bmp -width:(W) -height:(H)] [-zlib] [-dxt]
// run in the source's folder. The "texture" it writes is the SIMIS signature,
// a line naming the options, then the source bytes.
#include <string>
#include <string_view>

#include "tests/standin/standin_tool.h"

namespace {

bool IsSizeOption(const std::string& arg, std::string_view name) {
  return arg.size() >= name.size() + 1 && arg.compare(0, name.size(), name) == 0 &&
         arg.back() == ')';
}

}  // namespace

int main(int argc, char** argv) {
  standin::Tool tool("makeace", argc, argv);
  const std::vector<std::string>& args = tool.args();
  if (args.size() < 2) return tool.Fail(2, "usage: makeace <source> <output> [options]");

  // The options come in this order, each at most once.
  size_t next = 2;
  auto take = [&](std::string_view option) {
    if (next < args.size() && args[next] == option) {
      ++next;
      return true;
    }
    return false;
  };
  take("-trans");
  if (take("-bmp")) {
    if (next + 1 >= args.size() || !IsSizeOption(args[next], "-width:(") ||
        !IsSizeOption(args[next + 1], "-height:("))
      return tool.Fail(2, "-bmp needs -width:(W) -height:(H)");
    next += 2;
  }
  take("-zlib");
  take("-dxt");
  if (next < args.size()) return tool.Fail(2, "unknown option " + args[next]);

  if (!tool.ready()) return tool.Fail(1, "the working folder lies on no drive");
  std::optional<std::string> source = tool.files().ReadFile(args[0]);
  if (!source) return tool.Fail(1, "cannot read " + args[0]);

  std::string texture = "SIMISA@@@@@@@@@@options";
  for (size_t i = 2; i < args.size(); ++i) texture += ' ' + args[i];
  texture += "\r\n" + *source;
  if (!tool.files().ReplaceFile(args[1], texture))
    return tool.Fail(1, "cannot write " + args[1]);
  return 0;
}
