// The console's conversion commands end to end: the built rastolin against
// the stand-in SDK tools in a fixture installation.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/text.h"
#include "tests/standin/three_ds.h"
#include "tests/support/run_program.h"
#include "tests/support/standin_log.h"
#include "tests/support/temp_prefix.h"
#include "tests/support/msts_text.h"

namespace fs = std::filesystem;
using test_support::ProgramRun;
using test_support::StandinRun;

namespace {

using Runs = std::vector<StandinRun>;

const std::string kBanner = "Rastolin v1.2b - console.\nEnter 'help' or '/?' for help\n";
const std::string kPrompt = "Enter new command('q' for exit):\n$ ";
const std::string kPressAnyKey = "Press any key..";
const std::string kTga("TGA\0\x10\x10 pixels", 13);
const std::string kBmp = "BM bitmap";


// The shape text the stand-in conv3ds writes for these images, with the
// mip-map bias of its texture entries.
std::string ShapeText(const std::vector<std::string>& images, const std::string& bias = "0") {
  const std::string count = std::to_string(images.size());
  std::string text =
      "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n"
      "\tshape_header ( 00000000 00000000 )\r\n"
      "\tvolumes ( 1\r\n\t\tvol_sphere (\r\n\t\t\tvector ( 0 0 0 ) 1\r\n\t\t)\r\n\t)\r\n"
      "\tshader_names ( 1\r\n\t\tnamed_shader ( TexDiff )\r\n\t)\r\n"
      "\ttexture_filter_names ( 1\r\n\t\tnamed_filter_mode ( MipLinear )\r\n\t)\r\n"
      "\tpoints ( 1\r\n\t\tpoint ( 0 0 0 )\r\n\t)\r\n"
      "\tuv_points ( 1\r\n\t\tuv_point ( 0 0 )\r\n\t)\r\n"
      "\tnormals ( 1\r\n\t\tvector ( 0 1 0 )\r\n\t)\r\n"
      "\tmatrices ( 1\r\n\t\tmatrix MAIN ( 1 0 0 0 1 0 0 0 1 0 0 0 )\r\n\t)\r\n";
  text += "\timages ( " + count + "\r\n";
  for (const std::string& image : images) text += "\t\timage ( " + image + " )\r\n";
  text += "\t)\r\n\ttextures ( " + count + "\r\n";
  for (size_t i = 0; i < images.size(); ++i)
    text += "\t\ttexture ( " + std::to_string(i) + " 0 " + bias + " ff000000 )\r\n";
  text +=
      "\t)\r\n\tlight_materials ( 0 )\r\n\tlod_controls ( 1\r\n\t\tlod_control (\r\n"
      "\t\t\tdistance_levels_header ( 0 )\r\n\t\t\tdistance_levels ( 1\r\n"
      "\t\t\t\tdistance_level (\r\n\t\t\t\t\tdistance_level_header (\r\n"
      "\t\t\t\t\t\tdlevel_selection ( 2000 )\r\n\t\t\t\t\t\thierarchy ( 1 -1 )\r\n"
      "\t\t\t\t\t)\r\n\t\t\t\t\tsub_objects ( 0 )\r\n\t\t\t\t)\r\n\t\t\t)\r\n\t\t)\r\n\t)\r\n)\r\n";
  return text;
}

class ConvertEndToEnd : public ::testing::Test {
 protected:
  ConvertEndToEnd() {
    for (const char* tool : {"makeace", "conv3ds", "txt2uni"})
      Install(tool, std::string("C:\\MSTS\\UTILS\\") + tool + ".exe");
    Install("ffeditc_unicode", "C:\\MSTS\\UTILS\\FFEDIT\\ffeditc_unicode.exe");
    Settings("1");
  }

  void Install(const std::string& tool, const std::string& windows_path) {
    prefix.MakeFolder(windows_path.substr(0, windows_path.rfind('\\')));
    fs::copy_file(test_support::StandinFolder() / (tool + ".exe"), prefix.Host(windows_path));
  }
  void Settings(const std::string& language) {
    prefix.Write("C:\\work\\conv.ini",
                 prefix.ToProgram("[INF]\r\nLANGUAGE=" + language +
                                  "\r\n[PATHS]\r\nUTILS=C:\\MSTS\\UTILS\r\nROOT=C:\\MSTS\r\n"));
  }
  void Models(const std::vector<std::pair<std::string, std::vector<std::string>>>& models) {
    for (const auto& [name, textures] : models)
      prefix.Write("C:\\models\\" + name, standin::Make3ds(textures));
  }

