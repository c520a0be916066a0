#include "ui/operations.h"

namespace ui {

// Each handler is set here as its operation joins the program, e.g.
// `operations.ClDeleteClick = ops::ClDeleteClick;`.
RouteOperations ProgramOperations() {
  RouteOperations operations;
  return operations;
}

}  // namespace ui
