#include "route/blocks.h"

#include "core/strings.h"
#include "formats/text.h"

namespace route {

void ParseBlocks(std::string_view text, Shape& target) {
  formats::text::BlockReader reader(text);
  formats::text::Block block;
  while (reader.Next(block)) target.AddProp(std::string(block.name), std::string(block.value));
}

std::vector<std::string> SplitList(std::string_view text, char separator) {
  return core::SplitText(text, separator);
}

std::string FileNameOf(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace route
