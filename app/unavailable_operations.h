// The console's operations until the conversions and the batch add are part
// of the program: each says so in the log instead of doing nothing silently.
#pragma once

#include "console/operations.h"
#include "core/conv_main.h"
#include "ops/batch_add.h"

namespace app {

class UnavailableOperations : public console::Operations {
 public:
  explicit UnavailableOperations(core::ConvMain& main) : main_(main) {}
  void TexProcClick() override { main_.log.Add("Texture conversion is not part of this build yet"); }
  void ShProcClick() override { main_.log.Add("Shape conversion is not part of this build yet"); }
  void BatchAdd(const console::BatchAddRequest& request) override {
    ops::BatchAdd(main_, request.route, request.folder, request.class_name, request.sub,
                  request.over, request.texs);
  }

 private:
  core::ConvMain& main_;
};

}  // namespace app
