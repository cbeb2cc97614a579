// Speed and memory of loading MD3 files, for one surface of 1,000, 4,000 and 16,000
// vertices over 100 frames.
//
// Loading is measured against a floor in the same run: a program that only reads the same
// file and converts every vertex of every frame to floats, without welding or normals. The
// two run in turns within each iteration, so both see the same machine (the time shown is
// that of both together). Counters:
//   load_ns, floor_ns    processor time per vertex-frame of the file
//   load_over_floor      the ratio of the two
//   normals_ns           processor time per vertex-frame to work out the normals of every
//                        frame afterwards (a frame's normals wait until it is first posed)
//   bytes_per_vf         memory of the loaded record per vertex-frame it keeps (after the
//                        weld), from the capacities of everything the record owns
//   bytes_per_vf_posed   the same once every frame has its normals
// Run with fresh memory (the allocator hands freed memory back, as for the first model a
// viewer loads) and with warm memory (freed memory stays in the process and is reused).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/FileIO.h"
#include "scene/Md3Loader.h"
#include "scene/VertexWeld.h"
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

// The sheet written to a file of its own for the length of one benchmark.
class SheetOnDisk {
 public:
  explicit SheetOnDisk(int vertices)
      : path_((std::filesystem::temp_directory_path() /
               ("tessary-bench-" + std::to_string(::getpid()) + "-" + std::to_string(vertices) + ".md3"))
                  .string()) {
    WriteFileReplacing(path_, SheetFile(vertices));
  }
  ~SheetOnDisk() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::int32_t Int32At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
                                   static_cast<std::uint32_t>(b[at + 2]) << 16 |
                                   static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// The floor: read the file and convert every vertex of every frame of every surface to
// viewer floats (value / 64, axes cycled), nothing else. The file is the benchmark's own,
// so its offsets are trusted.
std::vector<std::vector<Vec3f>> ReadAndConvert(const std::string& path) {
  std::vector<std::vector<Vec3f>> frames;
  const auto bytes = ReadWholeFile(path, kMaxMd3FileBytes);
  if (!bytes) return frames;
  const std::vector<std::uint8_t>& b = *bytes;
  std::size_t start = static_cast<std::size_t>(Int32At(b, md3::kHeaderOfsSurfaces));
  for (std::int32_t s = 0; s < Int32At(b, md3::kHeaderNumSurfaces); ++s) {
    const auto count = static_cast<std::size_t>(Int32At(b, start + md3::kSurfaceNumVerts));
    const auto numFrames = static_cast<std::size_t>(Int32At(b, start + md3::kSurfaceNumFrames));
    const std::uint8_t* entry = b.data() + start + static_cast<std::size_t>(Int32At(b, start + md3::kSurfaceOfsXyzNormal));
    for (std::size_t f = 0; f < numFrames; ++f) {
      std::vector<Vec3f>& positions = frames.emplace_back();
      positions.reserve(count);
      for (std::size_t v = 0; v < count; ++v, entry += 8) {
        const auto coordinate = [entry](int i) {
          return static_cast<float>(static_cast<std::int16_t>(entry[2 * i] | (entry[2 * i + 1] << 8))) / 64.0f;
        };
        positions.push_back({coordinate(1), coordinate(2), coordinate(0)});
      }
    }
    start += static_cast<std::size_t>(Int32At(b, start + md3::kSurfaceOfsEnd));
  }
  return frames;
}

template <typename T>
std::size_t CapacityBytes(const std::vector<T>& v) {
  return v.capacity() * sizeof(T);
}

// Everything a loaded record owns, by capacity.
std::size_t RecordBytes(const ModelRecord& m) {
  std::size_t bytes = sizeof(ModelRecord) + CapacityBytes(m.triangles) + CapacityBytes(m.frames) +
                      CapacityBytes(m.curPositions) + CapacityBytes(m.curNormals) + CapacityBytes(m.curTags) +
                      CapacityBytes(m.tagNames);
  for (const auto& frame : m.frames) {
    bytes += sizeof(FrameRecord) + CapacityBytes(frame->positions) + CapacityBytes(frame->normals) +
             CapacityBytes(frame->tags);
  }
  return bytes;
}

// Fresh memory: before each timed turn every free page goes back to the system, so each
// load faults in new pages as the first load of a viewer does. Warm memory: nothing is
// given back, and later loads reuse what earlier ones freed.
void ChooseMemory(bool fresh) {
  const int threshold = fresh ? 128 * 1024 : 1 << 30;
  mallopt(M_MMAP_THRESHOLD, threshold);
  mallopt(M_TRIM_THRESHOLD, threshold);
}

// Processor time of this thread, in seconds (page faults included): on a shared machine it
// moves far less than the wall clock.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void BM_LoadAgainstFloor(benchmark::State& state) {
  const int vertices = static_cast<int>(state.range(0));
  const bool fresh = state.range(1) != 0;
  ChooseMemory(fresh);
  const SheetOnDisk sheet(vertices);
  double loadSeconds = 0.0, floorSeconds = 0.0, normalSeconds = 0.0, recordBytes = 0.0, posedBytes = 0.0,
         keptVertexFrames = 1.0;
  bool loadFirst = true;
  for (auto _ : state) {
    // Alternating which goes first keeps either from always finding the memory the other
    // has just freed.
    for (int turn = 0; turn < 2; ++turn) {
      if (fresh) malloc_trim(0);
      if ((turn == 0) == loadFirst) {
        const double t0 = ThreadSeconds();
        Md3Parse parse = ReadMd3File(Scene{}, ContentFile{sheet.path(), false});
        loadSeconds += ThreadSeconds() - t0;
        if (!parse.ok || parse.records.size() != 1) {
          state.SkipWithError("load failed");
          return;
        }
        ModelRecord& m = *parse.records[0];
        recordBytes = static_cast<double>(RecordBytes(m));
        keptVertexFrames = static_cast<double>(m.numVertices) * m.FrameCount();
        const double t1 = ThreadSeconds();
        ComputeNormals(m);
        normalSeconds += ThreadSeconds() - t1;
        posedBytes = static_cast<double>(RecordBytes(m));
      } else {
        const double t0 = ThreadSeconds();
        const auto frames = ReadAndConvert(sheet.path());
        floorSeconds += ThreadSeconds() - t0;
        if (frames.size() != kFrames) {
          state.SkipWithError("floor failed");
          return;
        }
        benchmark::DoNotOptimize(frames.back().data());
      }
    }
    loadFirst = !loadFirst;
  }
  const double vertexFrames = static_cast<double>(vertices) * kFrames * static_cast<double>(state.iterations());
  state.counters["load_ns"] = loadSeconds / vertexFrames * 1e9;
  state.counters["floor_ns"] = floorSeconds / vertexFrames * 1e9;
  state.counters["load_over_floor"] = floorSeconds > 0.0 ? loadSeconds / floorSeconds : 0.0;
  state.counters["normals_ns"] = normalSeconds / vertexFrames * 1e9;
  state.counters["bytes_per_vf"] = recordBytes / keptVertexFrames;
  state.counters["bytes_per_vf_posed"] = posedBytes / keptVertexFrames;
}
BENCHMARK(BM_LoadAgainstFloor)
    ->ArgNames({"vertices", "fresh"})
    ->ArgsProduct({{1000, 4000, 16000}, {1, 0}})
    ->Unit(benchmark::kMillisecond);

// The weld alone, on the file's vertex table, since it is the step that could grow faster
// than the data: its time per vertex-frame should stay flat from the smallest sheet to the
// largest.
void BM_WeldVertexTable(benchmark::State& state) {
  const int vertices = static_cast<int>(state.range(0));
  const std::vector<std::uint8_t> bytes = SheetFile(vertices);
  const std::size_t start = static_cast<std::size_t>(Int32At(bytes, md3::kHeaderOfsSurfaces));
  const std::uint8_t* table = bytes.data() + start + static_cast<std::size_t>(Int32At(bytes, start + md3::kSurfaceOfsXyzNormal));
  for (auto _ : state) {
    const WeldPlan plan = PlanMd3VertexWeld(table, static_cast<std::size_t>(vertices), kFrames);
    if (plan.kept.size() != static_cast<std::size_t>(vertices - vertices / 10)) {
      state.SkipWithError("unexpected weld");
      break;
    }
  }
  state.counters["per_vertex_frame"] = benchmark::Counter(
      static_cast<double>(vertices) * kFrames, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WeldVertexTable)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessary
