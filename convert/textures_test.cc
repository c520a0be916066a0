#include "convert/textures.h"

#include "tests/support/convert_fixture.h"
#include "convert/shape_conversion.h"

namespace convert {
namespace {

class TexturesTest : public ConvertFixture {
 protected:
  TexturesTest() {
    files.Add("C:\\models\\tex\\a.tga", "tga");
    main->fields.TexSource = "C:\\models\\tex\\a.tga";
    main->fields.TexOutput = "C:\\out\\a.ace";
    files.AddFolder("C:\\out");
  }
};

TEST_F(TexturesTest, SuccessIsLoggedOnlyWhenTheOutputWasWritten) {
  TexProcClick(*main);
  EXPECT_NE(files.Content("C:\\out\\a.ace"), "<missing>");
  broken.insert("makeace");
  files.Add("C:\\out\\old.ace", "old");
  main->fields.TexOutput = "C:\\out\\old.ace";
  TexProcClick(*main);
  unstartable.insert("makeace");
  TexProcClick(*main);
  EXPECT_EQ(Logged(), (Lines{"Texture C:\\models\\tex\\a.tga: conversion successful",
                             "makeace: failed",
                             "Texture C:\\models\\tex\\a.tga: conversion failed, no output file",
                             "Unable to start makeace.exe"}));
  EXPECT_EQ(files.Content("C:\\out\\old.ace"), "old");
}

TEST_F(TexturesTest, WithoutAnOutputOrAnExistingSourceNothingRuns) {
  main->fields.TexOutput = "";
  TexProcClick(*main);
  EXPECT_EQ(ui.shown, Lines{"Warning: Select output file"});
  main->fields.TexOutput = "C:\\out\\a.ace";
  main->fields.TexSource = "C:\\models\\tex\\missing.tga";
  TexProcClick(*main);
  EXPECT_EQ(ui.shown.size(), 1u);
  EXPECT_TRUE(processes.runs.empty());
}

TEST_F(TexturesTest, BrowsingForTheSourceProposesTheOutput) {
  ui.opened = {{"C:\\pics\\a.tga"}, {"C:\\pics\\b.jpeg"}};
  TexBrowseClick(*main);
  EXPECT_EQ(main->fields.TexOutput, "C:\\pics\\a.ace");
  // Four characters go, whatever the extension.
  TexBrowseClick(*main);
  EXPECT_EQ(main->fields.TexOutput, "C:\\pics\\b..ace");
}

// The texture's and the shape's output: a cancelled dialog keeps the field.
TEST_F(TexturesTest, BrowsingForAnOutputAsksBeforeReplacing) {
  const struct {
    void (*click)(core::ConvMain&);
    std::string core::Fields::*field;
    const char* extension;
  } cases[] = {{TexOutClick, &core::Fields::TexOutput, "ace"},
               {ShBrowseClick, &core::Fields::ShOutput, "s"}};
  for (const auto& c : cases) {
    ui.file_dialogs.clear();
    ui.saved = {std::string("C:\\out\\b.") + c.extension};
    c.click(*main);
    c.click(*main);
    EXPECT_EQ(main->fields.*c.field, std::string("C:\\out\\b.") + c.extension);
    ASSERT_EQ(ui.file_dialogs.size(), 2u);
    EXPECT_EQ(ui.file_dialogs[0].default_extension, c.extension);
    EXPECT_TRUE(ui.file_dialogs[0].confirm_overwrite);
  }
}

TEST_F(TexturesTest, AFolderBatchConvertsTargasThenBitmapsAnnouncingEach) {
  files.Add("C:\\pics\\b c.bmp", "bmp");  // a blank: one argument, quoted
  files.Add("C:\\pics\\a.bmp", "bmp");
  files.Add("C:\\pics\\A.TGA", "tga");
  files.Add("C:\\pics\\notes.txt", "txt");
  files.Add("C:\\pics\\what?.tga", "tga");
  ui.folders = {std::nullopt, std::string("C:\\pics")};
  BtTex1Click(*main);
  BtTex1Click(*main);
  EXPECT_EQ(ui.shown, (Lines{"Folder: Select convert directory", "Folder: Select convert directory"}));
  EXPECT_EQ(ui.folder_initials, (Lines{"", ""}));
  EXPECT_EQ(Runs(), (Lines{"C:\\MSTS\\UTILS\\makeace.exe A.TGA \"C:\\pics\\A.ace\" -zlib | C:\\pics",
                           "C:\\MSTS\\UTILS\\makeace.exe a.bmp \"C:\\pics\\a.ace\" -zlib | C:\\pics",
                           "C:\\MSTS\\UTILS\\makeace.exe \"b c.bmp\" \"C:\\pics\\b c.ace\" -zlib | C:\\pics"}));
  EXPECT_EQ(Logged(), (Lines{"Texture C:\\pics\\A.TGA: conversion successful",
                             "Skipped what?.tga: not a file name Windows can hold",
                             "Texture C:\\pics\\a.bmp: conversion successful",
                             "Texture C:\\pics\\b c.bmp: conversion successful"}));
  Lines announced;
  ConvertTextureFolder(*main, "C:\\pics\\",
                       [&](const std::string& path) { announced.push_back(path); });
  EXPECT_EQ(announced, (Lines{"C:\\pics\\A.TGA", "C:\\pics\\a.bmp", "C:\\pics\\b c.bmp"}));
}

}  // namespace
}  // namespace convert
