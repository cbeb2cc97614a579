// Speed of parsing MD3 files (reading, converting, welding and normals) for one surface of
// 1,000, 4,000 and 16,000 vertices over 100 frames. The time per vertex-frame should stay
// about the same from the smallest to the largest model: the weld is linear, not quadratic.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "scene/Md3Loader.h"
#include "testdata/Md3Writer.h"

namespace tessary {
namespace {

constexpr int kFrames = 100;

// A rippling sheet: a grid of distinct vertices, except that every tenth vertex repeats its
// neighbour in every frame (as the split vertices of a texture seam do), so one in ten
// is welded away. Two triangles per grid cell.
std::vector<std::uint8_t> SheetFile(int vertices) {
  constexpr int kColumns = 100;
  md3::Surface s;
  s.name = "sheet";
  s.shaders = {"models/bench/sheet.tga"};
  for (int i = 0; i < vertices; ++i) {
    s.st.push_back({static_cast<float>(i % kColumns) / kColumns, static_cast<float>(i / kColumns) / 200.0f});
  }
  const int rows = vertices / kColumns;
  for (int r = 0; r + 1 < rows; ++r) {
    for (int c = 0; c + 1 < kColumns; ++c) {
      const int a = r * kColumns + c, b = a + 1, d = a + kColumns, e = d + 1;
      s.triangles.push_back({a, b, e});
      s.triangles.push_back({a, e, d});
    }
  }
  for (int f = 0; f < kFrames; ++f) {
    std::vector<md3::Vertex> frame;
    for (int i = 0; i < vertices; ++i) {
      const int source = i % 10 == 9 ? i - 1 : i;
      const int c = source % kColumns, r = source / kColumns;
      frame.push_back({static_cast<std::int16_t>(c * 16), static_cast<std::int16_t>(r * 16),
                       static_cast<std::int16_t>(((c + r + f) % 32) * 8), 0});
    }
    s.frames.push_back(std::move(frame));
  }
  md3::File file;
  file.surfaces = {std::move(s)};
  for (int f = 0; f < kFrames; ++f) {
    file.frames.push_back(md3::BoundsOf(file, static_cast<std::size_t>(f)));
    file.tags.push_back({md3::Tag{"tag_origin", {0, 0, 0}, {}}});
  }
  return md3::Write(file);
}

void BM_ParseMd3(benchmark::State& state) {
  const int vertices = static_cast<int>(state.range(0));
  const std::vector<std::uint8_t> bytes = SheetFile(vertices);
  for (auto _ : state) {
    Md3Parse parse = ParseMd3(bytes);
    if (!parse.ok || parse.records.size() != 1) {
      state.SkipWithError("parse failed");
      break;
    }
    benchmark::DoNotOptimize(parse.records[0]->frames.back()->normals.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
  // Seconds per vertex-frame, shown in ns by the reporter.
  state.counters["per_vertex_frame"] = benchmark::Counter(
      static_cast<double>(vertices) * kFrames, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ParseMd3)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond);

// The weld alone, on an unwelded record of the same sheet, since it is the step that
// could grow faster than the data.
std::unique_ptr<ModelRecord> UnweldedSheet(int vertices) {
  const Md3Parse parse = ParseMd3(SheetFile(vertices));
  auto m = std::make_unique<ModelRecord>();
  if (!parse.ok) return m;
  // Rebuild the file's vertex list: welded vertex k stands for every file vertex that was
  // merged into it, so repeat each one where the sheet repeats it.
  m->numVertices = vertices;
  for (const auto& frame : parse.records[0]->frames) {
    auto f = std::make_unique<FrameRecord>();
    for (int i = 0; i < vertices; ++i) {
      // Every tenth file vertex was merged into the one before it, so file vertex i became
      // welded vertex i - (i + 1) / 10 (for a merged one, that is its neighbour's).
      const int kept = i - (i + 1) / 10;
      f->positions.push_back(frame->positions[static_cast<std::size_t>(kept)]);
    }
    f->normals.assign(f->positions.size(), Vec3d{0, 0, 0});
    m->frames.push_back(std::move(f));
  }
  m->triangles = parse.records[0]->triangles;
  m->numTriangles = parse.records[0]->numTriangles;
  return m;
}

void BM_WeldVertices(benchmark::State& state) {
  const int vertices = static_cast<int>(state.range(0));
  const std::unique_ptr<ModelRecord> original = UnweldedSheet(vertices);
  for (auto _ : state) {
    state.PauseTiming();
    ModelRecord m;
    m.numVertices = original->numVertices;
    m.triangles = original->triangles;
    for (const auto& f : original->frames) m.frames.push_back(std::make_unique<FrameRecord>(*f));
    state.ResumeTiming();
    WeldVertices(m);
    if (m.numVertices != vertices - vertices / 10) {
      state.SkipWithError("unexpected weld");
      break;
    }
  }
  state.counters["per_vertex_frame"] = benchmark::Counter(
      static_cast<double>(vertices) * kFrames, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WeldVertices)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessary
