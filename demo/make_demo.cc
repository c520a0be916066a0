// Writes the demo MSTS installation: a Wine prefix whose drive C holds an
// MSTS root with the SDK tools (the stand-ins), routes, sample sources to
// convert and content to install.
//
//   rastolin-demo <output folder> <folder of the built stand-ins>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "demo/demo_routes.h"
#include "demo/three_ds.h"

namespace fs = std::filesystem;

namespace {

using demo::Write;

void AppendLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// An uncompressed 32-bit Targa image, rows from the top.
std::string Targa(const formats::RgbaImage& image) {
  std::string out;
  out += '\0';  // no image id
  out += '\0';  // no colour map
  out += '\2';  // true colour
  out.append(5, '\0');
  AppendLe(out, 0, 2);
  AppendLe(out, 0, 2);
  AppendLe(out, image.width, 2);
  AppendLe(out, image.height, 2);
  out += '\x20';  // 32 bits per pixel
  out += '\x28';  // 8 alpha bits, rows from the top
  for (size_t n = 0; n < image.pixels.size(); n += 4) {
    const uint8_t* p = &image.pixels[n];
    out += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0]),
            static_cast<char>(p[3])};
  }
  return out;
}

// A 24-bit Windows bitmap.
std::string Bitmap(const formats::RgbaImage& image) {
  const int row = (image.width * 3 + 3) / 4 * 4;
  const uint32_t pixels = row * image.height;
  std::string out = "BM";
  AppendLe(out, 54 + pixels, 4);
  AppendLe(out, 0, 4);
  AppendLe(out, 54, 4);
  AppendLe(out, 40, 4);
  AppendLe(out, image.width, 4);
  AppendLe(out, image.height, 4);
  AppendLe(out, 1, 2);
  AppendLe(out, 24, 2);
  AppendLe(out, 0, 4);
  AppendLe(out, pixels, 4);
  AppendLe(out, 2835, 4);
  AppendLe(out, 2835, 4);
  AppendLe(out, 0, 4);
  AppendLe(out, 0, 4);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
      out += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0])};
    }
    out.append(row - image.width * 3, '\0');
  }
  return out;
}

void WritePrefix(const fs::path& root) {
  fs::path dosdevices = root / "wine" / "dosdevices";
  fs::create_directories(dosdevices);
  fs::create_directories(root / "drive_c");
  fs::path link = dosdevices / "c:";
  fs::remove(link);
  fs::create_directory_symlink("../../drive_c", link);
}

void WriteTools(const fs::path& drive_c, const fs::path& standins) {
  const fs::path utils = drive_c / "MSTS" / "UTILS";
  fs::create_directories(utils / "FFEDIT");
  for (const char* tool : {"makeace.exe", "conv3ds.exe", "txt2uni.exe"}) {
    fs::copy_file(standins / tool, utils / tool, fs::copy_options::overwrite_existing);
  }
  fs::copy_file(standins / "ffeditc_unicode.exe", utils / "FFEDIT" / "ffeditc_unicode.exe",
                fs::copy_options::overwrite_existing);
}

void WriteSamples(const fs::path& drive_c) {
  const fs::path samples = drive_c / "Samples";
  const fs::path textures = samples / "textures";
  Write(textures / "brick.tga", Targa(demo::Picture("brick.ace", 64)));
  Write(textures / "roof.tga", Targa(demo::Picture("roof.ace", 32)));
  Write(textures / "Window.tga", Targa(demo::Picture("window.ace", 32)));
  Write(textures / "sign.bmp", Bitmap(demo::Picture("spd_sign.ace", 64)));

  // Numbered parts of one model become one shape; the house's parts name
  // textures that lie beside them, the shed names one that is missing.
  const fs::path models = samples / "models";
  Write(models / "house.3ds", standin::Make3ds({"brick.tga"}));
  Write(models / "house1.3ds", standin::Make3ds({"roof.tga"}));
  Write(models / "house2.3ds", standin::Make3ds({"Window.tga", "brick.tga"}));
  Write(models / "wall.3ds", standin::Make3ds({"brick.tga"}));
  Write(models / "shed1.3ds", standin::Make3ds({"planks.tga"}));
  for (const char* texture : {"brick.ace", "roof.ace", "window.ace"}) {
    Write(models / texture, demo::Texture(texture));
  }

  Write(samples / "conv.ini",
        "[INF]\r\nLANGUAGE=1\r\n\r\n[PATHS]\r\nUTILS=C:\\MSTS\\UTILS\r\nROOT=C:\\MSTS\r\n"
        "LASTDIR=C:\\Samples\\models\r\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: rastolin-demo <output folder> <folder of the stand-in tools>\n", stderr);
    return 2;
  }
  try {
    const fs::path root = fs::absolute(argv[1]);
    WritePrefix(root);
    WriteTools(root / "drive_c", argv[2]);
    WriteSamples(root / "drive_c");
    demo::WriteRoutes(root / "drive_c");
    demo::WriteContentToInstall(root / "drive_c");
    std::printf("Demo installation in %s\n", root.c_str());
    return 0;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "rastolin-demo: %s\n", failure.what());
    return 1;
  }
}
