// The clearing page's and the comparison page's operations, as the window
// starts them. A button whose operation is not set stays disabled.
#pragma once

#include <functional>

#include "core/conv_main.h"
#include "ops/route_state.h"

namespace ui {

struct RouteOperations {
  using Handler = std::function<void(core::ConvMain&, ops::RouteState&)>;

  Handler ClPropPrClick;
  Handler ClDeleteClick;
  Handler ClDuplicatesClick;
  Handler ClDelUnexClick;
  Handler ClUnusedClick;
  Handler ClDelUnnamedClick;
  Handler ClRestoreClick;
  Handler ClShapesDblClick;
  Handler ClCheckClick;
  Handler CrProcClick;
};

// The operations the program has.
RouteOperations ProgramOperations();

}  // namespace ui
