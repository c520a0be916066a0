#include "convert/textures.h"

#include "convert/convert_fixture.h"

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

TEST_F(TexturesTest, TheCommandLineCarriesTheOptionsInTheirOrder) {
  struct Case {
    bool trans;
    bool cab;
    core::Compression compression;
    std::string options;
  };
  const Case cases[] = {
      {false, false, core::Compression::kNone, ""},
      {false, false, core::Compression::kNo, ""},
      {false, false, core::Compression::kZlib, " -zlib"},
      {false, false, core::Compression::kDxt, " -dxt"},
      {true, false, core::Compression::kZlib, " -trans -zlib"},
      {false, true, core::Compression::kNone, " -bmp -width:(256) -height:(128)"},
      {true, true, core::Compression::kZlib, " -trans -bmp -width:(256) -height:(128) -zlib"},
      {true, true, core::Compression::kDxt, " -trans -bmp -width:(256) -height:(128) -dxt"},
  };
  main->fields.TexWidth = "256";
  main->fields.TexHeight = "128";
  for (const Case& c : cases) {
    processes.runs.clear();
    main->fields.TexTrans = c.trans;
    main->fields.TexCab = c.cab;
    main->fields.TexCompression = c.compression;
    TexProcClick(*main);
    EXPECT_EQ(Runs(), Lines{"C:\\MSTS\\UTILS\\makeace.exe a.tga \"C:\\out\\a.ace\"" + c.options +
                            " | C:\\models\\tex"});
  }
}

TEST_F(TexturesTest, SizesArePassedAsTypedAndTheToolNameFollowsItsField) {
  main->fields.TexCab = true;
  main->fields.TexWidth = "";
  main->fields.TexHeight = " 64";
  main->SetConTexV("makeace2.exe");
  files.Add("C:\\MSTS\\UTILS\\makeace2.exe", "MZ");
  TexProcClick(*main);
  EXPECT_EQ(Runs(), Lines{"C:\\MSTS\\UTILS\\makeace2.exe a.tga \"C:\\out\\a.ace\" -bmp -width:() "
                          "-height:( 64) -zlib | C:\\models\\tex"});
}

TEST_F(TexturesTest, SuccessIsLoggedOnlyWhenTheOutputWasWritten) {
  TexProcClick(*main);
  EXPECT_NE(files.Content("C:\\out\\a.ace"), "<missing>");
  broken.insert("makeace");
  files.Add("C:\\out\\old.ace", "old");
  main->fields.TexOutput = "C:\\out\\old.ace";
  TexProcClick(*main);
  EXPECT_EQ(Logged(), (Lines{"Texture C:\\models\\tex\\a.tga: conversion successful",
                             "makeace: failed",
                             "Texture C:\\models\\tex\\a.tga: conversion failed, no output file"}));
  EXPECT_EQ(files.Content("C:\\out\\old.ace"), "old");
}

TEST_F(TexturesTest, AToolThatCannotStartIsNamedInTheLog) {
  unstartable.insert("makeace");
  TexProcClick(*main);
  EXPECT_EQ(Logged(), Lines{"Unable to start makeace.exe"});
}

TEST_F(TexturesTest, ARelativeOutputIsJudgedInTheSourcesFolder) {
  main->fields.TexOutput = "a.ace";
  TexProcClick(*main);
  EXPECT_NE(files.Content("C:\\models\\tex\\a.ace"), "<missing>");
  EXPECT_EQ(Logged(), Lines{"Texture C:\\models\\tex\\a.tga: conversion successful"});
}

TEST_F(TexturesTest, RussianLines) {
  main->language.SetTexts(core::kRussian);
  TexProcClick(*main);
  broken.insert("makeace");
  TexProcClick(*main);
  EXPECT_EQ(Logged(),
            (Lines{"Текстура C:\\models\\tex\\a.tga: конвертация успешна", "makeace: failed",
                   "Текстура C:\\models\\tex\\a.tga: ошибка конвертации, конечный файл не создан"}));
}

TEST_F(TexturesTest, MissingInputsWarnAndRunNothing) {
  files.DeleteFile("C:\\MSTS\\UTILS\\txt2uni.exe");
  TexProcClick(*main);
  files.Add("C:\\MSTS\\UTILS\\txt2uni.exe", "MZ");
  main->fields.TexOutput = "";
  TexProcClick(*main);
  main->fields.TexSource = "";
  TexProcClick(*main);
  EXPECT_EQ(ui.shown, (Lines{"Warning: Unable to find txt2uni.exe", "Warning: Select output file",
                             "Warning: Select texture source file"}));
  EXPECT_TRUE(processes.runs.empty());
  EXPECT_TRUE(Logged().empty());
}

