#include "console/console.h"

#include <gtest/gtest.h>

#include "tests/support/fake_processes.h"
#include "tests/support/fake_terminal.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"

namespace console {
namespace {

using Lines = std::vector<std::string>;

// Keeps the fields as they stood at every operation, and the click
// handlers run, in order.
class RecordingOperations : public Operations {
 public:
  explicit RecordingOperations(core::ConvMain& main) : main_(main) {}
  std::vector<std::string> calls;
  std::vector<core::Fields> fields;
  std::vector<std::string> clicks;
  std::vector<BatchAddRequest> batches;
  // Names a folder conversion finds.
  std::vector<std::string> found;

  void TexProcClick() override { Record("TexProcClick"); }
  void TexCabClick() override { clicks.push_back("TexCabClick"); }
  void ConvertTextureFolder(const std::string& folder, const Announce& announce) override {
    ConvertFolder("ConvertTextureFolder " + folder, announce);
  }
  void ShProcClick() override { Record("ShProcClick"); }
  void ShUnicodeClick() override { clicks.push_back("ShUnicodeClick"); }
  void ShMipMapClick() override { clicks.push_back("ShMipMapClick"); }
  void ShConvertDir(const std::string& folder, const Announce& announce) override {
    ConvertFolder("ShConvertDir " + folder, announce);
  }
  void BatchAdd(const BatchAddRequest& request) override {
    Record("BatchAdd");
    batches.push_back(request);
  }

 private:
  void Record(const std::string& name) {
    calls.push_back(name);
    fields.push_back(main_.fields);
    main_.log.Add(name + " ran");
  }
  void ConvertFolder(const std::string& call, const Announce& announce) {
    calls.push_back(call);
    for (const std::string& name : found) {
      announce(name);
      main_.log.Add("converted " + name);
    }
  }
  core::ConvMain& main_;
};

class ConsoleTest : public ::testing::Test {
 protected:
  // Runs an interactive console over the lines, then "q".
  int Interactive(const std::string& lines) {
    terminal = test_support::FakeTerminal(lines + "q\n");
    return Console(main, terminal, operations).Run("-console");
  }
  int Command(const std::string& command_line, const std::string& input = "\n") {
    terminal = test_support::FakeTerminal(input);
    return Console(main, terminal, operations).Run(command_line);
  }

