// Stand-in for the SDK's ffeditc_unicode.exe:
//   ffeditc_unicode.exe <file> /c /o:<output>   compressed binary tokens
//   ffeditc_unicode.exe <file> /u /o:<output>   Unicode text
// The input may be Unicode text, 8-bit text (taken as UTF-8), binary
// tokens or either compressed ("SIMISA@F", the body's length as a
// little-endian uint32, "@@@@", then the body deflated). /c writes what the
// real tool writes for a shape: the type line and the blocks as tokens,
// compressed; /u the text, FF FE and UTF-16LE.
#include <stdexcept>
#include <string>

#include "formats/simis.h"
#include "platform/text.h"
#include "demo/binary_tokens.h"
#include "tests/standin/standin_tool.h"

namespace {

// The file's text as UTF-8, whatever form the file is in.
std::optional<std::string> TextOf(std::string_view file) {
  const formats::SimisFile simis(file);
  switch (simis.form()) {
    case formats::Form::kUnicodeText:
    case formats::Form::kEightBitText:
    case formats::Form::kPlain:
      return simis.Text();
    case formats::Form::kTokens:
      return standin::TokenText(file);
    case formats::Form::kNoTypeLine:
    case formats::Form::kDamaged:
      break;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  standin::Tool tool("ffeditc_unicode", argc, argv);
  const std::vector<std::string>& args = tool.args();
  std::string mode = args.size() == 3 ? platform::LowerCase(args[1]) : "";
  if ((mode != "/c" && mode != "/u") || args[2].size() <= 3 ||
      platform::LowerCase(args[2].substr(0, 3)) != "/o:")
    return tool.Fail(2, "usage: ffeditc_unicode <file> /c|/u /o:<output>");
  if (!tool.ready()) return tool.Fail(1, "the working folder lies on no drive");
  std::string output = args[2].substr(3);

  std::optional<std::string> file = tool.files().ReadFile(args[0]);
  if (!file) return tool.Fail(1, "cannot read " + args[0]);
  std::optional<std::string> text = TextOf(*file);
  if (!text) return tool.Fail(1, args[0] + " is damaged");

  std::string result;
  if (mode == "/c") {
    try {
      result = standin::CompressedTokenFile(*text);
    } catch (const std::runtime_error& error) {
      return tool.Fail(1, args[0] + ": " + error.what());
    }
  } else {
    result = "\xFF\xFE" + platform::Utf8ToUtf16Le(*text);
  }
  if (!tool.files().ReplaceFile(output, result)) return tool.Fail(1, "cannot write " + output);
  return 0;
}
