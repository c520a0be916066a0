// The texture names of many shapes, read ahead on the reading threads,
// which also find each shape's images block; a binary shape is turned into
// text by the editor tool on the thread that takes it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ops/read_ahead.h"
#include "ops/simis_reader.h"

namespace ops {

// What a reading thread makes of a shape.
struct ShapeImages : ReadAhead::Digest {
  SimisContent::Form form = SimisContent::kDamaged;
  std::vector<std::string> images;  // for text, the names its images block gives

  size_t Bytes() const override;
  // A binary shape's bytes go to the editor tool.
  bool NeedsBytes() const override { return form == SimisContent::kBinary; }
};

// The Digester of ShapeImages.
std::unique_ptr<ReadAhead::Digest> DigestShape(const std::string& bytes);

// Texture lists are small: the reading threads can run far ahead in a few
// megabytes.
inline constexpr ReadWindow kShapeWindow = {4096, size_t{4} << 20};

// Why a shape's texture names could not be had.
enum class ImagesUnread { kNone, kNotOpened, kTooLarge, kNotText, kNeedsTool, kBinaryUnread };

// The texture names of the next shape of `ahead`, which reads with
// DigestShape; `path` is that shape's. A binary shape is converted while
// the file system is held. None, with the reason in `why`, when they cannot
// be had (kNeedsTool: the editor tool is missing).
std::vector<std::string> TakeImages(ReadAhead& ahead, SimisReader& reader,
                                    const platform::FileSystem& files, const std::string& path,
                                    ImagesUnread& why);

}  // namespace ops
