// The vertex weld and the smooth normals run on every new record: the weld against the
// plain compare-with-every-earlier-vertex rule on random models, normals worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "scene/Md3Loader.h"

namespace tessary {
namespace {

using Corners = std::array<std::int16_t, 3>;

using Frames = std::vector<std::vector<Vec3f>>;

std::unique_ptr<ModelRecord> Record(const Frames& frames, const std::vector<Corners>& triangles) {
  auto m = std::make_unique<ModelRecord>();
  m->numVertices = static_cast<std::int32_t>(frames.at(0).size());
  for (const auto& positions : frames) {
    m->frames.push_back(std::make_unique<FrameRecord>());
    m->frames.back()->positions = positions;
    m->frames.back()->normals.assign(positions.size(), Vec3f{9, 9, 9});  // stale values to overwrite
  }
  for (const Corners& t : triangles) m->triangles.push_back({t, {}});
  m->numTriangles = static_cast<std::int32_t>(triangles.size());
  return m;
}

TEST(WeldTest, AgreesWithTheQuadraticRuleOnRandomModels) {
  std::mt19937 rng(12345);
  for (int round = 0; round < 60; ++round) {
    // Few distinct values make many duplicates; some frames pull duplicates apart; 0.0 and
    // -0.0, which are equal, both occur.
    const std::size_t count = 1 + rng() % 300, numFrames = 1 + rng() % 6, values = 3 + rng() % 10;
    Frames frames(numFrames, std::vector<Vec3f>(count));
    for (std::size_t i = 0; i < count; ++i) {
      const float base = static_cast<float>(rng() % values) / 64.0f;
      for (std::size_t f = 0; f < numFrames; ++f)
        frames[f][i] = {rng() % 2 ? 0.0f : -0.0f, base + (rng() % 20 == 0 ? 1.0f / 64 : 0.0f), static_cast<float>(f)};
    }
    std::vector<Corners> triangles(200);
    for (Corners& t : triangles)
      for (auto& v : t) v = static_cast<std::int16_t>(rng() % count);
    // The rule the slow, obvious way: each vertex takes the number of the first earlier
    // vertex equal to it in every frame, or else the next one.
    std::vector<int> map(count, -1);
    int next = 0;
    for (std::size_t i = 0; i < count; ++i) {
      for (std::size_t j = 0; j < i && map[i] < 0; ++j) {
        bool same = true;
        for (const auto& f : frames) same = same && f[i] == f[j];
        if (same) map[i] = map[j];
      }
      if (map[i] < 0) map[i] = next++;
    }
    auto m = Record(frames, triangles);
    WeldVertices(*m);
    ASSERT_EQ(m->numVertices, next) << "round " << round;
    for (std::size_t t = 0; t < triangles.size(); ++t)
      for (std::size_t c = 0; c < 3; ++c) ASSERT_EQ(m->triangles[t].vertex[c], map.at(triangles[t][c]));
    for (std::size_t f = 0; f < numFrames; ++f) {
      ASSERT_EQ(m->frames[f]->normals.size(), static_cast<std::size_t>(next));
      for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(m->frames[f]->positions.at(map[i]), frames[f][i]);
    }
  }
}

TEST(NormalsTest, EveryUsableFaceCountsOnceWhateverItsSizeAndEachFrameHasItsOwn) {
  // A: (0,0,0) (1,0,0) (0,1,0), e1 = (1,0,0), e2 = (-1,1,0), n = (0,0,1).
  // B, ten times larger: (0,0,0) (0,0,10) (10,0,0), e1 = (0,0,10), e2 = (10,0,-10), n = (0,100,0).
  // C: (1,0,0) (0,0,0) (0,0,10), e1 = (-1,0,0), e2 = (0,0,10), n = (0,10,0).
  // Vertex 5 is only on a face with two equal corners, which also adds nothing to vertex 0;
  // 6..8 only on one face and the same face turned round, whose unit normals cancel.
  // Frame 1 is frame 0 turned a quarter round x, (x, y, z) -> (x, -z, y): so are its normals.
  const std::vector<Vec3f> p{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 10}, {10, 0, 0},
                             {5, 5, 5}, {0, 0, 2}, {2, 0, 2}, {0, 2, 2}};
  std::vector<Vec3f> turned;
  for (const Vec3f& v : p) turned.push_back({v[0], -v[2], v[1]});
  auto m = Record({p, turned}, {{0, 1, 2}, {0, 3, 4}, {1, 0, 3}, {5, 5, 0}, {6, 7, 8}, {6, 8, 7}});
  ComputeNormals(*m);
  const double h = 1.0 / std::sqrt(2.0), r5 = std::sqrt(5.0);
  // Vertex 0: A + B + C = (0,2,1); vertex 1: A + C = (0,1,1); 2..4 one face each.
  const std::vector<Vec3d> expected{{0, 2 / r5, 1 / r5}, {0, h, h}, {0, 0, 1}, {0, 1, 0}, {0, 1, 0},
                                    {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
  for (std::size_t v = 0; v < expected.size(); ++v) {
    const Vec3d& e = expected[v];
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(m->frames[0]->normals[v][k], e[k], 1e-6) << "vertex " << v;
      EXPECT_NEAR(m->frames[1]->normals[v][k], (Vec3d{e[0], -e[2], e[1]})[k], 1e-6) << "vertex " << v;
    }
  }
}

}  // namespace
}  // namespace tessary
