#include "formats/tokens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/shape_images.h"
#include "formats/world_names.h"
#include "platform/text.h"
#include "demo/binary_tokens.h"

namespace formats {
namespace {

using Names = std::vector<std::string>;

const std::string kShape =
    "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n\tshape_header ( 00000000 00000000 )\r\n"
    "\tcomment ( \"images ( 1 image ( no.ace ) )\" )\r\n"
    "\timages ( 3\r\n\t\timage ( brick.ace )\r\n\t\timage ( \"old roof.ace\" )\r\n"
    "\t\timage ( brick.ace )\r\n\t)\r\n\ttextures ( 1\r\n\t\ttexture ( 0 0 -3 ff000000 )\r\n\t)\r\n)\r\n";

const std::string kWorld =
    "SIMISA@@@@@@@@@@JINX0w0t______\r\n\r\nTr_Worldfile (\r\n"
    "\tStatic (\r\n\t\tUiD ( 12 )\r\n\t\tFileName ( Barn_Red.s )\r\n"
    "\t\tPosition ( -512.4 101.2 233.9 )\r\n\t)\r\n"
    "\tTrackObj (\r\n\t\tUiD ( 13 )\r\n\t\tSectionIdx ( 36 )\r\n\t\tFileName ( A1t10mStrt.s )\r\n\t)\r\n"
    "\tPickup (\r\n\t\tFileName ( \"Water Tower.s\" )\r\n\t)\r\n)\r\n";

Names WorldNames(const SimisFile& file, WorldScanEnd& end) {
  Names names;
  end = ScanWorldFile(file, [&](const PlacedFileName& name) {
    const std::string raw =
        name.width == 2 ? platform::Utf16LeToUtf8(name.raw) : std::string(name.raw);
    names.push_back(name.written ? text::NameOf(raw) : std::string(text::TrimView(raw)));
  });
  return names;
}

// The header of every block of a token body, for the counts to be damaged.
std::vector<size_t> BlockHeaders(std::string_view body, uint16_t flags) {
  std::vector<size_t> headers;
  std::vector<std::pair<size_t, std::string_view>> pending = {{0, body}};
  while (!pending.empty()) {
    auto [offset, piece] = pending.back();
    pending.pop_back();
    TokenReader reader(piece);
    size_t at = 0;
    TokenBlock block;
    while (!reader.AtEnd() && reader.Block(block)) {
      headers.push_back(offset + at);
      const size_t content = static_cast<size_t>(block.content.data() - piece.data());
      const size_t nested = NestedBlocksAt(block.content, flags);
      if (nested != std::string_view::npos)
        pending.push_back({offset + content + nested, block.content.substr(nested)});
      at = content + block.content.size();
    }
  }
  return headers;
}

// A damaged file is refused, or read to what its undamaged self gives;
// never read past its end (the sanitizers watch) or allocated by a count
// it states.
TEST(TokensTest, DamagedTokensAreRefusedNeverReadPastTheirEnd) {
  struct Sample {
    std::string file;
    uint16_t flags;
    Names names;
  };
  const std::string shape = standin::TokenFile(kShape), world = standin::TokenFile(kWorld);
  const Sample samples[] = {
      {shape, 0, {"brick.ace", "old roof.ace", "brick.ace"}},
      {world, 4, {"Barn_Red.s", "A1t10mStrt.s", "Water Tower.s"}},
  };
  auto read = [](const std::string& bytes, Fault& fault) {
    const SimisFile file(bytes);
    if (file.table() == 's') {
      ShapeImages images = ImageNames(file);
      fault = images.fault;
      return images.names;
    }
    WorldScanEnd end;
    Names names = WorldNames(file, end);
    fault = end.fault;
    return names;
  };
  for (const Sample& sample : samples) {
    constexpr size_t kBody = 32;  // the signature and the type line
    // Whole, it gives the names the text gives: duplicates and order kept.
    Fault whole = Fault::kNone;
    EXPECT_EQ(read(sample.file, whole), sample.names);
    EXPECT_EQ(whole, Fault::kNone);
    // Cut anywhere in its blocks.
    for (size_t size = kBody; size < sample.file.size(); ++size) {
      Fault fault = Fault::kNone;
      const Names names = read(sample.file.substr(0, size), fault);
      EXPECT_TRUE(fault != Fault::kNone || names == sample.names) << "cut at " << size;
    }
    // Each block's count one more, one less, zero and beyond any file (the
    // outermost block so refused every time), and its label past its end.
    const std::vector<size_t> headers =
        BlockHeaders(std::string_view(sample.file).substr(kBody), sample.flags);
    for (const size_t header : headers) {
      for (const int64_t change : {int64_t{1}, int64_t{-1}, int64_t{-100000}, int64_t{1} << 31}) {
        std::string damaged = sample.file;
        const size_t at = kBody + header + 4;
        uint32_t count = 0;
        for (int i = 3; i >= 0; --i) count = count << 8 | static_cast<unsigned char>(damaged[at + i]);
        const uint32_t changed = change == -100000 ? 0 : static_cast<uint32_t>(count + change);
        for (int i = 0; i < 4; ++i) damaged[at + i] = static_cast<char>(changed >> (8 * i));
        Fault fault = Fault::kNone;
        const Names names = read(damaged, fault);
        EXPECT_TRUE(fault != Fault::kNone || names == sample.names)
            << "count at " << header << " changed by " << change;
        if (header == 0) {
          EXPECT_NE(fault, Fault::kNone) << "outermost count changed by " << change;
        }
      }
      // A label longer than its block: refused as such, or, where a
      // block's values may look like a block, read as values.
      std::string long_label = sample.file;
      long_label[kBody + header + 8] = '\xFF';
      Fault fault = Fault::kNone;
      const Names names = read(long_label, fault);
      EXPECT_TRUE(fault == Fault::kLabelCut || (fault == Fault::kNone && names == sample.names))
          << "label at " << header;
    }
  }
}

}  // namespace
}  // namespace formats
