// What the operation tests share: an MSTS installation in memory, the main
// object over it in English, and the route boxes. The clearing tests add
// route R, chosen on the clearing page, the editor tool played the way
// ffeditc_unicode /u behaves, and MSTS files as the route holds them.
#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "core/conv_main.h"
#include "ops/route_state.h"
#include "platform/command_line.h"
#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/msts_text.h"
#include "tests/support/scripted_ui.h"

namespace ops {

using Lines = std::vector<std::string>;

inline const std::string kRoute = "C:\\MSTS\\ROUTES\\R\\";
inline const std::string kBackup = kRoute + "Rastolin_backups\\";
inline const std::string kFfedit = "C:\\MSTS\\UTILS\\FFEDIT\\";
// A damaged binary shape: the SIMIS header, then a block whose count runs
// past the file. Only the editor tool, if anything, reads it.
inline const std::string kBinary("SIMISA@@@@@@@@@@JINX0s1b______\r\n\x47\0\0\0\x10\0\0\0", 40);

inline std::string ShapeText(const Lines& images) {
  std::string text = "shape (\r\n\timages ( 9\r\n";
  for (const std::string& image : images) text += "\t\timage ( " + image + " )\r\n";
  return test_support::MstsText("s1", text + "\t)\r\n)\r\n");
}

inline std::string WorldText(const Lines& shapes) {
  std::string text = "Tr_Worldfile (\r\n";
  for (const std::string& shape : shapes)
    text += "\tStatic (\r\n\t\tFileName ( " + shape + " )\r\n\t)\r\n";
  return test_support::MstsText("w0", text + ")\r\n");
}

using test_support::Compressed;
using test_support::MstsFile;

class OpsFixture : public ::testing::Test {
 protected:
  OpsFixture() {
    main.language.SetTexts(core::kEnglish);
    main.fields.MSTSRoot = "C:\\MSTS";
  }

  test_support::MemoryFileSystem files;
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main{files, processes, ui};
  RouteState routes;
};

class ClearingFixture : public OpsFixture {
 protected:
  ClearingFixture() {
    files.Add(kFfedit + "ffeditc_unicode.exe", "MZ");
    // "<folder>ffeditc_unicode.exe" "<name>" /u /o:"<name>" rewrites the work copy.
    processes.on_run = [this](const test_support::FakeProcesses::Call& call) {
      const std::vector<std::string> words = platform::SplitArguments(call.command_line);
      if (!tool_text.empty() && words.size() > 1)
        files.ReplaceFile(call.working_folder + words[1], test_support::UnicodeFile(tool_text));
      return platform::ToolRun{true, ""};
    };
  }

  // Makes R, with these .ref entries, the current route.
  void Choose(const std::string& entries) {
    files.Add(kRoute + "R.ref", test_support::MstsFile("r1", entries));
    routes.AddRoute = routes.ClRoute = {"R"};
    AddRouteChange(main, routes, 0);
  }
  route::Route& Route() { return *routes.CurrentRoute; }
  const Lines& Logged() const { return main.log.lines(); }
  Lines FileNames() {
    Lines names;
    for (const route::Shape& entry : Route().Entries) names.push_back(entry.GetValue("FileName"));
    return names;
  }
  Lines Runs() const {
    Lines runs;
    for (const auto& run : processes.runs)
      runs.push_back(run.command_line + " | " + run.working_folder);
    return runs;
  }

  // What the editor tool turns a file into; it fails while this is empty.
  std::string tool_text;
};

}  // namespace ops
