#include "convert/output_watch.h"

namespace convert {

OutputWatch::OutputWatch(const platform::FileSystem& files, std::string path)
    : files_(files), path_(std::move(path)), before_(files_.Stamp(path_)) {}

bool OutputWatch::Written() const {
  std::optional<platform::FileStamp> now = files_.Stamp(path_);
  return now && (!before_ || *now != *before_);
}

}  // namespace convert
