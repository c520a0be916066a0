#include "console/console.h"

#include <gtest/gtest.h>

#include "tests/support/fake_processes.h"
#include "tests/support/fake_terminal.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"

namespace console {
namespace {

using Lines = std::vector<std::string>;

// Keeps the fields as they stood at every operation, in order.
class RecordingOperations : public Operations {
 public:
  explicit RecordingOperations(core::ConvMain& main) : main_(main) {}
  std::vector<std::string> calls;
  std::vector<core::Fields> fields;
  std::vector<BatchAddRequest> batches;

  void TexProcClick() override { Record("TexProcClick"); }
  void TexCabClick() override {}
  void ConvertTextureFolder(const std::string& folder, const Announce&) override {
    calls.push_back("ConvertTextureFolder " + folder);
  }
  void ShProcClick() override { Record("ShProcClick"); }
  void ShUnicodeClick() override {}
  void ShMipMapClick() override {}
  void ShConvertDir(const std::string& folder, const Announce&) override {
    calls.push_back("ShConvertDir " + folder);
  }
  void BatchAdd(const BatchAddRequest& request) override {
    Record("BatchAdd");
    batches.push_back(request);
  }
  // The clearing and comparison commands are checked end to end.
  std::vector<std::string> ClPropPrClick(const std::string&) override { return {}; }
  void ClDuplicatesClick(const std::string&) override {}
  void ClDelUnexClick(const std::string&) override {}
  std::vector<int> ClDeleteClick(const std::string&, const std::vector<int>&) override { return {}; }
  void ClUnusedClick(const std::string&) override {}
  void ClDelUnnamedClick(const std::string&) override {}
  void CrProcClick(const std::string&, const std::optional<std::string>&) override {}

