#include "ui/operations.h"

#include "ops/clearing.h"
#include "ops/comparison.h"
#include "ops/restore.h"
#include "ops/route_check.h"
#include "ops/unused.h"

namespace ui {

RouteOperations ProgramOperations() {
  RouteOperations operations;
  operations.ClPropPrClick = ops::ClPropPrClick;
  operations.ClDeleteClick = ops::ClDeleteClick;
  operations.ClDuplicatesClick = ops::ClDuplicatesClick;
  operations.ClDelUnexClick = ops::ClDelUnexClick;
  operations.ClUnusedClick = ops::ClUnusedClick;
  operations.ClDelUnnamedClick = ops::ClDelUnnamedClick;
  operations.ClRestoreClick = ops::ClRestoreClick;
  operations.ClShapesDblClick = ops::ClShapesDblClick;
  operations.ClCheckClick = ops::ClCheckClick;
  // The batch file is saved from the whole output box: it starts empty, so
  // that no line of an earlier list becomes a command.
  operations.CrProcClick = [](core::ConvMain& main, ops::RouteState& routes) {
    if (main.fields.CrOutput == core::ComparisonOutput::kBatch) main.fields.CrOut.clear();
    ops::CrProcClick(main, routes);
  };
  return operations;
}

}  // namespace ui
