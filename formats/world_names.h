// The FileNames of a world file in whichever form it comes: text (Unicode
// or 8-bit, through the scan of formats/name_scan.h) or binary tokens
// (every FileName block, whatever block holds it, as the text scan finds
// them).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/name_scan.h"
#include "formats/simis.h"
#include "formats/tokens.h"
#include "platform/text.h"

namespace formats {

// A FileName found in a world file.
class PlacedFileName {
 public:
  std::string_view raw;  // as the text writes it between the parentheses, or a string's value
  size_t width;          // of its units: 1 (UTF-8) or 2 (UTF-16LE)
  bool written;          // raw as written (quotes, escapes), not the value itself

  // The keyword of the block the FileName block stands in (TrackObj for a
  // track piece, Static...), as UTF-8; empty at the top or for a token the
  // program does not know. Looked for only when asked.
  std::string Block() const {
    if (narrow_) return std::string(narrow_->Of(raw));
    if (wide_) return platform::Utf16LeToUtf8(wide_->Of(raw));
    return std::string(TokenName('w', parent_));
  }

  PlacedFileName(std::string_view raw, EnclosingBlocks<1>* narrow)
      : raw(raw), width(1), written(true), narrow_(narrow) {}
  PlacedFileName(std::string_view raw, EnclosingBlocks<2>* wide)
      : raw(raw), width(2), written(true), wide_(wide) {}
  PlacedFileName(std::string_view units, uint16_t parent)
      : raw(units), width(2), written(false), parent_(parent) {}

 private:
  EnclosingBlocks<1>* narrow_ = nullptr;
  EnclosingBlocks<2>* wide_ = nullptr;
  uint16_t parent_ = 0;
};

struct WorldScanEnd {
  Fault fault = Fault::kNone;  // the file could not be read, or not to its end
  bool closed = true;          // false: the text ends inside a block (cut short)
};

// The blocks that hold a world file's objects: each holds blocks of its own.
inline bool IsWorldContainer(uint16_t token) {
  return token == token::kWorldFile || token == token::kStatic || token == token::kTrackObj ||
         token == token::kForest;
}

// Walks every block of a token body depth first, in file order, calling
// visit(block, parent token, whether it holds nested blocks), which may
// stop the walk with a fault. The file's flags are those of its first
// block, which may follow a 32-bit count; a file without one is refused.
template <typename Visit>
Fault WalkTokenBlocks(std::string_view body, Visit visit) {
  if (body.empty()) return Fault::kNotTokens;
  auto flags_at = [body](size_t at) {
    return body.size() < at + 4 ? uint16_t{0}
                                : static_cast<uint16_t>(static_cast<unsigned char>(body[at + 2]) |
                                                        static_cast<unsigned char>(body[at + 3]) << 8);
  };
  // A count first only where the blocks fit after it and not without it;
  // else a fault in the first block is the file's.
  size_t top = 0;
  if (!TokenReader(body).BlockBegins(flags_at(0)) && body.size() > 4 &&
      TokenReader(body.substr(4)).BlockBegins(flags_at(4))) {
    top = 4;
  }
  const uint16_t flags = flags_at(top);
  struct Level {
    TokenReader reader;
    uint16_t token;
  };
  // A stack of its own: nesting as deep as a file makes it costs no
  // program stack.
  std::vector<Level> levels{{TokenReader(body.substr(top)), 0}};
  while (!levels.empty()) {
    TokenReader& reader = levels.back().reader;
    if (reader.AtEnd()) {
      levels.pop_back();
      continue;
    }
    TokenBlock block;
    if (!reader.Block(block)) return reader.fault();
    const uint16_t parent = levels.back().token;
    const size_t nested = NestedBlocksAt(block.content, flags);
    if (const Fault fault = visit(block, parent, nested != std::string_view::npos);
        fault != Fault::kNone) {
      return fault;
    }
    if (nested != std::string_view::npos)
      levels.push_back({TokenReader(block.content.substr(nested)), block.token});
  }
  return Fault::kNone;
}

// Calls found(const PlacedFileName&) with every FileName of the file.
template <typename Found>
WorldScanEnd ScanWorldFile(const SimisFile& file, Found found) {
  WorldScanEnd end;
  switch (file.form()) {
    case Form::kUnicodeText: {
      EnclosingBlocks<2> blocks(file.body());
      end.closed = ScanFileNames<2>(file.body(), [&](std::string_view raw) {
        found(PlacedFileName(raw, &blocks));
      });
      break;
    }
    case Form::kEightBitText: {
      const std::string text = file.Text();
      EnclosingBlocks<1> blocks(text);
      end.closed =
          ScanFileNames<1>(text, [&](std::string_view raw) { found(PlacedFileName(raw, &blocks)); });
      break;
    }
    case Form::kTokens:
      end.fault = WalkTokenBlocks(
          file.body(), [&](const TokenBlock& block, uint16_t parent, bool nested) {
            if (block.token == token::kFileName) {
              std::string_view units;
              TokenReader value(block.content);
              if (!value.String(units)) return value.fault();
              found(PlacedFileName(units, parent));
            } else if (IsWorldContainer(block.token) && !nested && !block.content.empty()) {
              return Fault::kNotTokens;
            }
            return Fault::kNone;
          });
      break;
    case Form::kPlain:
      // An empty file places nothing; anything else is no world file.
      if (!file.body().empty()) end.fault = Fault::kUnknownForm;
      break;
    case Form::kNoTypeLine:
      end.fault = Fault::kUnknownForm;
      break;
    case Form::kDamaged:
      end.fault = file.fault();
      break;
  }
  return end;
}

}  // namespace formats
