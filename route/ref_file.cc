#include "route/ref_file.h"

#include <algorithm>

#include "route/blocks.h"
#include "route/text_file.h"

namespace route {

ParsedRef ParseRef(std::string_view text) {
  ParsedRef ref;
  if (!text.starts_with(kSimisOpening)) {
    // Only an empty file, or blank lines, hold nothing that writing could
    // lose; NULs or other control characters are no route file.
    if (text.find_first_not_of(" \t\r\n") != std::string_view::npos) {
      ref.fault = RefFault::kNoHeader;
    }
    return ref;
  }
  text.remove_prefix(std::min(text.find_first_of("\r\n"), text.size()));
  BlockReader reader(text);
  Block block;
  while (reader.Next(block)) {
    if (!block.opened) continue;
    if (!block.closed) {
      ref.entries.clear();
      ref.fault = RefFault::kUnclosedBlock;
      return ref;
    }
    Shape& entry = ref.entries.emplace_back();
    entry.BlockType = std::string(block.name);
    ParseBlocks(block.value, entry, true);
  }
  return ref;
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
