// Speed of decoding the three image formats at 1024 x 1024 (throughput of file bytes and
// time per image) and of drawing and encoding the skin base of a 10,000-triangle model.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "image/ImageDecoder.h"
#include "image/SkinBase.h"
#include "testdata/ImageWriters.h"

namespace tessary {
namespace {

constexpr int kSide = 1024;

// A texture-like picture as palette indices: flat panels with seams, and noisy patches
// where runs are short.
std::vector<std::uint8_t> PanelIndices() {
  std::mt19937 rng(3);
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(kSide) * kSide);
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      const int panel = (x / 128) + 8 * (y / 128);
      std::uint8_t v = static_cast<std::uint8_t>(panel * 3);
      if (x % 128 == 0 || y % 128 == 0) v = 255;          // seams
      else if (panel % 3 == 0) v = static_cast<std::uint8_t>(rng() % 256);  // noise
      indices[static_cast<std::size_t>(y) * kSide + x] = v;
    }
  return indices;
}

void Decode(benchmark::State& state, const std::vector<std::uint8_t>& bytes) {
  for (auto _ : state) {
    DecodeResult result = DecodeImage(bytes);
    if (!result.ok()) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(result.image->pixels.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
  state.counters["file_KB"] = static_cast<double>(bytes.size()) / 1024.0;
}

void BM_DecodeRunLengthTga(benchmark::State& state) {
  testing::TgaImage tga;
  tga.width = tga.height = kSide;
  tga.imageType = 10;
  tga.depth = 24;
  tga.descriptor = 0;
  for (std::uint8_t i : PanelIndices()) tga.pixels.push_back(0x010203u * i);
  Decode(state, testing::WriteTga(tga));
}
BENCHMARK(BM_DecodeRunLengthTga)->Unit(benchmark::kMillisecond);

void BM_DecodePcx(benchmark::State& state) {
  testing::PcxImage pcx;
  pcx.width = pcx.height = kSide;
  pcx.indices = PanelIndices();
  for (int i = 0; i < 256; ++i)
    pcx.palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i / 2)};
  Decode(state, testing::WritePcx(pcx));
}
BENCHMARK(BM_DecodePcx)->Unit(benchmark::kMillisecond);

void BM_DecodeEightBitBmp(benchmark::State& state) {
  testing::BmpImage bmp;
  bmp.width = bmp.height = kSide;
  bmp.bitCount = 8;
  bmp.data = PanelIndices();
  for (int i = 0; i < 256; ++i)
    bmp.palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i / 2)});
  Decode(state, testing::WriteBmp(bmp));
}
BENCHMARK(BM_DecodeEightBitBmp)->Unit(benchmark::kMillisecond);

// 10,000 triangles laid out like a real skin: small triangles packed over the texture.
// With a non-zero argument the triangles are large instead, each reaching across much of
// the picture, which makes every line long.
void BM_SkinBaseExport(benchmark::State& state) {
  const bool large = state.range(0) != 0;
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> where(0.0, 1.0);
  std::uniform_real_distribution<double> near(-0.02, 0.02);
  Scene scene;
  auto model = std::make_unique<ModelRecord>();
  for (int i = 0; i < 10000; ++i) {
    TriangleRecord tri;
    const double s = where(rng), t = where(rng);
    for (auto& corner : tri.st) corner = large ? std::array<double, 2>{where(rng), where(rng)}
                                               : std::array<double, 2>{s + near(rng), t + near(rng)};
    model->triangles.push_back(tri);
  }
  model->numTriangles = 10000;
  scene.models.push_back(std::move(model));
  for (auto _ : state) {
    auto bytes = EncodeSkinBaseBmp(DrawSkinBase(scene));
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_SkinBaseExport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessary
