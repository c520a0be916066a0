// The binary token form of MSTS files: the blocks of the text form, each
// as a 16-bit token number (which a table names: the type line's sixth
// letter says which), 16-bit flags, a 32-bit count of the bytes that follow
// in the block (the label byte, the label and the content), a one-byte
// label length and that many UTF-16 units of label, then the content:
// values first, then nested blocks. A string is a 16-bit count of UTF-16
// units and the units; whole numbers, flags and floats take 32 bits. All
// numbers are little-endian. Nothing here reads past the end of what it is
// given or allocates by a count a file states.
#pragma once

#include <cstdint>
#include <string_view>

#include "formats/simis.h"

namespace formats {

// The numbers of the tokens the program looks for. Shapes (table 's') use
// the core table, world files (table 'w') a table of their own.
namespace token {
inline constexpr uint16_t kComment = 1;
inline constexpr uint16_t kImage = 13;
inline constexpr uint16_t kImages = 14;
inline constexpr uint16_t kShape = 71;

inline constexpr uint16_t kStatic = 3;
inline constexpr uint16_t kTrackObj = 5;
inline constexpr uint16_t kForest = 8;
inline constexpr uint16_t kWorldFile = 75;  // Tr_Worldfile
inline constexpr uint16_t kFileName = 95;
inline constexpr uint16_t kUiD = 108;
}  // namespace token

// The keyword the text form writes for a token of a table; empty for one
// the program does not know.
std::string_view TokenName(char table, uint16_t token);

struct TokenBlock {
  uint16_t token = 0;
  uint16_t flags = 0;
  std::string_view label;    // UTF-16LE units
  std::string_view content;  // its values, then its blocks
};

// Reads blocks and values from a piece of a file, in order.
class TokenReader {
 public:
  explicit TokenReader(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ == bytes_.size(); }
  // False, with the fault, when a block, a string or a number would run
  // past the end.
  bool Block(TokenBlock& block);
  bool String(std::string_view& units);  // UTF-16LE
  bool Number(uint32_t& value);
  // Whether what follows begins like a block of these flags whose count
  // and label fit in what is left.
  bool BlockBegins(uint16_t flags) const;
  Fault fault() const { return fault_; }

 private:
  bool Fail(Fault fault) {
    fault_ = fault;
    return false;
  }

  std::string_view bytes_;
  size_t pos_ = 0;
  Fault fault_ = Fault::kNone;
};

// Where the nested blocks of a block's content begin: at once, after a
// 32-bit count (as in "images ( 2 image ( ... ) ... )"), or nowhere (npos)
// when the content holds values alone. In a file whose blocks carry flags
// (a world file's 4), what begins with those flags is a block, and one
// whose count does not fit is damage; where the flags are 0, as values
// may begin too, only a block that fits is taken for one.
size_t NestedBlocksAt(std::string_view content, uint16_t flags);

}  // namespace formats