  test_support::MemoryFileSystem files{"C:\\work"};
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main{files, processes, ui};
  RecordingOperations operations{main};
  test_support::FakeTerminal terminal;
};

const char kBanner[] = "Rastolin v1.2b - console.\nEnter 'help' or '/?' for help\n";
const char kPrompt[] = "Enter new command('q' for exit):\n$ ";

TEST_F(ConsoleTest, HelpFromTheCommandLinePrintsTheHelpAndWaitsForOneLine) {
  EXPECT_EQ(Command("help", "\nmore\n"), kExitNormal);
  EXPECT_EQ(terminal.title, "Rastolin v1.2b - console version");
  EXPECT_EQ(terminal.output,
            std::string(kBanner) +
                "Enter 'main' to return to the window mode\n\n"
                "makeace([-dir=...;][-zlib;][-no;][-dxt;][-trans;][-bmp;[-width=...;-height=...;]]) "
                "FILE1;[[FILE 2;]FILE3;]...\n=====\n"
                "makeacedir([-zlib;][-no;][-dxt;][-trans;][-bmp;[-width=...;-height=...;]]-dir=...)\n"
                "=====\n"
                "shape(-dir=...;[-b;][-mm=...;]) PREFIX1 OUTPUT1;[ PREFIX2 OUTPUT2]\n=====\n"
                "shapedir(-dir=...;[-b])\n=====\n"
                "batchadd(-dir=...;-route=...;[class=...;][-over;][-sub;][-texs;])\n=====\n"
                "Press any key..");
  EXPECT_EQ(terminal.reads, 1);
}

TEST_F(ConsoleTest, InteractiveConsolePromptsUntilQ) {
  Interactive("changelang(1)\n");
  EXPECT_EQ(terminal.output, std::string(kBanner) + kPrompt + kPrompt);
  EXPECT_EQ(main.language[core::Msg::CapAddShape], "Add shape");
  EXPECT_FALSE(files.FileExists("C:\\work\\conv.ini"));
}

TEST_F(ConsoleTest, OnlyALowerCaseQAtTheStartEnds) {
  terminal = test_support::FakeTerminal("Q\n q\nquit\nnever read\n");
  Console(main, terminal, operations).Run("-console");
  EXPECT_EQ(terminal.reads, 3);
}

TEST_F(ConsoleTest, EndOfInputEndsTheConsole) {
  terminal = test_support::FakeTerminal("help\n");
  Console(main, terminal, operations).Run("-console");
  EXPECT_EQ(terminal.reads, 1);
}

TEST_F(ConsoleTest, AnyOtherSpellingOfConsoleIsOneCommand) {
  Command("-Console");
  EXPECT_EQ(terminal.output, std::string(kBanner) + "Press any key..");
  EXPECT_TRUE(operations.calls.empty());
}

TEST_F(ConsoleTest, LongLinesAreReadInPieces) {
  std::string long_line(5000, 'x');
  terminal = test_support::FakeTerminal(long_line + "\nq\n");
  Console(main, terminal, operations).Run("-console");
  EXPECT_EQ(terminal.reads, 3);  // 4086 bytes, the rest of the line, then q
}

TEST_F(ConsoleTest, ChangelangSwitchesTheTextsWithoutWritingTheSettings) {
  Interactive("changelang(1)\nchangelang(0)\n");
  EXPECT_EQ(main.language[core::Msg::CapAddShape], "Добавить объект");
  Interactive("changelang(english)\nchangelang(2)\n");
  EXPECT_EQ(main.language[core::Msg::CapAddShape], "Добавить объект");
  EXPECT_FALSE(files.FileExists("C:\\work\\conv.ini"));
}

TEST_F(ConsoleTest, MainRestartsTheProgramAndEndsAtOnce) {
  Command("main", "never read\n");
  EXPECT_EQ(processes.restarts, 1);
  EXPECT_EQ(terminal.output, kBanner);
  EXPECT_EQ(terminal.reads, 0);
}

TEST_F(ConsoleTest, EachLogLineIsPrintedOnceAsItIsAddedAndTheLogIsCleared) {
  files.AddFolder("C:\\tex");
  operations.found = {"c:\\tex\\a.tga", "c:\\tex\\b.bmp"};
  Interactive("makeace() a.tga\nmakeacedir(-dir=c:\\tex)\n");
  EXPECT_EQ(operations.calls, (Lines{"TexProcClick", "ConvertTextureFolder c:\\tex\\"}));
  EXPECT_EQ(terminal.output, std::string(kBanner) + kPrompt + "TexProcClick ran\n" + kPrompt +
                                 "c:\\tex\\a.tga\nconverted c:\\tex\\a.tga\n"
                                 "c:\\tex\\b.bmp\nconverted c:\\tex\\b.bmp\n" + kPrompt);
  EXPECT_TRUE(main.log.lines().empty());
}

TEST_F(ConsoleTest, EachMistakeGetsOneHintOnStandardErrorAndNothingOnStandardOutput) {
  files.AddFolder("C:\\tex");
  main.language.SetTexts(core::kEnglish);
  const struct {
    const char* line;
    const char* hint;
  } cases[] = {
      {"", ""},
      {"Help()", "\"Help()\" is no command; enter 'help' for the commands"},
      {"makeacedir(-dir=c:\\tex; -zip )",
       "makeacedir: unknown option \"-zip\"; it takes -dir, -zlib, -no, -dxt, -trans, -bmp, "
       "-width, -height"},
      {"makeacedir()", "makeacedir: a folder is needed, as in makeacedir(-dir=c:\\tex)"},
      {"shapedir(-dir=c:\\nowhere)", "shapedir: the folder c:\\nowhere does not exist"},
      {"shape(-dir=c:\\tex;-mip=abc) a", "shape: Mip-map bias \"abc\" is not a number such as -2 or 0.5"},
      {"shape(-dir=c:\\tex;-mip) a", "shape: Mip-map bias \"-mip\" is not a number such as -2 or 0.5"},
      {"changelang(english)", "changelang: \"english\" is not a language number (0 Russian, 1 English)"},
  };
  for (const auto& mistake : cases) {
    Interactive(std::string(mistake.line) + "\n");
    EXPECT_EQ(terminal.output, std::string(kBanner) + kPrompt + kPrompt) << mistake.line;
    EXPECT_EQ(terminal.errors, *mistake.hint ? std::string(mistake.hint) + "\n" : "") << mistake.line;
  }
  EXPECT_FALSE(main.fields.ShMipMap);
  EXPECT_EQ(operations.calls, Lines{"ConvertTextureFolder c:\\tex\\"});
  Command("makeace(-dir=c:\\nowhere) a.tga");
  EXPECT_EQ(terminal.errors, "makeace: the folder c:\\nowhere\\ does not exist\n");
  EXPECT_EQ(operations.calls.size(), 2u);
}

TEST_F(ConsoleTest, MakeaceConvertsEachEntryOfTheFolder) {
  Command("makeace(-dir=c:\\tex) a.tga;b.bmp; c.tga");
  ASSERT_EQ(operations.calls.size(), 3u);
  EXPECT_EQ(operations.fields[0].TexSource, "c:\\tex\\a.tga");
  EXPECT_EQ(operations.fields[0].TexOutput, "c:\\tex\\a.ace");
  EXPECT_EQ(operations.fields[1].TexSource, "c:\\tex\\b.bmp");
  EXPECT_EQ(operations.fields[1].TexOutput, "c:\\tex\\b.ace");
  EXPECT_EQ(operations.fields[2].TexSource, "c:\\tex\\ c.tga");
}

TEST_F(ConsoleTest, MakeaceLowersTheLineAndUsesEntriesAsTyped) {
  Command("MAKEACE(-DXT) C:\\TEX\\A.TGA;noext");
  EXPECT_EQ(operations.fields[0].TexSource, "c:\\tex\\a.tga");
  EXPECT_EQ(operations.fields[0].TexOutput, "c:\\tex\\a.ace");
  EXPECT_EQ(operations.fields[0].TexCompression, core::Compression::kDxt);
  EXPECT_EQ(operations.fields[1].TexOutput, "ace");
}

TEST_F(ConsoleTest, CompressionFollowsTheOrderOfTheButtons) {
  Interactive("makeace(-zlib;-dxt) a.tga\nmakeace(-no;-zlib) a.tga\nmakeace() a.tga\n"
              "makeace(-zlib) a.tga\n");
  EXPECT_EQ(operations.fields[0].TexCompression, core::Compression::kDxt);
  EXPECT_EQ(operations.fields[1].TexCompression, core::Compression::kNo);
  EXPECT_EQ(operations.fields[2].TexCompression, core::Compression::kNone);
  EXPECT_EQ(operations.fields[3].TexCompression, core::Compression::kZlib);
}

TEST_F(ConsoleTest, BitmapSizeStaysForLaterCommandsAndTransparencyDoesNot) {
  Interactive("makeace(-trans;-bmp;-width=256;-height=128) a.bmp\nmakeace() b.tga\n"
              "makeace(-bmp) c.bmp\n");
  EXPECT_TRUE(operations.fields[0].TexTrans);
  // Switching the bitmap option on runs the switch's handler, as the page does.
  EXPECT_EQ(operations.clicks, (Lines{"TexCabClick", "TexCabClick"}));
  EXPECT_TRUE(operations.fields[1].TexCab);
  EXPECT_FALSE(operations.fields[1].TexTrans);
  EXPECT_EQ(operations.fields[1].TexWidth, "256");
  EXPECT_EQ(operations.fields[1].TexHeight, "128");
  EXPECT_EQ(operations.fields[2].TexWidth, "");
  EXPECT_EQ(operations.fields[2].TexHeight, "");
}

TEST_F(ConsoleTest, CommandsWithoutParenthesesOrWithUnknownNamesDoNothing) {
  Interactive("makeace a.tga\nhelp()\nmakeace2() a.tga\n");
  EXPECT_TRUE(operations.calls.empty());
  EXPECT_EQ(terminal.output, std::string(kBanner) + kPrompt + kPrompt + kPrompt + kPrompt);
  // The family still takes the options.
  EXPECT_EQ(main.fields.TexCompression, core::Compression::kNone);
}

TEST_F(ConsoleTest, FolderConversionsGetAnExistingFolder) {
  files.AddFolder("C:\\tex");
  files.AddFolder("C:\\models");
  Interactive("makeacedir(-dir=c:\\tex)\nmakeacedir(-dir=c:\\nowhere)\nshapedir(-dir=c:\\models\\;-b)\n"
              "shapedir(-dir=c:\\nowhere)\n");
  EXPECT_EQ(operations.calls, (Lines{"ConvertTextureFolder c:\\tex\\", "ShConvertDir c:\\models"}));
  EXPECT_EQ(main.fields.ShapeDir, "c:\\nowhere");
}

TEST_F(ConsoleTest, ShapeTakesTheNumberedModelsOfEachPrefix) {
  for (const char* name : {"house1.3ds", "house2.3ds", "housex.3ds", "house.3ds", "shed1.3ds"}) {
    files.Add(std::string("C:\\models\\") + name, "");
  }
  Command("shape(-dir=c:\\models\\;-mip=3) house house;shed barn");
  ASSERT_EQ(operations.calls.size(), 2u);
  const core::Fields& house = operations.fields[0];
  EXPECT_EQ(house.ShInput, "house1.3ds house2.3ds ");
  EXPECT_EQ(house.ShOutput, "c:\\models\\house");
  EXPECT_EQ(house.ShapeDir, "c:\\models");
  EXPECT_TRUE(house.ShMipMap);
  EXPECT_EQ(house.ShMipMapV, "3");
  EXPECT_TRUE(house.ShUnicode);
  EXPECT_FALSE(house.ShCompress);
  EXPECT_EQ(operations.clicks, (Lines{"ShUnicodeClick", "ShMipMapClick"}));
  EXPECT_EQ(operations.fields[1].ShInput, "shed1.3ds ");
  EXPECT_EQ(operations.fields[1].ShOutput, "c:\\models\\barn");
}

TEST_F(ConsoleTest, ShapeWithAnUnmatchedPrefixStillConvertsNothingThroughTheOperation) {
  files.AddFolder("C:\\models");
  Command("shape(-dir=c:\\models) tower");
  ASSERT_EQ(operations.calls.size(), 1u);
  EXPECT_EQ(operations.fields[0].ShInput, "");
  EXPECT_EQ(operations.fields[0].ShOutput, "c:\\models\\tower");
}

TEST_F(ConsoleTest, ADirThatHoldsDashBSwitchesBinaryOutputOn) {
  files.AddFolder("C:\\my-box");
  Command("shape(-dir=c:\\my-box) a");
  EXPECT_TRUE(operations.fields[0].ShCompress);
}

TEST_F(ConsoleTest, ShapeCommandsWithoutAFolderOrWithEmptyEntriesAreSkipped) {
  Interactive("shape() house house\nshapedir()\n");
  EXPECT_TRUE(operations.calls.empty());
  EXPECT_EQ(terminal.errors,
            "shape: a folder is needed, as in shape(-dir=c:\\models); the command is skipped\n"
            "shapedir: a folder is needed, as in shapedir(-dir=c:\\models); the command is skipped\n");
  files.AddFolder("C:\\m");
  Command("shape(-dir=c:\\m) a a;;b b");
  EXPECT_EQ(operations.calls.size(), 2u);
  EXPECT_EQ(terminal.errors, "shape: an empty entry is skipped\n");
}

TEST_F(ConsoleTest, MipValueStaysAndTheBinarySwitchIsSetAnew) {
  files.AddFolder("C:\\m");
  Interactive("shape(-dir=c:\\m;-b;-mip=-2) a\nshape(-dir=c:\\m) a\nshape(-dir=c:\\m;-mip=2x) a\n");
  ASSERT_EQ(operations.calls.size(), 2u);
  EXPECT_EQ(main.fields.ShMipMapV, "-2");
  EXPECT_EQ(operations.fields[1].ShMipMapV, "-2");
  EXPECT_TRUE(operations.fields[1].ShMipMap);
  EXPECT_FALSE(operations.fields[1].ShCompress);
}

TEST_F(ConsoleTest, BatchaddPassesItsOptions) {
  Command("batchadd(-dir=c:\\new\\;-route=myroute;-class=bridges;-sub;-texs)");
  ASSERT_EQ(operations.batches.size(), 1u);
  const BatchAddRequest& request = operations.batches[0];
  EXPECT_EQ(request.route, "myroute");
  EXPECT_EQ(request.folder, "c:\\new\\");
  EXPECT_EQ(request.class_name, "bridges");
  EXPECT_TRUE(request.sub);
  EXPECT_TRUE(request.texs);
  EXPECT_FALSE(request.over);
}

TEST_F(ConsoleTest, OverCountsOnlyAsAWholeOption) {
  Interactive("batchadd(-dir=c:\\new;-route=r;-class=cross-over)\n"
              "batchadd(-dir=c:\\new;-route=r;-class=take-over;-overx)\n"
              "batchadd(-dir=c:\\new;-route=r; -over )\n");
  ASSERT_EQ(operations.batches.size(), 3u);
  EXPECT_EQ(operations.batches[0].class_name, "cross-over");
  EXPECT_FALSE(operations.batches[0].over);
  EXPECT_FALSE(operations.batches[1].over);
  EXPECT_TRUE(operations.batches[2].over);
}

TEST_F(ConsoleTest, BatchaddWithoutAFolderOrARouteIsSkippedWithAReason) {
  Interactive("batchadd(-route=myroute;-sub)\nbatchadd(-dir=c:\\new)\n");
  EXPECT_TRUE(operations.batches.empty());
  const std::string reason =
      "batchadd: a folder and a route are needed, as in batchadd(-dir=c:\\content;-route=myroute); "
      "the command is skipped\n";
  EXPECT_EQ(terminal.output, std::string(kBanner) + kPrompt + kPrompt + kPrompt);
  EXPECT_EQ(terminal.errors, reason + reason);
}

}  // namespace
}  // namespace console
