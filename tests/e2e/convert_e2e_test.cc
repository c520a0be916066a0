// The console's conversion commands end to end: the built rastolin against
// the stand-in SDK tools in a fixture installation.
#include <set>

#include "formats/ace.h"
#include "platform/text.h"
#include "tests/e2e/end_to_end.h"
#include "demo/three_ds.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_image.h>

namespace fs = std::filesystem;
using test_support::StandinRun;

namespace e2e {
namespace {

using Runs = std::vector<StandinRun>;

// A 2x2 TGA, rows from the top: red and green, then transparent blue and
// white.
const std::string kTga = std::string("\0\0\2\0\0\0\0\0\0\0\0\0\2\0\2\0\x20\x28", 18) +
                         std::string("\0\0\xFF\xFF\0\xFF\0\xFF\xFF\0\0\0\xFF\xFF\xFF\xFF", 16);
const std::vector<uint8_t> kPixels = {255, 0, 0,   255, 0,   255, 0,   255,
                                      0,   0, 255, 0,   255, 255, 255, 255};

class ConvertEndToEnd : public EndToEnd {
 protected:
  ConvertEndToEnd() {
    InstallTools();
    Settings("1");
  }

  void Models(const std::vector<std::pair<std::string, std::vector<std::string>>>& models) {
    for (const auto& [name, textures] : models)
      prefix.Write("C:\\models\\" + name, standin::Make3ds(textures));
  }

