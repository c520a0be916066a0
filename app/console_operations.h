// The operations the console drives, as the program has them.
#pragma once

#include "console/operations.h"
#include "convert/shape_conversion.h"
#include "convert/shape_dir.h"
#include "convert/textures.h"
#include "core/conv_main.h"
#include "ops/batch_add.h"

namespace app {

class ConsoleOperations : public console::Operations {
 public:
  explicit ConsoleOperations(core::ConvMain& main) : main_(main) {}
  void TexProcClick() override { convert::TexProcClick(main_); }
  void TexCabClick() override { convert::TexCabClick(main_); }
  void ConvertTextureFolder(const std::string& folder, const console::Announce& announce) override {
    convert::ConvertTextureFolder(main_, folder, announce);
  }
  void ShProcClick() override { convert::ShProcClick(main_); }
  void ShUnicodeClick() override { convert::ShUnicodeClick(main_); }
  void ShMipMapClick() override { convert::ShMipMapClick(main_); }
  void ShConvertDir(const std::string& folder, const console::Announce& announce) override {
    convert::ShConvertDir(main_, folder, announce);
  }
  void BatchAdd(const console::BatchAddRequest& request) override {
    ops::BatchAdd(main_, request.route, request.folder, request.class_name, request.sub,
                  request.over, request.texs);
  }

 private:
  core::ConvMain& main_;
};

}  // namespace app
