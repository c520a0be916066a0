#include "ui/operations.h"

#include "ops/comparison.h"

namespace ui {

// Each handler is set here as its operation joins the program, e.g.
// `operations.ClDeleteClick = ops::ClDeleteClick;`.
RouteOperations ProgramOperations() {
  RouteOperations operations;
  operations.CrProcClick = ops::CrProcClick;
  return operations;
}

}  // namespace ui