TEST_F(TexturesTest, ASourceThatCannotBeFoundIsSkippedSilently) {
  main->fields.TexSource = "C:\\models\\tex\\missing.tga";
  TexProcClick(*main);
  main->fields.TexSource = "C:\\nowhere\\a.tga";
  TexProcClick(*main);
  EXPECT_TRUE(processes.runs.empty());
  EXPECT_TRUE(Logged().empty());
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(TexturesTest, AFolderNamedLikeAnImageIsPassedWithAnEmptyName) {
  files.AddFolder("C:\\models\\x.tga");
  main->fields.TexSource = "C:\\models\\x.tga";
  main->fields.TexOutput = "C:\\models\\x.ace";
  broken.insert("makeace");
  TexProcClick(*main);
  EXPECT_EQ(Runs(), Lines{"C:\\MSTS\\UTILS\\makeace.exe  \"C:\\models\\x.ace\" -zlib | C:\\models\\x.tga"});
}

TEST_F(TexturesTest, BrowsingForTheSourceProposesTheOutput) {
  ui.opened = {{"C:\\pics\\a.tga"}, {"C:\\pics\\b.jpeg"}, {"tga"}, {}};
  TexBrowseClick(*main);
  EXPECT_EQ(main->fields.TexOutput, "C:\\pics\\a.ace");
  // Four characters go, whatever the extension.
  TexBrowseClick(*main);
  EXPECT_EQ(main->fields.TexSource, "C:\\pics\\b.jpeg");
  EXPECT_EQ(main->fields.TexOutput, "C:\\pics\\b..ace");
  TexBrowseClick(*main);
  EXPECT_EQ(main->fields.TexOutput, ".ace");
  TexBrowseClick(*main);
  EXPECT_EQ(main->fields.TexSource, "tga");
  ASSERT_EQ(ui.file_dialogs.size(), 4u);
  EXPECT_EQ(ui.file_dialogs[0].filter, "Targa Bitmap(*.tga)|*.tga|Bitmap(*.bmp)|*.bmp");
  EXPECT_FALSE(ui.file_dialogs[0].multiple);
}

TEST_F(TexturesTest, BrowsingForTheOutputAsksBeforeReplacing) {
  ui.saved = {std::string("C:\\out\\b.ace")};
  TexOutClick(*main);
  TexOutClick(*main);
  EXPECT_EQ(main->fields.TexOutput, "C:\\out\\b.ace");
  ASSERT_EQ(ui.file_dialogs.size(), 2u);
  EXPECT_EQ(ui.file_dialogs[0].filter, "MSTS Texture(*.ace)|*.ace");
  EXPECT_EQ(ui.file_dialogs[0].default_extension, "ace");
  EXPECT_TRUE(ui.file_dialogs[0].confirm_overwrite);
}

TEST_F(TexturesTest, TheSizeFrameFollowsTheBitmapSwitch) {
  main->fields.TexCab = true;
  TexCabClick(*main);
  EXPECT_TRUE(main->fields.GroupBox3Enabled);
  main->fields.TexCab = false;
  TexCabClick(*main);
  EXPECT_FALSE(main->fields.GroupBox3Enabled);
}

TEST_F(TexturesTest, AFolderBatchConvertsTargasThenBitmaps) {
  files.Add("C:\\pics\\b.bmp", "bmp");
  files.Add("C:\\pics\\a.bmp", "bmp");
  files.Add("C:\\pics\\A.TGA", "tga");
  files.Add("C:\\pics\\notes.txt", "txt");
  files.Add("C:\\pics\\what?.tga", "tga");
  ui.folders = {std::string("C:\\pics"), std::nullopt};
  BtTex1Click(*main);
  BtTex1Click(*main);
  EXPECT_EQ(ui.shown, (Lines{"Folder: Select convert directory", "Folder: Select convert directory"}));
  EXPECT_EQ(ui.folder_initials, (Lines{"", ""}));
  EXPECT_EQ(Runs(), (Lines{"C:\\MSTS\\UTILS\\makeace.exe A.TGA \"C:\\pics\\A.ace\" -zlib | C:\\pics",
                           "C:\\MSTS\\UTILS\\makeace.exe a.bmp \"C:\\pics\\a.ace\" -zlib | C:\\pics",
                           "C:\\MSTS\\UTILS\\makeace.exe b.bmp \"C:\\pics\\b.ace\" -zlib | C:\\pics"}));
  EXPECT_EQ(Logged(), (Lines{"Texture C:\\pics\\A.TGA: conversion successful",
                             "Skipped what?.tga: not a file name Windows can hold",
                             "Texture C:\\pics\\a.bmp: conversion successful",
                             "Texture C:\\pics\\b.bmp: conversion successful"}));
}

}  // namespace
}  // namespace convert