  // One console command from the command line.
  ProgramRun Command(const std::string& command) { return Run({command}, "\n"); }
  // An interactive console over the lines, then "q".
  ProgramRun Interactive(const std::string& lines) { return Run({"-console"}, lines + "q\n"); }
  ProgramRun Run(const std::vector<std::string>& args, const std::string& input) {
    return test_support::RunInPrefix(prefix, args, "C:\\work", input);
  }
  Runs ToolRuns() const { return test_support::ReadStandinLog(prefix); }
  bool Exists(const std::string& windows_path) const {
    return fs::exists(prefix.Host(windows_path));
  }
  std::vector<std::string> EditorFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(prefix.Host("C:\\MSTS\\UTILS\\FFEDIT")))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  test_support::TempPrefix prefix;
};

TEST_F(ConvertEndToEnd, MakeaceComposesEveryOptionCombinationAndKeepsBmpSticky) {
  prefix.Write("C:\\tex\\a.tga", kTga);
  ProgramRun run = Interactive(
      "makeace(-dir=c:\\tex) a.tga\n"
      "makeace(-dir=c:\\tex;-zlib) a.tga\n"
      "makeace(-dir=c:\\tex;-no) a.tga\n"
      "makeace(-dir=c:\\tex;-dxt) a.tga\n"
      "makeace(-dir=c:\\tex;-zlib;-dxt) a.tga\n"
      "makeace(-dir=c:\\tex;-no;-zlib) a.tga\n"
      "makeace(-dir=c:\\tex;-trans;-zlib) a.tga\n"
      "makeace(-dir=c:\\tex;-trans;-bmp;-width=256;-height=128;-dxt) a.tga\n"
      "makeace(-dir=c:\\tex) a.tga\n"
      "makeace(-dir=c:\\tex;-bmp;-trans;-zlib) a.tga\n");
  EXPECT_EQ(run.exit_code, 1);

  const std::string line = "Texture c:\\tex\\a.tga: conversion successful\n" + kPrompt;
  std::string expected = kBanner + kPrompt;
  for (int i = 0; i < 10; ++i) expected += line;
  EXPECT_EQ(run.output, expected);

  const std::vector<std::vector<std::string>> options = {
      {},
      {"-zlib"},
      {},
      {"-dxt"},
      {"-dxt"},
      {},
      {"-trans", "-zlib"},
      {"-trans", "-bmp", "-width:(256)", "-height:(128)", "-dxt"},
      {"-bmp", "-width:(256)", "-height:(128)"},
      {"-trans", "-bmp", "-width:()", "-height:()", "-zlib"},
  };
  Runs expected_runs;
  for (const auto& extra : options) {
    StandinRun makeace{"makeace", "C:\\tex", {"a.tga", "c:\\tex\\a.ace"}};
    makeace.args.insert(makeace.args.end(), extra.begin(), extra.end());
    expected_runs.push_back(makeace);
  }
  EXPECT_EQ(ToolRuns(), expected_runs);
  EXPECT_EQ(prefix.Read("C:\\tex\\a.ace"),
            "SIMISA@@@@@@@@@@options -trans -bmp -width:() -height:() -zlib\r\n" + kTga);
}

