// Reading a 1024x1024 texture with mip-maps, as the window's thumbnails and
// viewer do, next to merely reading its file (and, compressed, inflating
// it): a 64-pixel thumbnail from the level that fills it, and the largest
// level decoded whole.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_route.h"
#include "formats/ace.h"
#include "demo/ace_writer.h"

namespace {

// A texture as photographs make them: smooth shades with grain, which zlib
// halves or so.
formats::RgbaImage Photo() {
  return standin::MakeImage(1024, 1024, [](int x, int y) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    const uint32_t grain = (h >> 24) & 0x1F;
    const uint32_t r = (x / 4 + grain) & 0xFF, g = (y / 4 + grain) & 0xFF, b = ((x + y) / 8) & 0xFF;
    return (r << 24) | (g << 16) | (b << 8) | 0xFF;
  });
}

class TextureBench : public bench::BenchInstallation {
 public:
  TextureBench() {
    standin::AceOptions options;
    Write(Plain(), standin::WriteAce(Photo(), options));
    options.compressed = true;
    Write(Compressed(), standin::WriteAce(Photo(), options));
  }
  std::string Plain() const { return root() + "\\plain.ace"; }
  std::string Compressed() const { return root() + "\\compressed.ace"; }
};

TextureBench& Bench() { return bench::Shared<TextureBench>(); }

void ReadTexture(benchmark::State& state, bool compressed) {
  TextureBench& bench = Bench();
  const std::string path = compressed ? bench.Compressed() : bench.Plain();
  for (auto _ : state) {
    const std::string bytes = *bench.files().ReadFile(path);
    if (compressed) {
      const formats::SimisFile file(bytes);
      benchmark::DoNotOptimize(file.body().data());
    }
    benchmark::DoNotOptimize(bytes.data());
  }
}

void Thumbnail(benchmark::State& state, bool compressed) {
  TextureBench& bench = Bench();
  const std::string path = compressed ? bench.Compressed() : bench.Plain();
  for (auto _ : state) {
    const std::string bytes = *bench.files().ReadFile(path);
    const formats::AceTexture texture(bytes);
    const formats::RgbaImage image = texture.Decode(texture.LevelFor(64));
    if (image.width != 64) state.SkipWithError("not the 64x64 level");
    benchmark::DoNotOptimize(image.pixels.data());
  }
}

void DecodeLargestLevel(benchmark::State& state, bool compressed) {
  TextureBench& bench = Bench();
  const std::string path = compressed ? bench.Compressed() : bench.Plain();
  for (auto _ : state) {
    const std::string bytes = *bench.files().ReadFile(path);
    const formats::RgbaImage image = formats::AceTexture(bytes).Decode(0);
    benchmark::DoNotOptimize(image.pixels.data());
  }
}

BENCHMARK_CAPTURE(ReadTexture, Plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Thumbnail, Plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeLargestLevel, Plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadTexture, CompressedAndInflated, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Thumbnail, Compressed, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeLargestLevel, Compressed, true)->Unit(benchmark::kMillisecond);

}  // namespace
