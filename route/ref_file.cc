#include "route/ref_file.h"

#include "route/blocks.h"
#include "route/text_file.h"

namespace route {

std::vector<Shape> ParseRef(std::string_view text) {
  size_t line_end = text.find('\n');
  if (line_end != std::string_view::npos) text.remove_prefix(line_end + 1);
  std::vector<Shape> entries;
  BlockReader reader(text);
  Block block;
  while (reader.Next(block)) {
    if (!block.opened) continue;
    Shape& entry = entries.emplace_back();
    entry.BlockType = std::string(block.name);
    ParseBlocks(block.value, entry, true);
  }
  return entries;
}

std::string RefText(const std::vector<Shape>& entries) {
  // Sized first: a large route is written in one allocation.
  size_t size = kSimisHeader.size() + 4;
  for (const Shape& entry : entries) {
    size += entry.BlockType.size() + 8;
    for (const Props& prop : entry.PropList) size += prop.PropName.size() + prop.PropValue.size() + 12;
  }
  std::string text;
  text.reserve(size);
  text.append(kSimisHeader).append("\r\n\r\n");
  for (const Shape& entry : entries) entry.AppendRefText(text);
  return text;
}

std::string SdText(std::string_view shape_name, const Shape& sd_props) {
  std::string text(kSimisHeader);
  text += "\r\nShape( ";
  text += shape_name;
  for (const Props& prop : sd_props.PropList) {
    text += "\r\n\t" + prop.PropName + " ( " + prop.PropValue + " ) ";
  }
  text += "\r\n)\r\n";
  return text;
}

}  // namespace route
