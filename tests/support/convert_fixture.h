// What the conversion tests share: an MSTS installation in memory, with the
// SDK tools played on it the way the stand-ins behave, and the main object.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "convert/output_watch.h"
#include "core/conv_main.h"
#include "platform/command_line.h"
#include "platform/text.h"
#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/msts_text.h"

namespace convert {

// Shape text as the shape tool leaves it, 8-bit with CR LF.
inline const std::string kShapeText =
    "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n"
    "\timages ( 2\r\n\t\timage ( brick.ace )\r\n\t\timage ( planks.ace )\r\n\t)\r\n"
    "\ttextures ( 2\r\n\t\ttexture ( 0 0 0 ff000000 )\r\n\t\ttexture ( 1 0 0 ff000000 )\r\n\t)\r\n"
    ")\r\n";

class ConvertFixture : public ::testing::Test {
 protected:
  using Lines = std::vector<std::string>;

  ConvertFixture() {
    files.Add("C:\\work\\conv.ini",
              "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nUTILS=C:\\MSTS\\UTILS\r\nROOT=C:\\MSTS\r\n");
    for (const char* tool : {"conv3ds.exe", "txt2uni.exe", "makeace.exe"})
      files.Add(std::string("C:\\MSTS\\UTILS\\") + tool, "MZ");
    files.Add("C:\\MSTS\\UTILS\\FFEDIT\\ffeditc_unicode.exe", "MZ");
    main.emplace(files, processes, ui);
    processes.on_run = [this](const test_support::FakeProcesses::Call& call) { return Play(call); };
  }

  // The runs as "command line | working folder".
  Lines Runs() const {
    Lines runs;
    for (const auto& run : processes.runs) runs.push_back(run.command_line + " | " + run.working_folder);
    return runs;
  }
  const Lines& Logged() const { return main->log.lines(); }

  test_support::MemoryFileSystem files{"C:\\work"};
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  std::optional<core::ConvMain> main;

  // Tools ("makeace", "conv3ds", "txt2uni", "ffeditc_unicode") that run but
  // write nothing, and tools that cannot be started.
  std::set<std::string> broken;
  std::set<std::string> unstartable;

 private:
  platform::ToolRun Play(const test_support::FakeProcesses::Call& call) {
    std::vector<std::string> args = platform::SplitArguments(call.command_line);
    std::string program = platform::LowerCase(args[0].substr(args[0].find_last_of('\\') + 1));
    if (program.ends_with(".exe")) program.resize(program.size() - 4);
    if (unstartable.count(program)) return {false, ""};
    if (broken.count(program)) return {true, program + ": failed\n"};
    auto path = [&](const std::string& name) { return PathFrom(call.working_folder, name); };
    if (program == "makeace") {
      files.Add(path(args[2]), "ACE " + call.command_line);
    } else if (program == "conv3ds") {
      files.Add(path(args[1]), kShapeText);
    } else if (program == "txt2uni") {
      std::string text = files.Content(path(args[1]));
      if (!text.starts_with("\xFF\xFE")) files.Add(path(args[1]), test_support::UnicodeFile(text));
    } else if (program == "ffeditc_unicode") {
      files.Add(path(args[3].substr(3)), "SIMISA@F" + files.Content(path(args[1])));
    }
    return {true, ""};
  }
};

}  // namespace convert