TEST_F(ConvertEndToEnd, MakeaceTakesNamesFromTheCurrentFolderWithoutDir) {
  prefix.Write("C:\\work\\Brick.TGA", kTga);
  prefix.Write("C:\\work\\sub\\roof.tga", kTga);
  ProgramRun run = Command("makeace(-zlib) brick.tga;sub\\roof.tga");
  EXPECT_EQ(ToolRuns(), (Runs{{"makeace", "C:\\work", {"brick.tga", "brick.ace", "-zlib"}},
                              {"makeace", "C:\\work\\sub", {"roof.tga", "sub\\roof.ace", "-zlib"}}}));
  // The relative output is taken from the source's folder, where sub\ does not exist.
  EXPECT_EQ(run.output, kBanner +
                            "Texture brick.tga: conversion successful\n"
                            "makeace: cannot write sub\\roof.ace\n"
                            "Texture sub\\roof.tga: conversion failed, no output file\n" +
                            kPressAnyKey);
  EXPECT_EQ(prefix.Read("C:\\work\\brick.ace"), "SIMISA@@@@@@@@@@options -zlib\r\n" + kTga);
  EXPECT_FALSE(Exists("C:\\work\\sub\\roof.ace"));
}

TEST_F(ConvertEndToEnd, AMissingSourceIsSkippedAndAFailingToolIsReported) {
  prefix.Write("C:\\tex\\a.tga", kTga);
  ProgramRun run = Command("makeace(-dir=c:\\tex;-bmp;-width=2 5;-height=8) missing.tga;a.tga");
  EXPECT_EQ(ToolRuns(), (Runs{{"makeace", "C:\\tex",
                               {"a.tga", "c:\\tex\\a.ace", "-bmp", "-width:(2", "5)",
                                "-height:(8)"}}}));
  EXPECT_EQ(run.output, kBanner +
                            "makeace: -bmp needs -width:(W) -height:(H)\n"
                            "Texture c:\\tex\\a.tga: conversion failed, no output file\n" +
                            kPressAnyKey);
  EXPECT_FALSE(Exists("C:\\tex\\a.ace"));
}

TEST_F(ConvertEndToEnd, MakeacedirConvertsTargasThenBitmaps) {
  prefix.Write("C:\\tex\\b.tga", kTga);
  prefix.Write("C:\\tex\\A.tga", kTga);
  prefix.Write("C:\\tex\\a.bmp", kBmp);
  prefix.Write("C:\\tex\\notes.txt", "");
  ProgramRun run = Command("makeacedir(-dir=c:\\tex;-dxt)");
  EXPECT_EQ(run.output, kBanner +
                            "c:\\tex\\A.tga\nTexture c:\\tex\\A.tga: conversion successful\n"
                            "c:\\tex\\b.tga\nTexture c:\\tex\\b.tga: conversion successful\n"
                            "c:\\tex\\a.bmp\nTexture c:\\tex\\a.bmp: conversion successful\n" +
                            kPressAnyKey);
  EXPECT_EQ(ToolRuns(), (Runs{{"makeace", "C:\\tex", {"A.tga", "c:\\tex\\A.ace", "-dxt"}},
                              {"makeace", "C:\\tex", {"b.tga", "c:\\tex\\b.ace", "-dxt"}},
                              {"makeace", "C:\\tex", {"a.bmp", "c:\\tex\\a.ace", "-dxt"}}}));
  // The bitmap came last and holds the one a.ace.
  EXPECT_EQ(prefix.Read("C:\\tex\\A.ace"), "SIMISA@@@@@@@@@@options -dxt\r\n" + kBmp);
  EXPECT_EQ(prefix.Read("C:\\tex\\b.ace"), "SIMISA@@@@@@@@@@options -dxt\r\n" + kTga);
}

