// The vertex weld: which vertices merge, the numbering of the merged vertices, and agreement
// with the plain compare-with-every-earlier-vertex rule on random models.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "scene/Md3Loader.h"
#include "scene/Md3Fixtures.h"

namespace tessary {
namespace {

// A record with the given positions per frame and triangles, normals zero.
std::unique_ptr<ModelRecord> Record(const std::vector<std::vector<Vec3d>>& frames,
                                    const std::vector<std::array<std::int16_t, 3>>& triangles) {
  auto m = std::make_unique<ModelRecord>();
  m->numVertices = frames.empty() ? 0 : static_cast<std::int32_t>(frames[0].size());
  for (const auto& positions : frames) {
    auto f = std::make_unique<FrameRecord>();
    f->positions = positions;
    f->normals.assign(positions.size(), Vec3d{0, 0, 0});
    m->frames.push_back(std::move(f));
  }
  for (const auto& t : triangles) {
    TriangleRecord tri;
    tri.vertex = t;
    m->triangles.push_back(tri);
  }
  m->numTriangles = static_cast<std::int32_t>(triangles.size());
  return m;
}

std::vector<std::array<std::int16_t, 3>> Corners(const ModelRecord& m) {
  std::vector<std::array<std::int16_t, 3>> out;
  for (const auto& t : m.triangles) out.push_back(t.vertex);
  return out;
}

TEST(VertexWeldTest, VerticesEqualInEveryFrameMergeIntoTheFirstInOrderOfFirstAppearance) {
  const Vec3d a{1, 2, 3}, b{4, 5, 6}, c{7, 8, 9};
  const Vec3d a2{1, 2, 4}, b2{4, 5, 7}, c2{7, 8, 10};
  // Old vertices A B A C B: new numbering A=0, B=1, C=2.
  auto m = Record({{a, b, a, c, b}, {a2, b2, a2, c2, b2}}, {{0, 1, 2}, {2, 3, 4}, {4, 3, 0}});
  WeldVertices(*m);
  EXPECT_EQ(m->numVertices, 3);
  EXPECT_EQ(Corners(*m), (std::vector<std::array<std::int16_t, 3>>{{0, 1, 0}, {0, 2, 1}, {1, 2, 0}}));
  EXPECT_EQ(m->frames[0]->positions, (std::vector<Vec3d>{a, b, c}));
  EXPECT_EQ(m->frames[1]->positions, (std::vector<Vec3d>{a2, b2, c2}));
  EXPECT_EQ(m->frames[1]->normals.size(), 3u);
}

TEST(VertexWeldTest, VerticesThatPartInOneFrameStaySeparate) {
  const Vec3d p{0, 0, 0}, q{1, 0, 0};
  auto m = Record({{p, q, p}, {p, q, p}, {p, q, q}}, {{0, 1, 2}});
  WeldVertices(*m);
  EXPECT_EQ(m->numVertices, 3);
  EXPECT_EQ(Corners(*m), (std::vector<std::array<std::int16_t, 3>>{{0, 1, 2}}));
}

TEST(VertexWeldTest, NegativeZeroEqualsZeroAndNotANumberEqualsNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  auto m = Record({{{0.0, -0.0, 1.0}, {-0.0, 0.0, 1.0}, {nan, 0, 0}, {nan, 0, 0}}}, {{0, 1, 2}, {1, 3, 0}});
  WeldVertices(*m);
  EXPECT_EQ(m->numVertices, 3);
  EXPECT_EQ(Corners(*m), (std::vector<std::array<std::int16_t, 3>>{{0, 0, 1}, {0, 2, 0}}));
}

TEST(VertexWeldTest, ARecordWithoutFramesOrWithBrokenIndicesIsLeftAlone) {
  auto none = Record({}, {});
  none->numVertices = 4;
  WeldVertices(*none);
  EXPECT_EQ(none->numVertices, 4);

  auto broken = Record({{{0, 0, 0}, {0, 0, 0}}}, {{0, 1, 2}});  // corner 2 does not exist
  WeldVertices(*broken);
  EXPECT_EQ(broken->numVertices, 2);
  EXPECT_EQ(Corners(*broken), (std::vector<std::array<std::int16_t, 3>>{{0, 1, 2}}));
}

// The rule written the slow, obvious way: each vertex against every earlier one.
std::vector<int> QuadraticWeldMap(const std::vector<std::vector<Vec3d>>& frames, std::size_t count) {
  std::vector<int> map(count);
  int next = 0;
  for (std::size_t i = 0; i < count; ++i) {
    int found = -1;
    for (std::size_t j = 0; j < i && found < 0; ++j) {
      bool same = true;
      for (const auto& f : frames) same = same && f[i] == f[j];
      if (same) found = map[j];
    }
    map[i] = found >= 0 ? found : next++;
  }
  return map;
}

TEST(VertexWeldTest, AgreesWithTheQuadraticRuleOnRandomModels) {
  std::mt19937 rng(12345);
  for (int round = 0; round < 60; ++round) {
    const std::size_t count = 1 + rng() % 300;
    const std::size_t numFrames = 1 + rng() % 6;
    // Few distinct values make many duplicates; some frames pull duplicates apart again.
    const int spread = 1 + static_cast<int>(rng() % 4);
    std::vector<std::vector<Vec3d>> frames(numFrames, std::vector<Vec3d>(count));
    for (std::size_t i = 0; i < count; ++i) {
      const auto base = static_cast<double>(rng() % static_cast<unsigned>(spread * 3));
      for (std::size_t f = 0; f < numFrames; ++f) {
        const double jitter = (rng() % 10 == 0) ? static_cast<double>(rng() % 2) / 64.0 : 0.0;
        const double sign = (rng() % 2 == 0) ? 1.0 : -1.0;  // 0.0 and -0.0 both occur
        frames[f][i] = {sign * (base - static_cast<double>(spread)) * 0.0, base / 64.0 + jitter,
                        static_cast<double>(f)};
      }
    }
    std::vector<std::array<std::int16_t, 3>> triangles;
    for (int t = 0; t < 200; ++t) {
      triangles.push_back({static_cast<std::int16_t>(rng() % count), static_cast<std::int16_t>(rng() % count),
                           static_cast<std::int16_t>(rng() % count)});
    }
    const std::vector<int> map = QuadraticWeldMap(frames, count);
    const int newCount = *std::max_element(map.begin(), map.end()) + 1;

    auto m = Record(frames, triangles);
    WeldVertices(*m);
    ASSERT_EQ(m->numVertices, newCount) << "round " << round;
    for (std::size_t t = 0; t < triangles.size(); ++t) {
      for (std::size_t c = 0; c < 3; ++c) {
        ASSERT_EQ(m->triangles[t].vertex[c], map[static_cast<std::size_t>(triangles[t][c])]) << "round " << round;
      }
    }
    for (std::size_t f = 0; f < numFrames; ++f) {
      ASSERT_EQ(m->frames[f]->positions.size(), static_cast<std::size_t>(newCount));
      for (std::size_t i = 0; i < count; ++i) {
        ASSERT_EQ(m->frames[f]->positions[static_cast<std::size_t>(map[i])], frames[f][i]) << "round " << round;
      }
    }
  }
}

TEST(VertexWeldTest, LoadingWeldsTheCornersOfASplitTextureSeam) {
  // Two quads sharing an edge, written with their own corner vertices as a seam would be:
  // 8 vertices on file, 6 distinct positions.
  md3::Surface s;
  s.name = "seam";
  s.st = {{0, 0}, {0.5f, 0}, {0.5f, 1}, {0, 1}, {0.5f, 0}, {1, 0}, {1, 1}, {0.5f, 1}};
  s.triangles = {{0, 1, 2}, {0, 2, 3}, {4, 5, 6}, {4, 6, 7}};
  using testing::V;
  s.frames = {{V(0, 0, 0), V(0, 64, 0), V(0, 64, 64), V(0, 0, 64), V(0, 64, 0), V(0, 128, 0), V(0, 128, 64),
               V(0, 64, 64)}};
  const Md3Parse p = ParseMd3(md3::Write(testing::FileWith({s}, 1)));
  ASSERT_TRUE(p.ok);
  const ModelRecord& m = *p.records.at(0);
  EXPECT_EQ(m.numVertices, 6);
  // The second quad's first corner (file vertex 4) is file vertex 1, new index 1; its
  // texture coordinates stay those of the corner: (0.5, 0).
  EXPECT_EQ(m.triangles[2].vertex, (std::array<std::int16_t, 3>{1, 5, 4}));
  EXPECT_EQ(m.triangles[2].st[0], (std::array<double, 2>{0.5, 0.0}));
  EXPECT_EQ(m.curPositions.size(), 6u);
}

}  // namespace
}  // namespace tessary
