#include "demo/binary_tokens.h"

#include <charconv>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "formats/simis.h"
#include "formats/text.h"
#include "formats/tokens.h"
#include "demo/little_endian.h"
#include "platform/text.h"
#include "tests/support/msts_text.h"

namespace standin {
namespace {

namespace text = formats::text;
namespace token = formats::token;

// A keyword's values, letter by letter: s a string, u a whole number, f a
// float, x eight hex digits, c a count; B its nested blocks; * the letter
// after it for every value that is left.
struct Keyword {
  char table;
  std::string_view name;
  uint16_t number;
  std::string_view layout;
};

constexpr Keyword kKeywords[] = {
    {'s', "shape", token::kShape, "B"},
    {'s', "comment", token::kComment, "*s"},
    {'s', "image", token::kImage, "s"},
    {'s', "images", token::kImages, "cB"},
    {'s', "shape_header", 1001, "xx"},
    {'s', "volumes", 1002, "cB"},
    {'s', "vol_sphere", 1003, "Bf"},
    {'s', "vector", 1004, "fff"},
    {'s', "shader_names", 1005, "cB"},
    {'s', "named_shader", 1006, "s"},
    {'s', "textures", 1007, "cB"},
    {'s', "texture", 1008, "uufx"},
    {'s', "lod_controls", 1009, "cB"},
    {'w', "Tr_Worldfile", token::kWorldFile, "B"},
    {'w', "Static", token::kStatic, "B"},
    {'w', "TrackObj", token::kTrackObj, "B"},
    {'w', "Forest", token::kForest, "B"},
    {'w', "FileName", token::kFileName, "s"},
    {'w', "UiD", token::kUiD, "u"},
    {'w', "StaticFlags", 1001, "x"},
    {'w', "Position", 1002, "*f"},
    {'w', "QDirection", 1003, "*f"},
    {'w', "VDbId", 1004, "u"},
    {'w', "SectionIdx", 1005, "u"},
    {'w', "TreeTexture", 1006, "s"},
    {'w', "LevelCr", 1007, "B"},
    {'w', "Pickup", 1008, "B"},
    {'w', "Transfer", 1009, "B"},
    {'w', "Hazard", 1010, "B"},
    {'w', "comment", 1011, "*s"},
    {'c', "CarSpawnerItem", 1001, "su"},
    {'p', "Speedpost_Set", 1001, "B"},
    {'p', "Name", 1002, "s"},
    {'p', "Speed_Sign_Shape", 1003, "s*u"},
    {'p', "Speed_Warning_Sign_Shape", 1004, "s*u"},
    {'p', "Speed_Resume_Sign_Shape", 1005, "s*u"},
    {'p', "Restricted_Shape", 1006, "s*u"},
    {'p', "Milepost_Shape", 1007, "s*u"},
};

// What the top of a file holds: carspawn.dat counts its items first.
std::string_view TopLayout(char table) { return table == 'c' ? "cB" : "B"; }
// World files flag their blocks with 4, other files with 0.
uint16_t FlagsOf(char table) { return table == 'w' ? 4 : 0; }

const Keyword* Find(char table, std::string_view name) {
  for (const Keyword& keyword : kKeywords) {
    if (keyword.table == table && text::KeywordIs(keyword.name, name)) return &keyword;
  }
  return nullptr;
}

const Keyword* Find(char table, uint16_t number) {
  for (const Keyword& keyword : kKeywords) {
    if (keyword.table == table && keyword.number == number) return &keyword;
  }
  return nullptr;
}

// The value letters of a layout, one per value, the blocks left out.
class Letters {
 public:
  explicit Letters(std::string_view layout) : layout_(layout) {}
  // The next value's letter; 0 when the layout has no more.
  char Next() {
    while (at_ < layout_.size() && layout_[at_] == 'B') ++at_;
    if (at_ == layout_.size()) return 0;
    if (layout_[at_] == '*') return layout_[at_ + 1];
    return layout_[at_++];
  }

