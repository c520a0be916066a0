#include "console/console.h"

#include <gtest/gtest.h>

#include "tests/support/fake_processes.h"
#include "tests/support/fake_terminal.h"
#include "tests/support/memory_file_system.h"

namespace console {
namespace {

using Lines = std::vector<std::string>;

// Keeps the fields as they stood at every operation, in order.
class RecordingOperations : public Operations {
 public:
  explicit RecordingOperations(core::ConvMain& main) : main_(main) {}
  std::vector<core::Fields> fields;
  // What the texture conversion does besides being recorded.
  std::function<void()> on_texture;

  void TexProcClick() override {
    Record("TexProcClick");
    if (on_texture) on_texture();
  }
  void ShProcClick() override { Record("ShProcClick"); }
  // The folder, batch, texture, clearing and comparison commands are
  // checked end to end.
  void TexCabClick() override {}
  void ConvertTextureFolder(const std::string&, const Announce&) override {}
  void ShUnicodeClick() override {}
  void ShMipMapClick() override {}
  void ShConvertDir(const std::string&, const Announce&) override {}
  void AceInfo(const std::string&) override {}
  void AceToPng(const std::string&) override {}
  int BatchAdd(const BatchAddRequest&) override { return 0; }
  EntryRows ClPropPrClick(const std::string&) override { return {}; }
  void ClDuplicatesClick(const std::string&) override {}
  void ClDelUnexClick(const std::string&) override {}
  std::vector<int> ClDeleteClick(const std::string&, const std::vector<int>&) override { return {}; }
  void ClUnusedClick(const std::string&) override {}
  void ClDelUnnamedClick(const std::string&) override {}
  void CheckRoute(const std::string&, const std::optional<std::string>&) override {}
  void ClRestoreClick(const std::string&) override {}
  void CrProcClick(const std::string&, const std::optional<std::string>&) override {}
  std::string NoWindow() const override { return ""; }

 private:
  void Record(const std::string& name) {
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
    return Console(main, ui, terminal, operations).Run("-console");
  }
  int Command(const std::string& command_line, const std::string& input = "\n") {
    terminal = test_support::FakeTerminal(input);
    return Console(main, ui, terminal, operations).Run(command_line);
  }

  test_support::MemoryFileSystem files{"C:\\work"};
  test_support::FakeProcesses processes;
  test_support::FakeTerminal terminal;
  ConsoleUi ui{terminal, files};
  core::ConvMain main{files, processes, ui};
  RecordingOperations operations{main};
};

const char kBanner[] = "Rastolin v1.2b - console.\nEnter 'help' or '/?' for help\n";
const char kEnd[] = "Press any key..";

TEST_F(ConsoleTest, MakeaceTakesEachEntryAsTyped) {
  for (const char* name : {"a.tga", " b.bmp", "noext"})
    files.Add(std::string("C:\\tex\\") + name, "");
  EXPECT_EQ(Command("MAKEACE(-DIR=C:\\TEX) A.TGA; b.bmp;noext"), kExitNormal);
  ASSERT_EQ(operations.fields.size(), 3u);
  EXPECT_EQ(operations.fields[1].TexSource, "c:\\tex\\ b.bmp");
  EXPECT_EQ(operations.fields[1].TexOutput, "c:\\tex\\ b.ace");
  EXPECT_EQ(operations.fields[2].TexOutput, "c:\\tex\\ace");
  EXPECT_TRUE(main.log.lines().empty());  // printed, then cleared
}

// A failure line and the end of input at a question are checked end to end.
TEST_F(ConsoleTest, AWarningMakesTheCommandExitWithTwo) {
  files.Add("C:\\tex\\a.tga", "");
  operations.on_texture = [this] { main.ui.Message("Warning", "Unable to find makeace.exe"); };
  EXPECT_EQ(Command("makeace(-dir=c:\\tex) a.tga"), kExitFailed);
  EXPECT_EQ(terminal.title, "Rastolin v1.2b - console version");
  EXPECT_EQ(terminal.output, std::string(kBanner) +
                                 "TexProcClick ran\nWarning: Unable to find makeace.exe\n" + kEnd);
}

TEST_F(ConsoleTest, ShapeOptionsReachTheFieldsOnlyFromACommandThatRuns) {
  for (const char* model : {"m\\tower1.3ds", "m\\a1.3ds", "m\\b2.3ds", "my-box\\a1.3ds"})
    files.Add(std::string("C:\\") + model, "");
  Interactive("shape(-dir=c:\\m;-b;-mip=-2) tower\nshape(-dir=c:\\m) a;;b b\n"
              "shape(-dir=c:\\m;-mip=2x) a\nshape(-dir=c:\\my-box) a\n");
  ASSERT_EQ(operations.fields.size(), 4u);
  // The binary switch is set anew by each command; a refused bias leaves the old one.
  EXPECT_FALSE(operations.fields[1].ShCompress);
  EXPECT_EQ(main.fields.ShMipMapV, "-2");
  EXPECT_EQ(terminal.errors,
            "shape: an empty entry is skipped\n"
            "shape: Mip-map bias \"2x\" is not a number such as -2 or 0.5\n");
  // A folder whose name holds "-b" switches binary output on.
  EXPECT_TRUE(operations.fields[3].ShCompress);
}

}  // namespace
}  // namespace console
