// The textures the shapes staying in a route use, read once for a clearing
// job that takes textures out, so that the log names, after each texture
// that leaves, the shapes still using it.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/conv_main.h"
#include "ops/simis_reader.h"
#include "route/route.h"

namespace ops {

class WornTextures : public route::TextureWearers {
 public:
  // For the shapes of SHAPES\ but those the job takes out (`leaving`, names
  // relative to SHAPES\ in any letter case). They are read at the first
  // question, once, on the reading threads the route check uses; shapes
  // that cannot be read are counted in one log line then. Nothing is read
  // when SHAPES\ cannot be listed.
  WornTextures(core::ConvMain& main, const route::Route& route, SimisReader& reader,
               const std::vector<std::string>& leaving);

  std::vector<std::string> Wearing(const std::string& texture) override;

 private:
  void Read();

  core::ConvMain& main_;
  const route::Route& route_;
  SimisReader& reader_;
  std::unordered_set<std::string> leaving_;  // folded
  bool read_ = false;
  // Folded texture name -> the shapes using it, as named on disk, in order.
  std::unordered_map<std::string, std::vector<std::string>> wearers_;
};

}  // namespace ops
