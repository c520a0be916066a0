// Reading MSTS data files as text in every form they are stored in:
// Unicode text (with or without its FF FE mark), 8-bit text, compressed
// ("SIMISA@F", a length, "@@@@", a zlib stream) and binary tokens, which
// only the editor tool ffeditc_unicode can turn into text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/conv_main.h"
#include "route/route.h"

namespace ops {

// What a file holds as far as it can be read without a tool.
struct SimisContent {
  enum Form { kText, kBinary, kDamaged };
  Form form = kDamaged;
  std::string text;  // UTF-8, for kText
};
// kDamaged: not an MSTS file, or a compressed stream that does not inflate
// (formats::SimisFile tells the forms apart).
SimisContent DecodeSimis(std::string_view bytes);

// The MSTS root of a route folder (root\ROUTES\name\).
std::string MstsRootOf(const std::string& route_folder);

// Reads a route's files; binary ones through a work copy that the editor
// tool in the MSTS root's UTILS\FFEDIT\ converts to Unicode text. The copy
// gets a name of its own there and is always removed; a file of the
// user's in that folder is never touched.
class SimisReader : public route::TextReader {
 public:
  SimisReader(core::ConvMain& main, const route::Route& route);

  std::optional<std::string> ReadText(const std::string& path) override;
  // The same for the bytes already read from the path.
  std::optional<std::string> TextOf(const std::string& path, std::string_view bytes);
  // The editor tool's path.
  std::string ToolPath() const;

 private:
  std::optional<std::string> Convert(const std::string& path);

  core::ConvMain& main_;
  std::string tool_folder_;
};

}  // namespace ops