 private:
  std::string_view layout_;
  size_t at_ = 0;
};

void PutValue(std::string& out, char letter, const std::string& value) {
  auto number = [&value](int base) {
    uint64_t parsed = 0;
    const std::string_view digits = value.starts_with('-') ? std::string_view(value).substr(1) : value;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed, base);
    if (error != std::errc() || end != digits.data() + digits.size() || parsed > UINT32_MAX)
      throw std::runtime_error("not a number: " + value);
    return static_cast<uint32_t>(value.starts_with('-') ? 0u - parsed : parsed);
  };
  switch (letter) {
    case 's': {
      const std::string units = platform::Utf8ToUtf16Le(value);
      PutLe(out, static_cast<uint32_t>(units.size() / 2), 2);
      out += units;
      return;
    }
    case 'u':
    case 'c':
      return PutLe(out, number(10), 4);
    case 'x':
      return PutLe(out, number(16), 4);
    case 'f': {
      float parsed = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
      if (error != std::errc() || end != value.data() + value.size())
        throw std::runtime_error("not a float: " + value);
      uint32_t bits;
      std::memcpy(&bits, &parsed, 4);
      return PutLe(out, bits, 4);
    }
    default:
      throw std::runtime_error("no value expected: " + value);
  }
}

// The values written in a piece of text: words and quoted strings.
std::vector<std::string> ValuesIn(std::string_view written) {
  std::vector<std::string> values;
  size_t i = 0;
  while (true) {
    while (i < written.size() && text::IsBlank(static_cast<unsigned char>(written[i]))) ++i;
    if (i == written.size()) return values;
    size_t end = i;
    if (written[i] == '"') {
      end = text::RunAt(written, i).end;
    } else {
      while (end < written.size() && text::InWord(static_cast<unsigned char>(written[end]))) ++end;
    }
    values.push_back(text::ValueOf(written.substr(i, end - i)));
    i = end;
  }
}

// The content of a block (or of the file's top): its values and blocks in
// the order the text writes them.
std::string Content(char table, std::string_view layout, std::string_view written) {
  std::string out;
  Letters letters(layout);
  auto put_values = [&](std::string_view piece) {
    for (const std::string& value : ValuesIn(piece)) PutValue(out, letters.Next(), value);
  };
  text::BlockReader reader(written);
  text::Block block;
  while (reader.Next(block)) {
    if (!block.opened) {
      put_values(block.value);
      continue;
    }
    const std::string_view name = text::KeywordOf(block.name);
    put_values(block.name.substr(0, block.name.size() - name.size()));
    const Keyword* keyword = Find(table, name);
    if (!keyword) throw std::runtime_error("no token for " + std::string(name));
    const std::string inner = Content(table, keyword->layout, block.value);
    PutLe(out, keyword->number, 2);
    PutLe(out, FlagsOf(table), 2);
    PutLe(out, static_cast<uint32_t>(1 + inner.size()), 4);
    out += '\0';  // no label
    out += inner;
  }
  return out;
}

// The type line and blocks of a text.
std::string TypeLineAndBlocks(std::string_view text) {
  const size_t line_end = std::min(text.find_first_of("\r\n"), text.size());
  const std::string_view header = text.substr(0, line_end);
  if (!header.starts_with("SIMISA@@@@@@@@@@JINX0") || header.size() < 30)
    throw std::runtime_error("no SIMIS header");
  std::string type(header.substr(16, 14));
  type[7] = 'b';
  return type + "\r\n" + Content(type[5], TopLayout(type[5]), text.substr(line_end));
}

class Decoder {
 public:
  Decoder(char table) : table_(table), flags_(FlagsOf(table)) {}

  bool Content(std::string_view layout, std::string_view content, int depth, std::string& out) {
    formats::TokenReader reader(content);
    bool had_blocks = false;
    for (size_t at = 0; at < layout.size(); ++at) {
      const char letter = layout[at];
      if (letter == 'B') {
        while (reader.BlockBegins(flags_)) {
          formats::TokenBlock block;
          if (!reader.Block(block) || !Block(block, depth, out)) return false;
          had_blocks = true;
        }
      } else if (letter == '*') {
        while (!reader.AtEnd() && !reader.BlockBegins(flags_)) {
          if (!Value(reader, layout[at + 1], out)) return false;
        }
        ++at;
      } else if (!Value(reader, letter, out)) {
        return false;
      }
    }
    if (had_blocks) out += "\r\n" + std::string(depth > 0 ? depth - 1 : 0, '\t');
    return reader.AtEnd();
  }

 private:
  bool Block(const formats::TokenBlock& block, int depth, std::string& out) {
    const Keyword* keyword = Find(table_, block.token);
    if (!keyword) return false;
    out += "\r\n" + std::string(depth, '\t') + std::string(keyword->name) + " (";
    if (!Content(keyword->layout, block.content, depth + 1, out)) return false;
    out += " )";
    return true;
  }

  static bool Value(formats::TokenReader& reader, char letter, std::string& out) {
    if (letter == 's') {
      std::string_view units;
      if (!reader.String(units)) return false;
      const std::string value = platform::Utf16LeToUtf8(units);
      const bool bare = !value.empty() && value.find_first_of(" \t\r\n()\"\\") == std::string::npos;
      out += " ";
      if (bare) {
        out += value;
      } else {
        out += '"';
        for (char c : value) out += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
        out += '"';
      }
      return true;
    }
    uint32_t value = 0;
    if (!reader.Number(value)) return false;
    char digits[32];
    char* end = digits;
    if (letter == 'x') {
      std::snprintf(digits, sizeof digits, "%08x", value);
      end = digits + 8;
    } else if (letter == 'f') {
      float real;
      std::memcpy(&real, &value, 4);
      end = std::to_chars(digits, digits + sizeof digits, real).ptr;
    } else {
      end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    }
    out += " " + std::string(digits, end);
    return true;
  }

  char table_;
  uint16_t flags_;
};

}  // namespace

std::string TokenFile(std::string_view text) {
  return "SIMISA@@@@@@@@@@" + TypeLineAndBlocks(text);
}

std::string CompressedTokenFile(std::string_view text) {
  return test_support::Compressed(TypeLineAndBlocks(text));
}

std::optional<std::string> TokenText(std::string_view file) {
  const formats::SimisFile simis(file);
  if (simis.form() != formats::Form::kTokens) return std::nullopt;
  std::string type(simis.type());
  type[7] = 't';
  std::string out = "SIMISA@@@@@@@@@@" + type + "\r\n";
  Decoder decoder(simis.table());
  std::string blocks;
  if (!decoder.Content(TopLayout(simis.table()), simis.body(), 0, blocks)) return std::nullopt;
  return out + blocks;
}

}  // namespace standin