  ProgramRun Command(const std::string& command) { return Run({command}); }
  Runs ToolRuns() const { return test_support::ReadStandinLog(prefix); }
  // The text of a Unicode file; empty for any other.
  std::string UnicodeText(const std::string& windows_path) const {
    const std::string bytes = Read(windows_path);
    return bytes.starts_with("\xFF\xFE") ? platform::Utf16LeToUtf8(bytes.substr(2)) : "";
  }
  // Whether a texture holds kTga's pixels, told apart by a mask or not.
  void ExpectTexture(const std::string& windows_path, bool compressed, bool mask) const {
    const std::string bytes = Read(windows_path);
    const formats::AceTexture texture(bytes);
    ASSERT_EQ(texture.fault(), formats::AceFault::kNone) << windows_path;
    EXPECT_EQ(texture.compressed(), compressed) << windows_path;
    EXPECT_EQ(texture.header().Has(formats::AceKind::kMask), mask) << windows_path;
    std::vector<uint8_t> pixels = kPixels;
    if (!mask) pixels[11] = 255;
    EXPECT_EQ(texture.Decode(0).pixels, pixels) << windows_path;
  }
};

TEST_F(ConvertEndToEnd, MakeaceComposesTheOptionsAndKeepsBmpSticky) {
  prefix.Write("C:\\tex\\a.tga", kTga);
  ProgramRun run = Interactive(
      "makeace(-dir=c:\\tex) a.tga\n"
      "makeace(-dir=c:\\tex;-zlib;-dxt) a.tga\n"
      "makeace(-dir=c:\\tex;-no;-zlib) a.tga\n"
      "makeace(-dir=c:\\tex;-trans;-bmp;-width=256;-height=128;-dxt) a.tga\n"
      "makeace(-dir=c:\\tex) a.tga\n"
      "makeace(-dir=c:\\tex;-bmp;-trans;-zlib) a.tga\n");
  EXPECT_EQ(run.exit_code, 1);

  const std::string line = "Texture c:\\tex\\a.tga: conversion successful\n" + kPrompt;
  std::string expected = kBanner + kPrompt;
  for (int i = 0; i < 6; ++i) expected += line;
  EXPECT_EQ(run.output, expected);

  const std::vector<std::vector<std::string>> options = {
      {},
      {"-dxt"},
      {},
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
  ExpectTexture("C:\\tex\\a.ace", true, true);
}

TEST_F(ConvertEndToEnd, MakeaceTakesNamesFromTheCurrentFolderWithoutDir) {
  prefix.Write("C:\\work\\Brick.TGA", kTga);
  prefix.Write("C:\\work\\sub\\roof.tga", kTga);
  // An older texture is not taken for the output of a run that failed.
  prefix.Write("C:\\work\\bad.tga", "not an image");
  prefix.Write("C:\\work\\bad.ace", "older");
  ProgramRun run = Command("makeace(-zlib) brick.tga;sub\\roof.tga;bad.tga");
  // Taken from the current folder, the output goes beside its source,
  // although makeace runs in the source's folder.
  EXPECT_EQ(ToolRuns(),
            (Runs{{"makeace", "C:\\work", {"brick.tga", "C:\\work\\brick.ace", "-zlib"}},
                  {"makeace", "C:\\work\\sub", {"roof.tga", "C:\\work\\sub\\roof.ace", "-zlib"}},
                  {"makeace", "C:\\work", {"bad.tga", "C:\\work\\bad.ace", "-zlib"}}}));
  EXPECT_EQ(run.output, kBanner +
                            "Texture C:\\work\\brick.tga: conversion successful\n"
                            "Texture C:\\work\\sub\\roof.tga: conversion successful\n"
                            "makeace: bad.tga is neither a TGA nor a BMP image\n"
                            "Texture C:\\work\\bad.tga: conversion failed, no output file\n" +
                            kEnd);
  ExpectTexture("C:\\work\\brick.ace", true, false);
  EXPECT_TRUE(Exists("C:\\work\\sub\\roof.ace"));
  EXPECT_EQ(Read("C:\\work\\bad.ace"), "older");
  // So does a relative -dir; each image is named before it is converted.
  EXPECT_EQ(Command("makeacedir(-dir=sub)").output,
            kBanner + "C:\\work\\sub\\roof.tga\n"
                      "Texture C:\\work\\sub\\roof.tga: conversion successful\n" + kEnd);
}

// The textures makeace writes, described and brought back as PNG images to
// edit; a damaged one is named with why, and an image already there is
// replaced only when the user says so.
TEST_F(ConvertEndToEnd, AceinfoAndAcetopngReadWhatMakeaceWrites) {
  prefix.Write("C:\\tex\\a.tga", kTga);
  Command("makeace(-dir=c:\\tex;-trans) a.tga");
  const std::string texture = Read("C:\\tex\\a.ace");
  prefix.Write("C:\\tex\\cut.ace", texture.substr(0, texture.size() - 3));
  prefix.Write("C:\\tex\\a.png", "mine");

  ProgramRun info = Command("aceinfo(-dir=c:\\tex) a.ace;cut.ace;none.ace");
  EXPECT_EQ(info.output, kBanner +
                             "c:\\tex\\a.ace: 2x2, RGB with a 1-bit mask, 2 mip-map levels, "
                             "creator \"Rastolin stand-in makeace\"\n"
                             "c:\\tex\\cut.ace: the file is shorter than its size and channels "
                             "require\n" +
                             kEnd);
  EXPECT_EQ(info.errors, "aceinfo: c:\\tex\\none.ace not found\n");
  EXPECT_EQ(info.exit_code, 2);

  const std::string question = "c:\\tex\\a.png\nThe file already exists; replace? [y/n] ";
  ProgramRun png = Interactive("acetopngdir(-dir=c:\\tex)\nn\nacetopng(-dir=c:\\tex) a.ace\ny\n");
  EXPECT_EQ(png.output, kBanner + kPrompt + question +
                            "c:\\tex\\a.png is kept as it was; nothing is saved\n"
                            "c:\\tex\\cut.ace: the file is shorter than its size and channels "
                            "require\n" +
                            kPrompt + question +
                            "Texture c:\\tex\\a.ace saved as c:\\tex\\a.png\n" + kPrompt);
  const std::string image = Read("C:\\tex\\a.png");
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels =
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(image.data()),
                            static_cast<int>(image.size()), &width, &height, &channels, 4);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + 16), kPixels);
  stbi_image_free(pixels);
}

TEST_F(ConvertEndToEnd, ShapeGathersNumberedModelsSetsTheBiasAndMakesUnicode) {
  Models({{"house1.3ds", {"brick.tga"}},
          {"House2.3DS", {"roof.tga", "brick.tga"}},
          {"housex.3ds", {"x.tga"}},
          {"house.3ds", {"x.tga"}},
          {"wall7.3ds", {"brick.tga"}}});
  ProgramRun run = Command("shape(-dir=c:\\models\\;-mip=-3) house house.s; wall w");
  EXPECT_EQ(run.output, kBanner +
                            "house1.3ds\nHouse2.3DS\n"
                            "Shape c:\\models\\house.s: conversion successful\n"
                            "Shape c:\\models\\house.s converted to Unicode\n"
                            "wall7.3ds\n"
                            "Shape c:\\models\\w: conversion successful\n"
                            "Shape c:\\models\\w converted to Unicode\n" +
                            kEnd);
  EXPECT_EQ(ToolRuns(),
            (Runs{{"conv3ds", "C:\\models", {"c:\\models\\house.s", "house1.3ds", "house2.3ds"}},
                  {"txt2uni", "C:\\models", {"house.s"}},
                  {"conv3ds", "C:\\models", {"c:\\models\\w", "wall7.3ds"}},
                  {"txt2uni", "C:\\models", {"w"}}}));
  const std::string house = UnicodeText("C:\\models\\house.s");
  EXPECT_NE(house.find("\t\timage ( brick.ace )\r\n\t\timage ( roof.ace )\r\n\t)\r\n"
                       "\ttextures ( 2\r\n\t\ttexture ( 0 0 -3 ff000000 )\r\n"
                       "\t\ttexture ( 1 0 -3 ff000000 )\r\n\t)\r\n"),
            std::string::npos)
      << house;
}

