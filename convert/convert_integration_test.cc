// The shape pipeline with its texture check over the real file system and
// the stand-in SDK tools: the replacement dialog cannot be reached from the
// console, so it is driven here through a scripted Ui.
#include <gtest/gtest.h>

#include <filesystem>

#include "convert/shape_conversion.h"
#include "core/conv_main.h"
#include "platform/posix_file_system.h"
#include "platform/posix_processes.h"
#include "platform/text.h"
#include "tests/standin/three_ds.h"
#include "tests/support/scoped_env.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/standin_log.h"
#include "tests/support/temp_prefix.h"
#include "tests/support/msts_text.h"

namespace fs = std::filesystem;

namespace convert {
namespace {

using Lines = std::vector<std::string>;


class TextureCheckTest : public ::testing::Test {
 protected:
  TextureCheckTest()
      : wineprefix_("WINEPREFIX", prefix_.prefix().string()) {
    for (const char* tool : {"makeace", "conv3ds", "txt2uni"})
      Install(tool, std::string("C:\\MSTS\\UTILS\\") + tool + ".exe");
    Install("ffeditc_unicode", "C:\\MSTS\\UTILS\\FFEDIT\\ffeditc_unicode.exe");
    prefix_.Write("C:\\work\\conv.ini",
                  "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nUTILS=C:\\MSTS\\UTILS\r\nROOT=C:\\MSTS\r\n");
    prefix_.Write("C:\\Models\\shed1.3ds", standin::Make3ds({"brick.tga", "planks.tga"}));
    prefix_.Write("C:\\Models\\Brick.ace", "ace");
    prefix_.Write("C:\\Models\\wood.ace", "ace");
    prefix_.Write("C:\\Out\\roof.ace", "ace");

    files_.emplace(platform::DriveMap(prefix_.prefix().string()), "C:\\work");
    processes_.emplace(*files_);
    main_.emplace(*files_, *processes_, ui_);
    main_->fields.ShapeDir = "C:\\Models";
    main_->fields.ShInput = "shed1.3ds ";
    main_->fields.ShOutput = "C:\\Out\\shed.s";
    main_->fields.ShCheckTex = true;
  }

  void Install(const std::string& tool, const std::string& windows_path) {
    prefix_.MakeFolder(windows_path.substr(0, windows_path.rfind('\\')));
    fs::copy_file(test_support::StandinFolder() / (tool + ".exe"), prefix_.Host(windows_path));
  }

  // The shape text as conv3ds writes it for shed1.3ds, with one image name changed.
  static std::string ShapeWithImage(const std::string& second_image) {
    return "\t\timage ( brick.ace )\r\n\t\timage ( " + second_image + " )\r\n";
  }

  test_support::TempPrefix prefix_;
  test_support::ScopedEnv wineprefix_;
  test_support::ScriptedUi ui_;
  std::optional<platform::PosixFileSystem> files_;
  std::optional<platform::PosixProcesses> processes_;
  std::optional<core::ConvMain> main_;
};

TEST_F(TextureCheckTest, TheChosenTextureReplacesTheMissingOneBeforeTheBinaryStep) {
  ui_.answers = {true};
  ui_.textures = {std::string("wood")};
  main_->fields.ShCompress = true;
  ShProcClick(*main_);

  EXPECT_EQ(ui_.shown, (Lines{"Ask: planks.ace: texture not found. Replace?",
                              "Texture: Texture replace planks.ace"}));
  ASSERT_EQ(ui_.texture_choices.size(), 1u);
  EXPECT_EQ(ui_.texture_choices[0].candidates, (Lines{"Brick", "roof", "wood"}));
  EXPECT_EQ(main_->log.lines(), (Lines{"Shape C:\\Out\\shed.s: conversion successful",
                                       "Shape C:\\Out\\shed.s converted to Unicode",
                                       "Shape C:\\Out\\shed.s converted to binary"}));
  // Compressed now; the editor tool turns it back into text to look inside.
  EXPECT_TRUE(prefix_.Read("C:\\Out\\shed.s").starts_with("SIMISA@F"));
  prefix_.Write("C:\\Check\\shed.s", prefix_.Read("C:\\Out\\shed.s"));
  ASSERT_TRUE(processes_->Run("C:\\MSTS\\UTILS\\FFEDIT\\ffeditc_unicode.exe shed.s /u /o:shed.s",
                              "C:\\Check").started);
  std::string text = prefix_.Read("C:\\Check\\shed.s");
  EXPECT_TRUE(text.starts_with(test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0s1t______\r\n")));
  EXPECT_NE(text.find(platform::Utf8ToUtf16Le(ShapeWithImage("wood.ace"))), std::string::npos);
  EXPECT_FALSE(fs::exists(prefix_.Host("C:\\MSTS\\UTILS\\FFEDIT\\shed.s")));
}

}  // namespace
}  // namespace convert
