// The texture names of many shapes, read ahead on the reading threads,
// which also find each shape's images block in whatever form it is stored;
// a shape the readers cannot read goes to the editor tool on the thread
// that takes it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "formats/shape_images.h"
#include "ops/read_ahead.h"
#include "ops/simis_reader.h"

namespace ops {

// What a reading thread makes of a shape.
struct ShapeImages : ReadAhead::Digest {
  formats::ShapeImages images;

  size_t Bytes() const override;
  // The bytes of a shape the readers cannot read go to the editor tool.
  bool NeedsBytes() const override { return images.fault != formats::Fault::kNone; }
};

// The Digester of ShapeImages.
std::unique_ptr<ReadAhead::Digest> DigestShape(const std::string& bytes);

// Texture lists are small: the reading threads can run far ahead in a few
// megabytes.
inline constexpr ReadWindow kShapeWindow = {4096, size_t{4} << 20};

// Why a shape's texture names could not be had.
enum class ImagesUnread { kNone, kNotOpened, kTooLarge, kNotRead };

// The texture names of the next shape of `ahead`, which reads with
// DigestShape; `path` is that shape's. A shape the readers cannot read is
// given to the editor tool while the file system is held. None when they
// cannot be had: the reason in `why`, and for kNotRead in `reason` too.
std::vector<std::string> TakeImages(ReadAhead& ahead, SimisReader& reader, const std::string& path,
                                    ImagesUnread& why, std::string& reason);

}  // namespace ops
