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
  }
};

// Whether the output was written is checked end to end.
TEST_F(TexturesTest, WhatStopsTheConversionIsSaid) {
  main->fields.TexOutput = "";
  TexProcClick(*main);
  EXPECT_EQ(ui.shown, Lines{"Warning: Select output file"});
  main->fields.TexOutput = "C:\\out\\a.ace";
  unstartable.insert("makeace");
  TexProcClick(*main);
  EXPECT_EQ(Logged(), Lines{"Unable to start makeace.exe"});
}

// A texture's source proposes its output; models keep their names only.
TEST_F(TexturesTest, BrowsingForSourcesTakesTheirNames) {
  files.Add("C:\\models\\house1.3ds", "");
  ui.opened = {{"C:\\pics\\a.tga"},
               {"C:\\models\\house1.3ds", "C:\\elsewhere\\gone.3ds", "C:\\models\\big hut.3ds"}};
  TexBrowseClick(*main);
  ShIBrowseClick(*main);
  EXPECT_EQ(main->fields.TexOutput, "C:\\pics\\a.ace");
  EXPECT_EQ(main->fields.ShInput, " house1.3ds gone.3ds \"big hut.3ds\" ");
  EXPECT_TRUE(ui.file_dialogs.at(1).multiple);
}

// The texture's and the shape's output: a cancelled dialog keeps the field.
TEST_F(TexturesTest, BrowsingForAnOutputAsksBeforeReplacing) {
  ui.saved = {std::string("C:\\out\\b.ace"), std::nullopt, std::string("C:\\out\\b.s")};
  for (auto click : {TexOutClick, TexOutClick, ShBrowseClick, ShBrowseClick}) click(*main);
  EXPECT_EQ(main->fields.TexOutput, "C:\\out\\b.ace");
  EXPECT_EQ(main->fields.ShOutput, "C:\\out\\b.s");
  ASSERT_EQ(ui.file_dialogs.size(), 4u);
  for (const core::FileDialog& dialog : ui.file_dialogs) EXPECT_TRUE(dialog.confirm_overwrite);
  EXPECT_EQ(ui.file_dialogs[0].default_extension, "ace");
  EXPECT_EQ(ui.file_dialogs[2].default_extension, "s");
}

TEST_F(TexturesTest, AFolderBatchConvertsTargasThenBitmaps) {
  files.Add("C:\\pics\\b c.bmp", "bmp");  // a blank: one argument, quoted
  files.Add("C:\\pics\\A.TGA", "tga");
  files.Add("C:\\pics\\notes.txt", "txt");
  files.Add("C:\\pics\\what?.tga", "tga");
  ui.folders = {std::nullopt, std::string("C:\\pics")};
  BtTex1Click(*main);
  BtTex1Click(*main);
  EXPECT_EQ(ui.folder_initials, (Lines{"", ""}));
  EXPECT_EQ(Runs(), (Lines{"C:\\MSTS\\UTILS\\makeace.exe A.TGA \"C:\\pics\\A.ace\" -zlib | C:\\pics",
                           "C:\\MSTS\\UTILS\\makeace.exe \"b c.bmp\" \"C:\\pics\\b c.ace\" -zlib | C:\\pics"}));
  EXPECT_EQ(Logged(), (Lines{"Texture C:\\pics\\A.TGA: conversion successful",
                             "Skipped what?.tga: not a file name Windows can hold",
                             "Texture C:\\pics\\b c.bmp: conversion successful"}));
}

}  // namespace
}  // namespace convert
