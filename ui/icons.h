// The program's pictures, drawn rather than shipped: one icon per page tab
// and the program icon.
#pragma once

#include <QIcon>

#include "ops/route_state.h"

namespace ui {

QIcon PageIcon(ops::Page page);
QIcon ProgramIcon();

}  // namespace ui
