// What the end-to-end tests share: the console's own lines, and a fixture
// installation in which the built rastolin runs from C:\work.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/msts_text.h"
#include "tests/support/run_program.h"
#include "tests/support/standin_log.h"
#include "tests/support/temp_prefix.h"

namespace e2e {

using test_support::ProgramRun;

inline const std::string kBanner = "Rastolin v1.2b - console.\nEnter 'help' or '/?' for help\n";
inline const std::string kPrompt = "Enter new command('q' for exit):\n$ ";
inline const std::string kEnd = "Press any key..";

using test_support::MstsFile;
using test_support::MstsText;

class EndToEnd : public ::testing::Test {
 protected:
  // The settings of an installation in C:\MSTS; language 0 is Russian, 1 English.
  void Settings(const std::string& language) {
    prefix.Write("C:\\work\\conv.ini",
                 prefix.ToProgram("[INF]\r\nLANGUAGE=" + language +
                                  "\r\n[PATHS]\r\nUTILS=C:\\MSTS\\UTILS\r\nROOT=C:\\MSTS\r\n"));
  }

  // The stand-in SDK tools, where an MSTS installation in C:\MSTS holds them.
  void InstallTools() {
    for (const char* tool : {"makeace", "conv3ds", "txt2uni", "FFEDIT\\ffeditc_unicode"}) {
      const std::string path = std::string("C:\\MSTS\\UTILS\\") + tool + ".exe";
      const size_t slash = path.rfind('\\');
      prefix.MakeFolder(path.substr(0, slash));
      std::filesystem::copy_file(test_support::StandinFolder() / path.substr(slash + 1),
                                 prefix.Host(path));
    }
  }

  // The arguments on the command line, the input on standard input.
  ProgramRun Run(const std::vector<std::string>& args, const std::string& input = "\n") {
    return test_support::RunInPrefix(prefix, args, "C:\\work", input);
  }
  // An interactive console over the lines, then "q".
  ProgramRun Interactive(const std::string& lines) { return Run({"-console"}, lines + "q\n"); }

  std::string Read(const std::string& windows_path) const { return prefix.Read(windows_path); }
  bool Exists(const std::string& windows_path) const {
    return std::filesystem::exists(prefix.Host(windows_path));
  }

  test_support::TempPrefix prefix;
};

}  // namespace e2e
