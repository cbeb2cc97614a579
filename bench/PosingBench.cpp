// Cost of posing and placing a linked figure every frame: legs, a torso on the legs' tag
// and a head on the torso's tag, 5,000 vertices each, reported per vertex posed; and a
// player of 1,500 vertices a part posed part-way between two frames, as playback draws it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "link/Posing.h"

namespace tessary {
namespace {

constexpr int kVertices = 5000;
constexpr int kFrames = 4;
constexpr int kTags = 2;

// A tag turned by angle about an axis in the x-y plane, somewhere near the origin.
TagRecord MakeTag(std::mt19937& rng) {
  std::uniform_real_distribution<float> u(-1.0f, 1.0f);
  const float angle = u(rng) * 3.0f;
  const float c = std::cos(angle), s = std::sin(angle);
  TagRecord t;
  t.origin = {u(rng) * 20.0f, u(rng) * 20.0f, u(rng) * 20.0f};
  t.axis = {Vec3f{c, s, 0.0f}, Vec3f{-s, c, 0.0f}, Vec3f{0.0f, 0.0f, 1.0f}};
  return t;
}

void AddModel(Scene& scene, std::mt19937& rng, int vertices = kVertices) {
  std::uniform_real_distribution<float> u(-30.0f, 30.0f);
  auto model = std::make_unique<ModelRecord>();
  model->numVertices = vertices;
  for (int t = 0; t < kTags; ++t) model->tagNames.push_back("tag_" + std::to_string(t));
  for (int f = 0; f < kFrames; ++f) {
    auto frame = std::make_unique<FrameRecord>();
    for (int v = 0; v < vertices; ++v) {
      frame->positions.push_back({u(rng), u(rng), u(rng)});
      frame->normals.push_back({0.0f, 0.6f, 0.8f});
    }
    for (int t = 0; t < kTags; ++t) frame->tags.push_back(MakeTag(rng));
    model->frames.push_back(std::move(frame));
  }
  scene.models.push_back(std::move(model));
}

// Three models, each hanging on the one before: pivot tag 0 on the parent's tag 1.
void AddLinkedFigure(Scene& scene, int vertices) {
  std::mt19937 rng(7);
  for (int i = 0; i < 3; ++i) AddModel(scene, rng, vertices);
  for (int child = 1; child < 3; ++child) {
    ModelRecord& m = *scene.models[static_cast<std::size_t>(child)];
    m.pivotTag = 0;
    m.parentIndex = static_cast<std::int16_t>(child - 1);
    m.anchorTag = 1;
    scene.models[static_cast<std::size_t>(child - 1)]->children = {&m};
    scene.models[static_cast<std::size_t>(child - 1)]->childCount = 1;
  }
}

void BM_PoseAndPlaceLinkedFigure(benchmark::State& state) {
  Scene scene;
  AddLinkedFigure(scene, kVertices);
  int frame = 0;
  for (auto _ : state) {
    for (auto& m : scene.models) m->currentFrame = frame;
    frame = (frame + 1) % kFrames;
    PoseAndPlaceScene(scene);
    benchmark::DoNotOptimize(scene.models[2]->curPositions.data());
    benchmark::ClobberMemory();
  }
  // Seconds per vertex (shown with its SI prefix, e.g. "4n" for 4 ns).
  state.counters["per_vertex"] =
      benchmark::Counter(3.0 * kVertices, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PoseAndPlaceLinkedFigure)->Unit(benchmark::kMicrosecond);

// A playing player: every part between two frames at a fraction that changes every frame
// drawn, so positions, normals and tags are blended each time. Target: under 50 us.
void BM_PoseBlendedPlayer(benchmark::State& state) {
  constexpr int kPartVertices = 1500;
  Scene scene;
  AddLinkedFigure(scene, kPartVertices);
  int step = 0;
  for (auto _ : state) {
    for (auto& m : scene.models) {
      m->currentFrame = step % kFrames;
      m->blendFrame = (step + 1) % kFrames;
      m->blend = 0.05f + 0.9f * static_cast<float>(step % 10) / 10.0f;
    }
    ++step;
    PoseAndPlaceScene(scene);
    benchmark::DoNotOptimize(scene.models[2]->curPositions.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PoseBlendedPlayer)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessary
