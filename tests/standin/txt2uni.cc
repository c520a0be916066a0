// Stand-in for the SDK's txt2uni.exe:
//   txt2uni.exe <shape file>
// rewrites the file in place as Unicode text (FF FE and UTF-16LE). The
// 8-bit text it reads is taken as UTF-8.
#include <string>

#include "platform/text.h"
#include "tests/standin/standin_tool.h"

int main(int argc, char** argv) {
  standin::Tool tool("txt2uni", argc, argv);
  const std::vector<std::string>& args = tool.args();
  if (args.size() != 1) return tool.Fail(2, "usage: txt2uni <file>");
  if (!tool.ready()) return tool.Fail(1, "the working folder lies on no drive");

  std::optional<std::string> text = tool.files().ReadFile(args[0]);
  if (!text) return tool.Fail(1, "cannot read " + args[0]);
  if (text->starts_with("\xFF\xFE")) return 0;
  if (!tool.files().ReplaceFile(args[0], "\xFF\xFE" + platform::Utf8ToUtf16Le(*text)))
    return tool.Fail(1, "cannot write " + args[0]);
  return 0;
}