 private:
  void Record(const std::string& name) {
    calls.push_back(name);
    fields.push_back(main_.fields);
    main_.log.Add(name + " ran");
  }
  core::ConvMain& main_;
};

class ConsoleTest : public ::testing::Test {
 protected:
  ConsoleTest() { main.language.SetTexts(core::kEnglish); }

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

TEST_F(ConsoleTest, ACommandLineRunsOneCommandAndWaitsForOneLine) {
  EXPECT_EQ(Command("help", "\nmore\n"), kExitNormal);
  EXPECT_EQ(terminal.title, "Rastolin v1.2b - console version");
  EXPECT_EQ(terminal.reads, 1);
  // Any other spelling of "-console" is a command.
  Command("-Console");
  EXPECT_EQ(terminal.output, std::string(kBanner) + "Press any key..");
}

TEST_F(ConsoleTest, OnlyALowerCaseQAtTheStartEndsAndLongLinesAreReadInPieces) {
  Interactive("Q\n q\nquit\nnever read\n");
  EXPECT_EQ(terminal.reads, 3);
  Interactive(std::string(5000, 'x') + "\n");
  EXPECT_EQ(terminal.reads, 3);  // 4086 bytes, the rest of the line, then q
}

TEST_F(ConsoleTest, ChangelangTakesOnlyALanguageNumber) {
  Interactive("changelang(0)\nchangelang(russian)\nchangelang(2)\n");
  EXPECT_EQ(main.language[core::Msg::CapAddShape], "Добавить объект");
}

TEST_F(ConsoleTest, MainRestartsTheProgramAndEndsAtOnce) {
  Command("main", "never read\n");
  EXPECT_EQ(processes.restarts, 1);
  EXPECT_EQ(terminal.output, kBanner);
  EXPECT_EQ(terminal.reads, 0);
}

TEST_F(ConsoleTest, EachMistakeGetsOneHintOnStandardErrorAndNothingOnStandardOutput) {
  files.AddFolder("C:\\tex");
  const struct {
    const char* line;
    const char* hint;
  } cases[] = {
      {"", ""},
      {"makeacedir(-dir=c:\\tex; -zip )",
       "makeacedir: unknown option \"-zip\"; it takes -dir, -zlib, -no, -dxt, -trans, -bmp, "
       "-width, -height"},
      {"makeacedir()", "makeacedir: a folder is needed, as in makeacedir(-dir=c:\\tex)"},
      {"shapedir(-dir=c:\\nowhere)", "shapedir: the folder c:\\nowhere does not exist"},
      {"shape() house house",
       "shape: a folder is needed, as in shape(-dir=c:\\models); the command is skipped"},
      {"batchadd(-route=myroute;-sub)",
       "batchadd: a folder and a route are needed, as in batchadd(-dir=c:\\content;-route=myroute); "
       "the command is skipped"},
      {"batchadd(-dir=c:\\new)",
       "batchadd: a folder and a route are needed, as in batchadd(-dir=c:\\content;-route=myroute); "
       "the command is skipped"},
  };
  for (const auto& mistake : cases) {
    Interactive(std::string(mistake.line) + "\n");
    EXPECT_EQ(terminal.output, std::string(kBanner) + kPrompt + kPrompt) << mistake.line;
    EXPECT_EQ(terminal.errors, *mistake.hint ? std::string(mistake.hint) + "\n" : "") << mistake.line;
  }
  EXPECT_EQ(operations.calls, Lines{"ConvertTextureFolder c:\\tex\\"});
  EXPECT_TRUE(operations.batches.empty());
}

TEST_F(ConsoleTest, MakeaceTakesEachEntryAsTyped) {
  Command("MAKEACE(-DIR=C:\\TEX) A.TGA; b.bmp;noext");
  ASSERT_EQ(operations.calls.size(), 3u);
  EXPECT_EQ(operations.fields[1].TexSource, "c:\\tex\\ b.bmp");
  EXPECT_EQ(operations.fields[1].TexOutput, "c:\\tex\\ b.ace");
  EXPECT_EQ(operations.fields[2].TexOutput, "c:\\tex\\ace");
  EXPECT_TRUE(main.log.lines().empty());  // printed, then cleared
  // A name that is no command still hands its family's options on.
  Interactive("makeace2(-dxt) a.tga\n");
  EXPECT_EQ(operations.calls.size(), 3u);
  EXPECT_EQ(main.fields.TexCompression, core::Compression::kDxt);
}

TEST_F(ConsoleTest, ShapeOptionsReachTheFieldsOnlyFromACommandThatRuns) {
  files.AddFolder("C:\\m");
  files.AddFolder("C:\\my-box");
  Interactive("shape(-dir=c:\\m;-b;-mip=-2) tower\nshape(-dir=c:\\m) a;;b b\n"
              "shape(-dir=c:\\m;-mip=2x) a\nshape(-dir=c:\\my-box) a\n");
  ASSERT_EQ(operations.calls.size(), 4u);
  // An unmatched prefix still runs the conversion, which then warns.
  EXPECT_EQ(operations.fields[0].ShInput, "");
  // The binary switch is set anew by each command; a refused bias leaves the old one.
  EXPECT_FALSE(operations.fields[1].ShCompress);
  EXPECT_EQ(main.fields.ShMipMapV, "-2");
  EXPECT_EQ(terminal.errors,
            "shape: an empty entry is skipped\n"
            "shape: Mip-map bias \"2x\" is not a number such as -2 or 0.5\n");
  // A folder whose name holds "-b" switches binary output on.
  EXPECT_TRUE(operations.fields[3].ShCompress);
}

// "-class=take-over" is checked end to end.
TEST_F(ConsoleTest, OverCountsOnlyAsAWholeOption) {
  Interactive("batchadd(-dir=c:\\new;-route=r;-overx)\nbatchadd(-dir=c:\\new;-route=r; -over )\n");
  ASSERT_EQ(operations.batches.size(), 2u);
  EXPECT_FALSE(operations.batches[0].over);
  EXPECT_TRUE(operations.batches[1].over);
}

}  // namespace
}  // namespace console
