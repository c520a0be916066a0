#include "demo/demo_routes.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/text.h"
#include "demo/binary_tokens.h"

namespace fs = std::filesystem;

namespace demo {

void Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

namespace {

uint32_t Noise(int x, int y) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

// 0xRRGGBBAA with each colour moved by `by`, kept within 0..255.
uint32_t Shade(uint32_t rgba, int by) {
  uint32_t out = rgba & 0xFF;
  for (int shift = 8; shift <= 24; shift += 8) {
    const int c = std::clamp(static_cast<int>((rgba >> shift) & 0xFF) + by, 0, 255);
    out |= static_cast<uint32_t>(c) << shift;
  }
  return out;
}

// The mix of a colour with another, `part` of 8 of the second.
uint32_t Mix(uint32_t a, uint32_t b, int part) {
  uint32_t out = a & 0xFF;
  for (int shift = 8; shift <= 24; shift += 8) {
    const uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= ((ca * (8 - part) + cb * part) / 8) << shift;
  }
  return out;
}

enum class Motif { kBricks, kPlanks, kBlocks, kLeaves, kRound, kPanes, kBallast, kPlain };

struct Look {
  const char* stem;
  Motif motif;
  uint32_t main, second;  // 0xRRGGBBAA
  standin::AceOptions::Alpha alpha = standin::AceOptions::kNoAlpha;
  bool dxt = false;
  bool compressed = false;
};

constexpr Look kLooks[] = {
    {"brick", Motif::kBricks, 0x9A4030FF, 0xC8C0B0FF},
    {"roof", Motif::kPlanks, 0x5A3A38FF, 0x3A2A28FF, standin::AceOptions::kNoAlpha, false, true},
    {"window", Motif::kPanes, 0x6090C0FF, 0xF0F0E8FF, standin::AceOptions::kMask},
    {"stone", Motif::kBlocks, 0x8A8A80FF, 0x505048FF},
    {"oak", Motif::kLeaves, 0x3A7A30FF, 0x5A4A30FF, standin::AceOptions::kAlpha},
    {"pine", Motif::kLeaves, 0x1E5A34FF, 0x4A3A28FF, standin::AceOptions::kMask, true},
    {"planks", Motif::kPlanks, 0x9A7048FF, 0x6A4A30FF},
    {"spd_sign", Motif::kRound, 0xF0F0F0FF, 0xC02020FF, standin::AceOptions::kMask},
    {"milepost", Motif::kPanes, 0xE8E8E0FF, 0x202020FF},
    {"telepole", Motif::kPlanks, 0x5A4632FF, 0x3A2E22FF, standin::AceOptions::kNoAlpha, true},
    {"gates", Motif::kPlanks, 0xE0E0E0FF, 0xC02020FF, standin::AceOptions::kMask},
    {"iron", Motif::kBlocks, 0x50585EFF, 0x30363AFF},
    {"car_blue", Motif::kPanes, 0x2050A0FF, 0x101820FF},
    {"acleantrack1", Motif::kBallast, 0x7A7670FF, 0x4A3A2AFF, standin::AceOptions::kNoAlpha, false,
     true},
    {"platform_edge", Motif::kBlocks, 0xB0A890FF, 0xE0D020FF},
};

uint32_t MotifPixel(const Look& look, int side, int x, int y) {
  const int grain = static_cast<int>(Noise(x, y) % 24) - 12;
  switch (look.motif) {
    case Motif::kBricks: {
      const int row = y / (side / 8);
      const int brick = (x + (row % 2) * side / 8) % (side / 4);
      return y % (side / 8) == 0 || brick == 0 ? look.second : Shade(look.main, grain);
    }
    case Motif::kPlanks:
      return x % (side / 8) == 0 ? look.second
                                 : Shade(look.main, grain / 2 + (x / (side / 8)) % 2 * 12);
    case Motif::kBlocks: {
      const int block = side / 4;
      if (x % block == 0 || y % block == 0) return look.second;
      return Shade(look.main, grain + static_cast<int>(Noise(x / block, y / block) % 30) - 15);
    }
    case Motif::kLeaves: {
      const int dx = x - side / 2, dy = y - side / 2;
      const bool trunk = std::abs(dx) < side / 16 && y > side / 2;
      const bool crown = dx * dx + dy * dy * 2 < side * side / 5 && Noise(x / 2, y / 2) % 5 != 0;
      if (trunk) return look.second;
      return crown ? Shade(look.main, grain * 2) : (look.main & 0xFFFFFF00);
    }
    case Motif::kRound: {
      const int dx = 2 * x - side + 1, dy = 2 * y - side + 1;
      const int r2 = dx * dx + dy * dy, r = side - 2;
      if (r2 > r * r) return look.main & 0xFFFFFF00;
      return r2 > (r * 3 / 4) * (r * 3 / 4) ? look.second : look.main;
    }
    case Motif::kPanes:
      return x % (side / 2) < 3 || y % (side / 2) < 3 ? look.second : Shade(look.main, grain / 2);
    case Motif::kBallast: {
      const bool rail = std::abs(x - side / 4) < 3 || std::abs(x - 3 * side / 4) < 3;
      if (rail) return 0xA0A0A8FF;
      return y % (side / 4) < side / 10 ? look.second : Shade(look.main, grain * 2);
    }
    case Motif::kPlain:
      break;
  }
  return look.main;
}

// How a seasonal folder changes a texture.
uint32_t InSeason(const std::string& season, uint32_t rgba) {
  if (season == "NIGHT") return (rgba & 0xFF) == 0 ? rgba : Mix(Shade(rgba, -60), 0xF0C040FF, 3);
  if (season.find("SNOW") != std::string::npos) return Mix(rgba, 0xF4F8FFFF, 5);
  if (season == "AUTUMN") return Mix(rgba, 0xC06020FF, 4);
  if (season == "WINTER") return Mix(rgba, 0x707070FF, 5);
  if (season == "SPRING") return Mix(rgba, 0x80E060FF, 2);
  return rgba;
}

const Look& LookOf(const std::string& stem) {
  for (const Look& look : kLooks) {
    if (stem == look.stem) return look;
  }
  static const Look plain{"", Motif::kBlocks, 0x808890FF, 0x606870FF};
  return plain;
}

}  // namespace

formats::RgbaImage Picture(const std::string& name, int side) {
  const size_t slash = name.find_last_of("\\/");
  const std::string season = slash == std::string::npos ? "" : name.substr(0, slash);
  const std::string file = name.substr(slash == std::string::npos ? 0 : slash + 1);
  const Look& look = LookOf(file.substr(0, file.find('.')));
  return standin::MakeImage(
      side, side, [&](int x, int y) { return InSeason(season, MotifPixel(look, side, x, y)); });
}

std::string Texture(const std::string& name) {
  const std::string file = name.substr(name.find_last_of("\\/") + 1);
  const Look& look = LookOf(file.substr(0, file.find('.')));
  standin::AceOptions options;
  options.alpha = look.alpha;
  options.dxt = look.dxt;
  options.compressed = look.compressed;
  return standin::WriteAce(Picture(name, look.motif == Motif::kBallast ? 128 : 64), options);
}

namespace {

// MSTS files end their lines with CR LF.
std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string Unicode(const std::string& text) { return "\xFF\xFE" + platform::Utf8ToUtf16Le(Crlf(text)); }

// The form published shapes and world files come in, as the editor tool
// leaves them: binary tokens, compressed.
std::string Binary(const std::string& text) { return standin::CompressedTokenFile(text); }

// Shape text naming its textures as the shape tool writes them.
std::string ShapeText(const std::vector<std::string>& images) {
  std::string text = "SIMISA@@@@@@@@@@JINX0s1t______\n\nshape (\n\tshape_header ( 00000000 00000000 )\n"
                     "\tvolumes ( 1\n\t\tvol_sphere (\n\t\t\tvector ( 0 2 0 ) 6\n\t\t)\n\t)\n";
  text += "\timages ( " + std::to_string(images.size()) + "\n";
  for (const std::string& image : images) text += "\t\timage ( " + image + " )\n";
  text += "\t)\n\ttextures ( " + std::to_string(images.size()) + "\n";
  for (size_t i = 0; i < images.size(); ++i) {
    text += "\t\ttexture ( " + std::to_string(i) + " 0 -3 ff000000 )\n";
  }
  return text + "\t)\n)\n";
}

std::string Sd(const std::string& shape, const std::string& box) {
  return Unicode("SIMISA@@@@@@@@@@JINX0t1t______\n\nshape ( " + shape +
                 "\n\tESD_Detail_Level ( 0 )\n\tESD_Alternative_Texture ( 0 )\n\tESD_Bounding_Box ( " +
                 box + " )\n)\n");
}

std::string Trk(const std::string& id, const std::string& name) {
  return Unicode("SIMISA@@@@@@@@@@JINX0r1t______\n\nTr_RouteFile (\n\tRouteID ( " + id +
                 " )\n\tName ( \"" + name + "\" )\n\tFileName ( " + id +
                 " )\n\tElectrified ( 00000000 )\n\tMilepostUnitsKilometers ( )\n)\n");
}

std::string World(const std::string& objects) {
  return "SIMISA@@@@@@@@@@JINX0w0t______\n\nTr_Worldfile (\n" + objects + ")\n";
}

std::string Placed(const std::string& kind, int uid, const std::string& shape) {
  return "\t" + kind + " (\n\t\tUiD ( " + std::to_string(uid) + " )\n\t\tFileName ( " + shape +
         " )\n\t\tStaticFlags ( 00100000 )\n\t\tPosition ( " + std::to_string(uid * 7 - 500) +
         " 101.2 233.9 )\n\t\tQDirection ( 0 0.7071 0 0.7071 )\n\t\tVDbId ( 4294967295 )\n\t)\n";
}

const char* const kDemoRef =
    "SIMISA@@@@@@@@@@JINX0r1t______\n\n"
    "Static (\n\tClass ( \"Houses\" )\n\tFileName ( Barn_Red.s )\n\tShadow ( DYNAMIC )\n"
    "\tDescription ( \"Red barn\" )\n)\n"
    "Static (\n\tClass ( houses )\n\tFileName ( \"Farmhouse.s\" )\n\tShadow ( RECT )\n"
    "\tDescription ( \"Farm house with porch\" )\n)\n"
    "Static (\n\tClass ( \"Bridges\" )\n\tFileName ( Bridge_Stone.s )\n\tAlign ( NONE )\n"
    "\tDescription ( \"Stone arch bridge\" )\n)\n"
    "Static (\n\tClass ( TREES )\n\tFileName ( Oak.s )\n\tShadow ( TREELINE )\n\tDescription ( Oak )\n)\n"
    "Static (\n\tClass ( Trees )\n\tFileName ( Pine.s )\n\tDescription ( \"Pine, tall\" )\n)\n"
    "Static (\n\tClass ( \"Houses\" )\n\tFileName ( barn_red.s )\n\tDescription ( \"Red barn again\" )\n)\n"
    "Static (\n\tClass ( \"Houses\" )\n\tFileName ( Cottage.s )\n\tDescription ( \"Cottage, never placed\" )\n)\n"
    "Static (\n\tClass ( \"Sheds\" )\n\tFileName ( Shed_Lost.s )\n"
    "\tDescription ( \"Shed whose shape is gone\" )\n)\n"
    "Static (\n\tClass ( \"Signs\" )\n\tFileName ( spd_sign.s )\n\tDescription ( \"Speed sign\" )\n)\n"
    "Static (\n\tClass ( \"Track-side\" )\n\tFileName ( Telepole.s )\n\tDescription ( \"Telegraph pole\" )\n)\n"
    "Hazard (\n\tClass ( \"Animals\" )\n\tFileName ( deer.haz )\n\tDescription ( \"Deer\" )\n)\n"
    "LevelCr (\n\tClass ( \"Level crossings\" )\n\tFileName ( LevelCr_Gates.s )\n"
    "\tDescription ( \"Level crossing with gates\" )\n)\n"
    "Pickup (\n\tClass ( \"Pickups\" )\n\tFileName ( WaterTower.s )\n\tPickupType ( _Water )\n"
    "\tDescription ( \"Water tower\" )\n)\n"
    "Transfer (\n\tClass ( \"Transfers\" )\n\tFileName ( platform_edge.ace )\n\tWidth ( 4 )\n\tHeight ( 1 )\n"
    "\tDescription ( \"Platform edge\" )\n)\n";

void WriteDemoLine(const fs::path& routes) {
  const fs::path route = routes / "DemoLine";
  Write(route / "DemoLine.trk", Trk("DemoLine", "Demo Line"));
  Write(route / "DemoLine.ref", Unicode(kDemoRef));
  Write(route / "carspawn.dat",
        Unicode("SIMISA@@@@@@@@@@JINX0c1t______\n\n3\nCarSpawnerItem ( \"Car_Blue.s\" 12 )\n"
                "CarSpawnerItem ( \"Van.s\" 14 )\nCarSpawnerItem ( \"Truck.s\" 18 )\n"));
  Write(route / "speedpost.dat",
        Unicode("SIMISA@@@@@@@@@@JINX0p0t______\n\nSpeedpost_Set (\n\tName ( \"Metric\" )\n"
                "\tSpeed_Sign_Shape ( spd_sign.s 1 0 0 0 0 )\n"
                "\tSpeed_Warning_Sign_Shape ( spd_warn.s 1 0 0 0 0 )\n"
                "\tSpeed_Resume_Sign_Shape ( spd_res.s 1 0 0 0 0 )\n"
                "\tRestricted_Shape ( spd_rest.s 1 0 0 0 0 )\n"
                "\tMilepost_Shape ( milepost.s 1 0 0 0 0 )\n)\n"));

  const fs::path shapes = route / "SHAPES";
  struct DemoShape {
    const char* name;
    std::vector<std::string> images;
    const char* box;  // empty: no .sd file
  };
  const DemoShape demo_shapes[] = {
      {"Barn_Red.s", {"brick.ace", "roof.ace"}, "-5 0 -4 5 6 4"},
      // porch.ace is missing from TEXTURES, for the route check to find.
      {"Farmhouse.s", {"brick.ace", "roof.ace", "window.ace", "porch.ace"}, "-6 0 -5 6 8 5"},
      {"Bridge_Stone.s", {"stone.ace"}, "-12 -6 -3 12 1 3"},
      {"Oak.s", {"oak.ace"}, ""},
      {"Pine.s", {"pine.ace"}, ""},
      {"Cottage.s", {"planks.ace", "roof.ace"}, "-3 0 -3 3 4 3"},
      {"spd_sign.s", {"spd_sign.ace"}, ""},
      {"spd_warn.s", {"spd_sign.ace"}, ""},
      {"milepost.s", {"milepost.ace"}, ""},
      {"Telepole.s", {"telepole.ace"}, ""},
      {"LevelCr_Gates.s", {"gates.ace"}, "-4 0 -4 4 2 4"},
      {"WaterTower.s", {"planks.ace", "iron.ace"}, "-2 0 -2 2 9 2"},
      {"Car_Blue.s", {"car_blue.ace"}, ""},
      {"A1t10mStrt.s", {"acleantrack1.ace"}, ""},
      {"Orphan_Hut.s", {"planks.ace"}, ""},  // a shape no entry names
  };
  for (const DemoShape& shape : demo_shapes) {
    Write(shapes / shape.name, Binary(ShapeText(shape.images)));
    const std::string stem = std::string(shape.name).substr(0, std::string(shape.name).size() - 2);
    if (*shape.box) Write(shapes / (stem + ".sd"), Sd(shape.name, shape.box));
  }
  Write(shapes / "Barn_Red.thm", "SIMISA@@@@@@@@@@demo thumbnail\r\n");
  Write(shapes / "Bridge_Stone.thm", "SIMISA@@@@@@@@@@demo thumbnail\r\n");

  const fs::path textures = route / "TEXTURES";
  for (const char* name : {"brick.ace", "roof.ace", "window.ace", "stone.ace", "oak.ace", "pine.ace",
                           "planks.ace", "spd_sign.ace", "milepost.ace", "telepole.ace", "gates.ace",
                           "iron.ace", "car_blue.ace", "acleantrack1.ace", "platform_edge.ace"}) {
    Write(textures / name, Texture(name));
  }
  // Cut short, as a failed copy leaves a file, for the route check to find.
  const std::string iron = Texture("iron.ace");
  Write(textures / "iron.ace", iron.substr(0, iron.size() / 2));
  Write(textures / "NIGHT" / "window.ace", Texture("NIGHT\\window.ace"));
  Write(textures / "AUTUMN" / "oak.ace", Texture("AUTUMN\\oak.ace"));
  Write(textures / "WINTER" / "oak.ace", Texture("WINTER\\oak.ace"));
  Write(textures / "WINTERSNOW" / "roof.ace", Texture("WINTERSNOW\\roof.ace"));
  Write(textures / "SNOW" / "roof.ace", Texture("SNOW\\roof.ace"));
  Write(textures / "SNOW" / "brick.ace", Texture("SNOW\\brick.ace"));
  Write(textures / "SPRING" / "oak.ace", Texture("SPRING\\oak.ace"));

  const fs::path world = route / "WORLD";
  Write(world / "w-005979+014904.w",
        Unicode(World(Placed("Static", 12, "Barn_Red.s") + Placed("Static", 13, "Farmhouse.s") +
                      "\tTrackObj (\n\t\tUiD ( 14 )\n\t\tSectionIdx ( 36 )\n\t\tFileName ( A1t10mStrt.s )\n"
                      "\t\tPosition ( -500 100 240 )\n\t\tQDirection ( 0 0 0 1 )\n\t)\n" +
                      Placed("Static", 15, "oak.s") + Placed("LevelCr", 16, "LevelCr_Gates.s") +
                      "\tForest (\n\t\tUiD ( 17 )\n\t\tTreeTexture ( trees.ace )\n\t)\n")));
  // Signal_Post.s is placed twice but missing from SHAPES, for the route
  // check to find.
  Write(world / "w-005980+014904.w",
        Unicode(World(Placed("Static", 20, "Bridge_Stone.s") + Placed("Pickup", 21, "WaterTower.s") +
                      Placed("Static", 22, "BARN_RED.S") + Placed("Static", 23, "Signal_Post.s"))));
  // As published routes ship their tiles.
  Write(world / "w-005980+014905.w",
        Binary(World(Placed("Static", 30, "Pine.s") + Placed("Static", 31, "signal_post.s"))));
}

void WriteDefaultRoute(const fs::path& routes, const std::string& id, const std::string& name,
                       const std::vector<std::string>& shapes, const std::vector<std::string>& textures) {
  const fs::path route = routes / id;
  Write(route / (id + ".trk"), Trk(id, name));
  Write(route / "carspawn.dat",
        Unicode("SIMISA@@@@@@@@@@JINX0c1t______\n\n1\nCarSpawnerItem ( \"Car_Blue.s\" 12 )\n"));
  std::string ref = "SIMISA@@@@@@@@@@JINX0r1t______\n\n";
  for (const std::string& shape : shapes) {
    ref += "Static (\n\tClass ( \"" + id + "\" )\n\tFileName ( " + shape + " )\n\tDescription ( " + shape +
           " )\n)\n";
    // The default routes ship their shapes compressed.
    Write(route / "SHAPES" / shape, Binary(ShapeText({"acleantrack1.ace"})));
  }
  Write(route / (id + ".ref"), Unicode(ref));
  for (const std::string& texture : textures) Write(route / "TEXTURES" / texture, Texture(texture));
}

}  // namespace

void WriteRoutes(const fs::path& drive_c) {
  const fs::path routes = drive_c / "MSTS" / "ROUTES";
  WriteDemoLine(routes);
  // The track pieces every route places, which the simulator opens from
  // GLOBAL\SHAPES, with their textures in GLOBAL\TEXTURES.
  const fs::path global = drive_c / "MSTS" / "GLOBAL";
  Write(global / "SHAPES" / "A1t10mStrt.s", Binary(ShapeText({"acleantrack1.ace", "sleepers.ace"})));
  for (const char* texture : {"acleantrack1.ace", "sleepers.ace"})
    Write(global / "TEXTURES" / texture, Texture(texture));
  WriteDefaultRoute(routes, "EUROPE1", "Settle - Carlisle",
                    {"Oak.s", "A1t10mStrt.s", "Signal_Box_Euro.s", "Viaduct.s"},
                    {"oak.ace", "acleantrack1.ace", "WINTER/oak.ace", "SNOW/roof.ace", "viaduct.ace"});
  WriteDefaultRoute(routes, "USA1", "NEC",
                    {"Telepole.s", "Car_Blue.s", "A1t10mStrt.s", "Amtrak_Station.s"},
                    {"telepole.ace", "car_blue.ace", "acleantrack1.ace", "NIGHT/window.ace"});
}

void WriteContentToInstall(const fs::path& drive_c) {
  const fs::path install = drive_c / "Samples" / "install";
  Write(install / "Signal_Box.s", Unicode(ShapeText({"signal_box.ace", "roof.ace"})));
  Write(install / "Footbridge.s", Unicode(ShapeText({"footbridge.ace"})));
  Write(install / "Footbridge.sd", Sd("Footbridge.s", "-8 0 -2 8 7 2"));
  Write(install / "signal_box.ace", Texture("signal_box.ace"));
  Write(install / "footbridge.ace", Texture("footbridge.ace"));
  Write(install / "readme.txt", "Shapes and textures for batchadd into DemoLine.\r\n");
  Write(install / "platform" / "Platform_End.s", Unicode(ShapeText({"platform.ace"})));
  Write(install / "platform" / "platform.ace", Texture("platform.ace"));
}

}  // namespace demo
