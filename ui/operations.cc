#include "ui/operations.h"

#include "ops/clearing.h"
#include "ops/comparison.h"
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
  operations.ClShapesDblClick = ops::ClShapesDblClick;
  operations.CrProcClick = ops::CrProcClick;
  return operations;
}

}  // namespace ui
