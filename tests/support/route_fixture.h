// What the route tests share: an MSTS installation in memory and the main
// object over it, in English.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/conv_main.h"
#include "route/route.h"
#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/msts_text.h"
#include "tests/support/route_services.h"
#include "tests/support/scripted_ui.h"

namespace route {

inline const std::string kRoute = "C:\\MSTS\\ROUTES\\R\\";
inline const std::string kRefPath = kRoute + "R.ref";

// A .ref file of these entries, Unicode as the route editor writes it.
inline std::string RefFile(std::string_view entries) {
  return test_support::MstsFile("r1", entries);
}

class RouteFixture : public ::testing::Test {
 protected:
  RouteFixture() { main.language.SetTexts(core::kEnglish); }

  // The route of that name under C:\MSTS, its .ref file not yet read.
  Route Open(const std::string& name = "R") {
    return Route(test_support::ServicesOf(main), name, "C:\\MSTS");
  }

  test_support::MemoryFileSystem files;
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main{files, processes, ui};
};

}  // namespace route
