// The route services of a test's main object.
#pragma once

#include "core/conv_main.h"
#include "route/route.h"

namespace test_support {

inline route::Services ServicesOf(core::ConvMain& main) {
  return route::Services{main.files, main.language, main.log, main.ui};
}

}  // namespace test_support