TEST_F(ConvertEndToEnd, ShapeGathersNumberedModelsSetsTheBiasAndMakesUnicode) {
  Models({{"house1.3ds", {"brick.tga"}},
          {"House2.3DS", {"roof.tga", "brick.tga"}},
          {"housex.3ds", {"x.tga"}},
          {"house.3ds", {"x.tga"}},
          {"wall7.3ds", {"brick.tga"}}});
  ProgramRun run = Interactive(
      "shape(-dir=c:\\models\\;-mip=-3) house house.s; wall w\n"
      "shape(-dir=c:\\models) wall wall.s\n");
  EXPECT_EQ(run.output, kBanner + kPrompt +
                            "house1.3ds\nHouse2.3DS\n"
                            "Shape c:\\models\\house.s: conversion successful\n"
                            "Shape c:\\models\\house.s converted to Unicode\n"
                            "wall7.3ds\n"
                            "Shape c:\\models\\w: conversion successful\n"
                            "Shape c:\\models\\w converted to Unicode\n" +
                            kPrompt +
                            "wall7.3ds\n"
                            "Shape c:\\models\\wall.s: conversion successful\n"
                            "Shape c:\\models\\wall.s converted to Unicode\n" +
                            kPrompt);
  EXPECT_EQ(ToolRuns(),
            (Runs{{"conv3ds", "C:\\models", {"c:\\models\\house.s", "house1.3ds", "house2.3ds"}},
                  {"txt2uni", "C:\\models", {"house.s"}},
                  {"conv3ds", "C:\\models", {"c:\\models\\w", "wall7.3ds"}},
                  {"txt2uni", "C:\\models", {"w"}},
                  {"conv3ds", "C:\\models", {"c:\\models\\wall.s", "wall7.3ds"}},
                  {"txt2uni", "C:\\models", {"wall.s"}}}));
  EXPECT_EQ(prefix.Read("C:\\models\\house.s"),
            test_support::UnicodeFile(ShapeText({"brick.ace", "roof.ace"}, "-3")));
  EXPECT_EQ(prefix.Read("C:\\models\\w"), test_support::UnicodeFile(ShapeText({"brick.ace"}, "-3")));
  // The bias stays in force for a later command without -mip.
  EXPECT_EQ(prefix.Read("C:\\models\\wall.s"), test_support::UnicodeFile(ShapeText({"brick.ace"}, "-3")));
}

TEST_F(ConvertEndToEnd, AMipMapBiasThatIsNotANumberIsRefusedBeforeAnythingRuns) {
  Models({{"house1.3ds", {"brick.tga"}}});
  ProgramRun run = Interactive("shape(-dir=c:\\models;-mip=abc) house house.s\nshapedir(-dir=c:\\models;-mip=1x)\n");
  EXPECT_EQ(run.output, kBanner + kPrompt + kPrompt + kPrompt);
  EXPECT_EQ(run.errors, "shape: Mip-map bias \"abc\" is not a number such as -2 or 0.5\n"
                        "shapedir: Mip-map bias \"1x\" is not a number such as -2 or 0.5\n");
  EXPECT_TRUE(ToolRuns().empty());
  EXPECT_FALSE(Exists("C:\\models\\house.s"));
}

TEST_F(ConvertEndToEnd, ShapedirMakesOneShapePerStem) {
  Models({{"house.3ds", {"brick.tga"}},
          {"house1.3ds", {"roof.tga"}},
          {"house2.3ds", {"Window.tga", "brick.tga"}},
          {"wall.3ds", {"brick.tga"}},
          {"12.3ds", {"x.tga"}}});
  ProgramRun run = Command("shapedir(-dir=c:\\models)");
  EXPECT_EQ(run.output, kBanner +
                            "house.3ds house1.3ds house2.3ds \n"
                            "Shape c:\\models\\house.s: conversion successful\n"
                            "Shape c:\\models\\house.s converted to Unicode\n"
                            "wall.3ds \n"
                            "Shape c:\\models\\wall.s: conversion successful\n"
                            "Shape c:\\models\\wall.s converted to Unicode\n" +
                            kPressAnyKey);
  EXPECT_EQ(ToolRuns(),
            (Runs{{"conv3ds", "C:\\models",
                   {"c:\\models\\house.s", "house.3ds", "house1.3ds", "house2.3ds"}},
                  {"txt2uni", "C:\\models", {"house.s"}},
                  {"conv3ds", "C:\\models", {"c:\\models\\wall.s", "wall.3ds"}},
                  {"txt2uni", "C:\\models", {"wall.s"}}}));
  EXPECT_EQ(prefix.Read("C:\\models\\house.s"),
            test_support::UnicodeFile(ShapeText({"brick.ace", "roof.ace", "Window.ace"})));
  EXPECT_EQ(prefix.Read("C:\\models\\wall.s"), test_support::UnicodeFile(ShapeText({"brick.ace"})));
  EXPECT_FALSE(Exists("C:\\models\\.s"));
}

TEST_F(ConvertEndToEnd, BinaryOutputGoesThroughACopyThatIsRemovedAfterwards) {
  Models({{"house1.3ds", {"brick.tga"}}, {"wall.3ds", {"brick.tga"}}});
  ProgramRun run = Command("shapedir(-dir=c:\\models;-b)");
  EXPECT_EQ(run.output, kBanner +
                            "house1.3ds \n"
                            "Shape c:\\models\\house.s: conversion successful\n"
                            "Shape c:\\models\\house.s converted to Unicode\n"
                            "Shape c:\\models\\house.s converted to binary\n"
                            "wall.3ds \n"
                            "Shape c:\\models\\wall.s: conversion successful\n"
                            "Shape c:\\models\\wall.s converted to Unicode\n"
                            "Shape c:\\models\\wall.s converted to binary\n" +
                            kPressAnyKey);
  EXPECT_EQ(ToolRuns(),
            (Runs{{"conv3ds", "C:\\models", {"c:\\models\\house.s", "house1.3ds"}},
                  {"txt2uni", "C:\\models", {"house.s"}},
                  {"ffeditc_unicode", "C:\\MSTS\\UTILS\\FFEDIT", {"house.s", "/c", "/o:house.s"}},
                  {"conv3ds", "C:\\models", {"c:\\models\\wall.s", "wall.3ds"}},
                  {"txt2uni", "C:\\models", {"wall.s"}},
                  {"ffeditc_unicode", "C:\\MSTS\\UTILS\\FFEDIT", {"wall.s", "/c", "/o:wall.s"}}}));
  for (const char* shape : {"C:\\models\\house.s", "C:\\models\\wall.s"}) {
    std::string bytes = prefix.Read(shape);
    EXPECT_EQ(bytes.substr(0, 8), "SIMISA@F") << shape;
    EXPECT_EQ(bytes.substr(12, 4), "@@@@") << shape;
  }
  EXPECT_EQ(EditorFolder(), std::vector<std::string>{"ffeditc_unicode.exe"});
}

TEST_F(ConvertEndToEnd, AUsersFileInTheEditorFolderIsLeftAlone) {
  Models({{"wall.3ds", {"brick.tga"}}});
  prefix.Write("C:\\MSTS\\UTILS\\FFEDIT\\Wall.s", "the user's own wall");
  ProgramRun run = Command("shapedir(-dir=c:\\models;-b)");
  EXPECT_EQ(ToolRuns().back(), (StandinRun{"ffeditc_unicode", "C:\\MSTS\\UTILS\\FFEDIT",
                                           {"wall_1.s", "/c", "/o:wall_1.s"}}));
  EXPECT_NE(run.output.find("Shape c:\\models\\wall.s converted to binary\n"), std::string::npos);
  EXPECT_EQ(prefix.Read("C:\\MSTS\\UTILS\\FFEDIT\\Wall.s"), "the user's own wall");
  EXPECT_EQ(EditorFolder(), (std::vector<std::string>{"Wall.s", "ffeditc_unicode.exe"}));
  EXPECT_EQ(prefix.Read("C:\\models\\wall.s").substr(0, 8), "SIMISA@F");
}

TEST_F(ConvertEndToEnd, AMissingUtilityIsNamedAndNothingRuns) {
  Models({{"wall.3ds", {"brick.tga"}}});
  prefix.Write("C:\\tex\\a.tga", kTga);
  fs::remove(prefix.Host("C:\\MSTS\\UTILS\\conv3ds.exe"));
  ProgramRun run = Interactive("shapedir(-dir=c:\\models)\nmakeace(-dir=c:\\tex) a.tga\n");
  EXPECT_EQ(run.output, kBanner + kPrompt + "wall.3ds \nWarning: Unable to find conv3ds.exe\n" +
                            kPrompt + "Warning: Unable to find conv3ds.exe\n" + kPrompt);
  fs::remove(prefix.Host("C:\\MSTS\\UTILS\\makeace.exe"));
  fs::remove(prefix.Host("C:\\MSTS\\UTILS\\txt2uni.exe"));
  Install("conv3ds", "C:\\MSTS\\UTILS\\conv3ds.exe");
  run = Command("makeace(-dir=c:\\tex) a.tga");
  EXPECT_EQ(run.output, kBanner + "Warning: Unable to find txt2uni.exe\n" + kPressAnyKey);
  EXPECT_TRUE(ToolRuns().empty());
}

