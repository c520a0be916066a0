// The console's operations: the conversions run; the batch add, until it is
// part of the program, says so in the log instead of doing nothing silently.
#pragma once

#include "console/operations.h"
#include "convert/shape_conversion.h"
#include "convert/textures.h"
#include "core/conv_main.h"

namespace app {

class UnavailableOperations : public console::Operations {
 public:
  explicit UnavailableOperations(core::ConvMain& main) : main_(main) {}
  void TexProcClick() override { convert::TexProcClick(main_); }
  void ShProcClick() override { convert::ShProcClick(main_); }
  void BatchAdd(const console::BatchAddRequest&) override {
    main_.log.Add("Batch add is not part of this build yet");
  }

 private:
  core::ConvMain& main_;
};

}  // namespace app
