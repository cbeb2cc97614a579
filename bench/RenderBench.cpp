// Frame time of the offscreen renderer at 512 x 384: three linked models of 5,000 triangles
// each with all four maps and two lights, against an empty scene drawn in the same run.
// The frame includes glFinish, so the time is what the software rasteriser really takes;
// wall-clock time is used because the rasteriser works on its own threads.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "link/LinkTree.h"
#include "render/RenderFrame.h"
#include "support/GlTestSupport.h"

namespace {

using tessary::ModelRecord;
using tessary::testing::GridShape;
using tessary::testing::OffscreenScene;

constexpr int kWidth = 512;
constexpr int kHeight = 384;

// Mean seconds per frame of the empty scene, for the ratio reported by the loaded scene.
double emptyFrameSeconds = 0.0;

// A 64 x 64 map with a checker pattern, so texturing does real filtering work.
std::unique_ptr<tessary::ImageRGBA> Checker(OffscreenScene& view, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const bool on = ((x / 8) + (y / 8)) % 2 == 0;
      rgba.insert(rgba.end(), {static_cast<std::uint8_t>(on ? r : r / 2), static_cast<std::uint8_t>(on ? g : g / 2),
                               static_cast<std::uint8_t>(on ? b : b / 2), 255});
    }
  return view.Image(64, 64, std::move(rgba));
}

// Three 50 x 50-cell grids (5,000 triangles each), each hung on a tag of the one before.
void BuildLinkedScene(OffscreenScene& view) {
  auto& first = view.AddLight();
  first.position = {0.0f, 0.0f, 1.0f, 0.0f};
  auto& second = view.AddLight();
  second.position = {1.0f, 1.0f, 1.0f, 0.0f};
  for (int i = 0; i < 3; ++i) {
    ModelRecord& model = view.AddGrid({.x0 = -5, .x1 = 5, .y0 = -5, .y1 = 5, .z = 0.0, .cells = 50});
    tessary::TagRecord link = tessary::TagRecord::Identity();
    link.origin = {3.0f, -2.0f, 0.5f};
    model.frames[0]->tags = {tessary::TagRecord::Identity(), link};
    model.tagNames = {"tag_pivot", "tag_link"};
    if (i > 0) {
      model.parentIndex = static_cast<std::int16_t>(i - 1);
      model.pivotTag = 0;
      model.anchorTag = 1;
    }
    model.textureMap = Checker(view, 220, 180, 140);
    model.diffusionMap = Checker(view, 255, 240, 200);
    model.specularityMap = Checker(view, 160, 160, 255);
    model.glowMap = Checker(view, 20, 40, 10);
    OffscreenScene::Attach(model, first);
    OffscreenScene::Attach(model, second);
  }
  tessary::RebuildChildLists(view.scene);
}

// Runs frames for the benchmark's iterations and returns the mean wall time of one.
double TimeFrames(benchmark::State& state, OffscreenScene& view) {
  std::int64_t frames = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    benchmark::DoNotOptimize(tessary::RenderFrame(view.scene, view.trackball, [&view] { view.context->SwapBuffers(); }));
    ++frames;
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return frames > 0 ? elapsed.count() / static_cast<double>(frames) : 0.0;
}

void BM_RenderFrameEmptyScene(benchmark::State& state) {
  OffscreenScene view(kWidth, kHeight, 10.0);
  if (!view.Ok()) {
    state.SkipWithError(view.error.c_str());
    return;
  }
  emptyFrameSeconds = TimeFrames(state, view);
}
BENCHMARK(BM_RenderFrameEmptyScene)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderFrameThreeLinkedModels(benchmark::State& state) {
  OffscreenScene view(kWidth, kHeight, 10.0);
  if (!view.Ok()) {
    state.SkipWithError(view.error.c_str());
    return;
  }
  BuildLinkedScene(view);
  const double seconds = TimeFrames(state, view);
  state.counters["triangles"] = 15000;
  if (emptyFrameSeconds > 0.0) state.counters["xEmptyFrame"] = seconds / emptyFrameSeconds;
}
BENCHMARK(BM_RenderFrameThreeLinkedModels)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