// A blank in a model's or a shape's name does not split it in two on a
// tool's command line.
TEST_F(ConvertEndToEnd, ModelNamesWithBlanksReachTheShapeToolWhole) {
  Models({{"big house1.3ds", {"brick.tga"}}, {"big house2.3ds", {"roof.tga"}}});
  EXPECT_EQ(Command("shapedir(-dir=c:\\models;-b)").exit_code, 1);
  EXPECT_EQ(ToolRuns(), (Runs{{"conv3ds", "C:\\models",
                               {"c:\\models\\big house.s", "big house1.3ds", "big house2.3ds"}},
                              {"txt2uni", "C:\\models", {"big house.s"}},
                              {"ffeditc_unicode", "C:\\MSTS\\UTILS\\FFEDIT",
                               {"big house.s", "/c", "/o:big house.s"}}}));
}

// One shape per stem; a failing tool stops that shape only and leaves its
// older file, and the binary step works on a copy of its own name beside a
// user's file of the shape's name, and removes it. In Russian, then English.
TEST_F(ConvertEndToEnd, ShapedirMakesOneShapePerStemEachOnItsOwnInEitherLanguage) {
  Settings("0");
  Models({{"12.3ds", {"x.tga"}},
          {"house.3ds", {"brick.tga"}},
          {"wall.3ds", {"brick.tga"}},
          {"wall2.3ds", {"Window.tga"}}});
  prefix.Write("C:\\models\\house1.3ds", "not a model");
  prefix.Write("C:\\models\\house.s", "an older house");
  prefix.Write("C:\\MSTS\\UTILS\\FFEDIT\\WALL.S", "mine");
  prefix.Write("C:\\tex\\a.tga", kTga);
  ProgramRun run = Interactive(
      "shapedir(-dir=c:\\models;-b)\n"
      "makeace(-dir=c:\\tex) a.tga\n"
      "changelang(1)\n"
      "makeace(-dir=c:\\tex) a.tga\n");
  EXPECT_EQ(run.output,
            kBanner + kPrompt +
                "house.3ds house1.3ds \n"
                "conv3ds: house1.3ds is not a 3DS file\n"
                "Шейп c:\\models\\house.s: ошибка конвертации, конечный файл не создан\n"
                "wall.3ds wall2.3ds \n"
                "Шейп c:\\models\\wall.s: конвертация успешна\n"
                "Шейп c:\\models\\wall.s конвертирован в Юникод\n"
                "Shape c:\\models\\wall.s converted to binary\n" +
                kPrompt + "Текстура c:\\tex\\a.tga: конвертация успешна\n" + kPrompt + kPrompt +
                "Texture c:\\tex\\a.tga: conversion successful\n" + kPrompt);
  Runs runs = ToolRuns();
  runs.resize(4);
  EXPECT_EQ(runs,
            (Runs{{"conv3ds", "C:\\models", {"c:\\models\\house.s", "house.3ds", "house1.3ds"}},
                  {"conv3ds", "C:\\models", {"c:\\models\\wall.s", "wall.3ds", "wall2.3ds"}},
                  {"txt2uni", "C:\\models", {"wall.s"}},
                  {"ffeditc_unicode", "C:\\MSTS\\UTILS\\FFEDIT", {"wall_1.s", "/c", "/o:wall_1.s"}}}));
  EXPECT_EQ(Read("C:\\models\\house.s"), "an older house");
  EXPECT_EQ(Read("C:\\models\\wall.s").substr(0, 8), "SIMISA@F");
  EXPECT_FALSE(Exists("C:\\models\\.s"));
  std::set<std::string> editor_folder;
  for (const auto& entry : fs::directory_iterator(prefix.Host("C:\\MSTS\\UTILS\\FFEDIT")))
    editor_folder.insert(entry.path().filename().string());
  EXPECT_EQ(editor_folder, (std::set<std::string>{"WALL.S", "ffeditc_unicode.exe"}));
  EXPECT_EQ(Read("C:\\MSTS\\UTILS\\FFEDIT\\WALL.S"), "mine");
}

}  // namespace
}  // namespace e2e