TEST_F(ConvertEndToEnd, AMissingEditorToolIsLoggedAndTheShapeStaysUnicode) {
  Models({{"wall.3ds", {"brick.tga"}}});
  fs::remove(prefix.Host("C:\\MSTS\\UTILS\\FFEDIT\\ffeditc_unicode.exe"));
  ProgramRun run = Command("shapedir(-dir=c:\\models;-b)");
  EXPECT_EQ(run.output, kBanner +
                            "wall.3ds \n"
                            "Shape c:\\models\\wall.s: conversion successful\n"
                            "Shape c:\\models\\wall.s converted to Unicode\n"
                            "Unable to find ffeditc_unicode\n" +
                            kPressAnyKey);
  EXPECT_EQ(prefix.Read("C:\\models\\wall.s"), test_support::UnicodeFile(ShapeText({"brick.ace"})));
}

TEST_F(ConvertEndToEnd, AShapeToolFailureStopsThatShapeOnly) {
  Models({{"house.3ds", {"brick.tga"}}, {"wall.3ds", {"brick.tga"}}});
  prefix.Write("C:\\models\\house1.3ds", "not a model");
  prefix.Write("C:\\models\\house.s", "an older house");
  ProgramRun run = Command("shapedir(-dir=c:\\models;-b)");
  EXPECT_EQ(run.output, kBanner +
                            "house.3ds house1.3ds \n"
                            "conv3ds: house1.3ds is not a 3DS file\n"
                            "Shape c:\\models\\house.s: conversion failed, no output file\n"
                            "wall.3ds \n"
                            "Shape c:\\models\\wall.s: conversion successful\n"
                            "Shape c:\\models\\wall.s converted to Unicode\n"
                            "Shape c:\\models\\wall.s converted to binary\n" +
                            kPressAnyKey);
  EXPECT_EQ(prefix.Read("C:\\models\\house.s"), "an older house");
  EXPECT_EQ(ToolRuns().size(), 4u);
}

TEST_F(ConvertEndToEnd, RussianLinesAndTheLanguageSwitch) {
  Settings("0");
  Models({{"wall.3ds", {"brick.tga"}}});
  prefix.Write("C:\\tex\\a.tga", kTga);
  ProgramRun run = Interactive(
      "shapedir(-dir=c:\\models;-b)\n"
      "makeace(-dir=c:\\tex) a.tga;missing.tga\n"
      "changelang(1)\n"
      "makeace(-dir=c:\\tex) a.tga\n");
  EXPECT_EQ(run.output, kBanner + kPrompt +
                            "wall.3ds \n"
                            "Шейп c:\\models\\wall.s: конвертация успешна\n"
                            "Шейп c:\\models\\wall.s конвертирован в Юникод\n"
                            "Shape c:\\models\\wall.s converted to binary\n" +
                            kPrompt + "Текстура c:\\tex\\a.tga: конвертация успешна\n" + kPrompt +
                            kPrompt + "Texture c:\\tex\\a.tga: conversion successful\n" + kPrompt);
  fs::remove(prefix.Host("C:\\MSTS\\UTILS\\txt2uni.exe"));
  run = Command("makeace(-dir=c:\\tex) a.tga");
  EXPECT_EQ(run.output, kBanner + "Warning: Невозможно найти txt2uni.exe\n" + kPressAnyKey);
}

TEST_F(ConvertEndToEnd, ARussianFailureLine) {
  Settings("0");
  Models({{"wall.3ds", {"brick.tga"}}});
  prefix.Write("C:\\models\\wall1.3ds", "not a model");
  ProgramRun run = Command("shape(-dir=c:\\models) wall wall.s");
  EXPECT_EQ(run.output, kBanner +
                            "wall1.3ds\n"
                            "conv3ds: wall1.3ds is not a 3DS file\n"
                            "Шейп c:\\models\\wall.s: ошибка конвертации, конечный файл не создан\n" +
                            kPressAnyKey);
}

}  // namespace
